// The built-in description of a window and its units. Layouts are plain data;
// handlers are referred to by name and resolved when the runtime starts.
#pragma once

#include <array>
#include <cstdint>

#include "unit.h"

namespace rt {

// Flag bits of a unit. The low byte is common to all classes, the rest
// depends on the class.
namespace unit_flag {
constexpr uint32_t kVisible = 1u << 0;
constexpr uint32_t kDisabled = 1u << 1;
constexpr uint32_t kFocusStop = 1u << 2;
// the window's own unit
constexpr uint32_t kSysMenu = 1u << 8;
constexpr uint32_t kMinimizeBox = 1u << 9;
constexpr uint32_t kMaximizeBox = 1u << 10;
constexpr uint32_t kSizable = 1u << 11;        // sizing border; else a fixed frame
constexpr uint32_t kEscCloses = 1u << 12;
constexpr uint32_t kShowInTaskbar = 1u << 13;
constexpr uint32_t kStartCentred = 1u << 14;   // placed in the middle of the screen
constexpr uint32_t kTopmost = 1u << 15;
// combo boxes: a drop-down list (no edit field); else a drop-down combo box
constexpr uint32_t kDropDownList = 1u << 8;
// buttons: a decision that must be deliberate. The button takes no click or
// key until its window has been on screen for a second, and again for a
// second after each activation, restore or show: a click or key meant for
// something else, or the click that activates the window, presses nothing.
constexpr uint32_t kWaitsToBeRead = 1u << 8;
// edit boxes
constexpr uint32_t kMultiline = 1u << 8;
constexpr uint32_t kReadOnly = 1u << 9;
}  // namespace unit_flag

// Handlers take the event's integer arguments and may answer (only the close
// queries look at the answer; 0 refuses).
using Handler = int32_t (*)(int count, const int32_t* args);

struct HandlerEntry {
  const char* name;
  Handler fn;
};

struct EventDef {
  int event;
  const char* handler;  // name; null ends the list
};

constexpr int kMaxUnitEvents = 10;

struct UnitDef {
  uint32_t id;
  const char* name;  // GBK; null for menu items, which are known by caption
  UnitClass cls;
  // Layout parent: -1 for the window's own unit, 0 (the window) for controls
  // and top-level menus, the index of the menu for a menu item under it.
  int parent;
  int left, top, width, height;
  const char* text;  // caption or content
  // Timer: interval in ms. Check box: 1 checked. Window: window state.
  // Date box: the date-time value, 0 for the current moment.
  double value;
  uint32_t flags;
  int focus_order;
  std::array<EventDef, kMaxUnitEvents> events;  // menu items: event 0 is "selected"
  // The unit whose caption names this one for screen readers (the label a
  // sighted user reads beside an input); 0 for none.
  uint32_t named_by = 0;
};

struct WindowDef {
  uint32_t id;
  const UnitDef* units;  // units[0] is the window's own unit
  int unit_count;
};

}  // namespace rt
