// The switch of the themed look for the standard controls of the
// user-interface thread, and the record kept for each control it takes over.
#pragma once

#include <windows.h>

#include <cstdint>

#include "theme/control_kind.h"
#include "theme/control_state.h"

namespace rt::theme {

struct ControlRecord {
  HWND hwnd;
  ControlKind kind;
  uint32_t state;    // state:: flags
  WNDPROC old_proc;  // the procedure the themed one replaced
  // What the parent last reported for the control (WM_CTLCOLORBTN); the
  // brush stays the parent's. Until it reports, the system button colours.
  HBRUSH brush;
  COLORREF brush_color;
  COLORREF text_color;
  HFONT font;  // the control's font (WM_GETFONT at restyling, then WM_SETFONT)
  int dpi;     // the scale it is drawn at: its screen's, or what its window was laid out at
};

// Schemes 1 to 3 choose the look and give 1; anything else switches it off
// and gives whether the hook could be removed (1 or 0), or 0 when none was
// installed. A chosen look is drawn only while Windows reports no high
// contrast: then every control draws itself in the system's colours.
int set_visual_style(int scheme);
int current_scheme();  // the look drawn now; 0 while off
const ControlRecord* find_record(HWND hwnd);
int record_count();

// Asks Windows again whether high contrast is on, and switches the chosen
// look off or back on when that changed (the controls are redrawn). True
// when it changed.
bool follow_high_contrast();

// Where the look asks whether high contrast is on (tests: Wine cannot turn
// it on). Gives the query it replaces; null restores Windows' own.
using HighContrastQuery = bool (*)();
HighContrastQuery set_high_contrast_query(HighContrastQuery query);

// A window laid out again at another scale draws its controls at that
// scale (a control without the themed look is left alone). Until told,
// a control is drawn at the DPI of its screen.
void set_control_dpi(HWND hwnd, int dpi);

// For the themed procedures: the record to update (null when the window has
// none), found from the control at once; whether the look is drawn now (a
// procedure of a look switched off passes every message on unchanged: a
// procedure put above it, such as a button's input wait, stays in place);
// and forgetting a control's record as the control is destroyed.
ControlRecord* record_for(HWND hwnd);
bool look_in_force();
void drop_record(HWND hwnd);

}  // namespace rt::theme
