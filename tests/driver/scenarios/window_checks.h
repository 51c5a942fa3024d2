// Checks that both of the program's windows share: the frame (size, centred
// place, title-bar buttons, no menu bar) and the units, each against a row
// of its window's table.
#pragma once

#include <windows.h>

#include <vector>

#include "scenario_support.h"

namespace timer {

// A window of the program as laid out: caption, outer size, centred on the
// screen by integer division, a fixed frame with system menu and minimise
// box but no maximise box, topmost or not, no menu bar and the full client
// height of a window without one.
void expect_frame(HWND w, const wchar_t* caption, int width, int height, bool topmost = false);

// Style bits that a unit's class must and must not have: (style & mask) == value.
struct Bits {
  DWORD mask;
  DWORD value;
};

struct UnitRow {
  int id;
  const char* name;  // for messages
  const wchar_t* cls;
  int left, top, width, height;  // height 0: a drop-down box, checked apart
  const wchar_t* text;           // null: not checked
  Bits style;
  Bits ex_style;
  bool visible;
};

// The appearance of each class of unit.
extern const Bits kLabelStyle, kCheckBoxStyle, kPushButtonStyle, kDropDownListStyle, kDropDownStyle, kDateBoxStyle, kClientEdge, kEditBoxStyle,
    kNoExStyle, kAnyStyle;

// Place, class, text, style and visibility of a unit.
void expect_unit(HWND window, const UnitRow& row);

// Every unit of the main window and of the confirmation window as it first
// shows at 96 DPI, its place written out from the layouts.
std::vector<UnitRow> main_window_units();
std::vector<UnitRow> confirm_window_units();

}  // namespace timer
