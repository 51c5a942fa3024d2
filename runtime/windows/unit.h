// Units: the window itself, its controls, timers and menu items, each named
// by a pair of 32-bit identifiers (window, unit) from the layouts.
#pragma once

#include <cstdint>

namespace rt {

// Class numbers; a unit reference tag is 0x00010000 + class number + 1.
enum class UnitClass : uint32_t {
  Window = 0,
  MenuItem = 2,
  EditBox = 4,
  Label = 9,
  Button = 10,
  CheckBox = 11,
  ComboBox = 13,
  DateBox = 22,
  Timer = 31,
};

// What the top bits of a unit identifier say.
enum class UnitKind { Own, Control, MenuItem, Invalid };
constexpr UnitKind unit_kind(uint32_t unit_id) {
  switch (unit_id >> 28) {
    case 0: return UnitKind::Own;
    case 1: return UnitKind::Control;
    case 2: return ((unit_id >> 24) & 0xF) == 6 ? UnitKind::MenuItem : UnitKind::Invalid;
    default: return UnitKind::Invalid;
  }
}

// Event numbers.
namespace event {
// the window's own unit
constexpr int kCreated = 0;
constexpr int kMayClose = 1;
constexpr int kDestroying = 2;
constexpr int kMoved = 3;
constexpr int kSized = 4;
constexpr int kTray = 9;
constexpr int kShown = 10;
constexpr int kHidden = 11;
constexpr int kCloseRequested = 12;
constexpr int kTimeChanged = 13;   // the system time or zone was set
constexpr int kSessionEnds = 14;   // argument: 1 the session ends, 0 it goes on after all
// buttons and timers
constexpr int kClicked = 0;
constexpr int kTick = 0;
}  // namespace event

// Menu items of a window get the command identifiers 20000 + their position
// in the window's run of menu items; 57600 and above are not menu commands.
constexpr int kFirstMenuCommand = 20000;
constexpr int kEndMenuCommands = 57600;

}  // namespace rt
