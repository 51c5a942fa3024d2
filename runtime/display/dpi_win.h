// What Windows says about the display scale, asked the same way on every
// version the program runs on: the functions that only newer Windows has
// (GetDpiForWindow, GetSystemMetricsForDpi, AdjustWindowRectExForDpi) are
// looked up at run time, and without them the screen's DPI stands for
// every window.
#pragma once

#include <windows.h>

#include "win_handle.h"

namespace rt::display {

// Sent to a top-level window of a per-monitor aware program when it has
// moved to a screen of another DPI (newer SDKs name it WM_DPICHANGED):
// the new DPI in LOWORD(wParam), the suggested window rectangle in lParam.
constexpr UINT kDpiChanged = 0x02E0;

// The DPI the system's metrics and stock objects are made for (the screen
// DC's LOGPIXELSY); read once, since Windows never changes it for a running
// program.
int system_dpi();
// The DPI of the screen a window is on.
int window_dpi(HWND w);
// A system metric (SM_CXICON, SM_CYVTHUMB, ...) as it is at `dpi`; the
// system's own value at the system's DPI.
int metric_for_dpi(int index, int dpi);

// DEFAULT_GUI_FONT's face at the height for a DPI: the stock font itself at
// the system's DPI (nothing is made), otherwise a font of its own, deleted
// with its owner.
class GuiFont {
 public:
  GuiFont() = default;  // the stock font
  explicit GuiFont(int dpi);
  HFONT get() const { return own_ ? own_.get() : stock(); }

 private:
  static HFONT stock() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
  UniqueFont own_;
};

}  // namespace rt::display
