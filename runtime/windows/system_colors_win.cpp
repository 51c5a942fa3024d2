// The windows in the user's colours. Labels and the frame fill with the
// button face; what stands on it takes the text colour Windows pairs with
// it, so that a dark scheme or a high-contrast one stays readable. When the
// user changes either, every window follows at once.
#include <windows.h>

#include "theme/visual_style_win.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

// The controls that draw themselves from colours they keep: the common
// controls (the date box) must hear of a change, as Windows asks of their
// top-level window. The runtime's own labels and timers ask every time.
bool keeps_colors(UnitClass cls) { return cls != UnitClass::Label && cls != UnitClass::Timer; }

}  // namespace

// The answer to WM_CTLCOLORBTN and WM_CTLCOLORSTATIC, which push buttons,
// check boxes and the themed look ask before they draw their captions on
// the button face. Windows' default pairs the face with the window's text
// colour, unreadable in a scheme whose windows and buttons differ.
LRESULT button_face_colors(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Every top-level window hears WM_SYSCOLORCHANGE and WM_SETTINGCHANGE; the
// themed look is switched once, whichever window hears first.
void follow_display_settings(LoadedWindow& w, UINT message, WPARAM wparam) {
  if (message == WM_SETTINGCHANGE && wparam != SPI_SETHIGHCONTRAST) return;
  if (message == WM_SYSCOLORCHANGE)
    for (const auto& u : w.units)
      if (u->hwnd && u->hwnd != w.hwnd && keeps_colors(u->cls)) SendMessageW(u->hwnd, WM_SYSCOLORCHANGE, 0, 0);
  theme::follow_high_contrast();
  RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace rt::win
