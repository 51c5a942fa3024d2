// The display scale of the loaded windows: the DPI each is laid out at, its
// controls' places, its font and icons at that DPI, and laying a window out
// again when it moves to a screen of another DPI. Everything the program
// reads and writes stays in the layouts' 96-DPI pixels; only here and in the
// properties does a number cross to device pixels.
#include <windows.h>

#include "theme/visual_style_win.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

constexpr int kDropDownHeight = 160;  // room for the dropped list

// The window's icons at the sizes of its DPI. The window class holds them
// at the system's DPI, so a window at that DPI takes no icons of its own
// until it has moved to another screen.
void take_icons(LoadedWindow& w) {
  UniqueIcon big(load_program_icon(display::metric_for_dpi(SM_CXICON, w.dpi)));
  UniqueIcon small(load_program_icon(display::metric_for_dpi(SM_CXSMICON, w.dpi)));
  SendMessageW(w.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(w.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  w.big_icon = std::move(big);  // the ones before are let go of only now
  w.small_icon = std::move(small);
}

BOOL CALLBACK tell_theme(HWND control, LPARAM dpi) {
  theme::set_control_dpi(control, static_cast<int>(dpi));
  return TRUE;
}

// Every control inside the frame, and the lists that combo boxes drop down
// (windows of their own, outside the frame), draw at the new scale.
void tell_theme_dpi(LoadedWindow& w) {
  EnumChildWindows(w.hwnd, tell_theme, w.dpi);
  for (auto& u : w.units) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (u->cls == UnitClass::ComboBox && u->hwnd && GetComboBoxInfo(u->hwnd, &info))
      theme::set_control_dpi(info.hwndList, w.dpi);
  }
}

}  // namespace

Scale scale_of(const LoadedWindow& w) { return Scale(w.dpi); }

void take_screen_dpi(LoadedWindow& w) {
  w.dpi = display::window_dpi(w.hwnd);
  if (w.dpi == display::system_dpi()) return;  // the stock font and the class's icons fit
  w.font = display::GuiFont(w.dpi);
  take_icons(w);
}

Box device_box(const LoadedWindow& w, const Unit& u) {
  const int height = u.cls == UnitClass::ComboBox && u.height < kDropDownHeight ? kDropDownHeight : u.height;
  return to_device(scale_of(w), Box{u.left, u.top, u.width, height});
}

void lay_out_again(LoadedWindow& w, int dpi, const RECT& suggested) {
  w.dpi = Scale(dpi).dpi();
  display::GuiFont font(w.dpi);
  std::swap(w.font, font);  // the font before goes when the controls have the new one
  tell_theme_dpi(w);
  for (size_t i = 1; i < w.units.size(); ++i) {
    Unit& u = *w.units[i];
    if (!u.hwnd) continue;
    apply_font(w, u);
    const Box b = device_box(w, u);
    SetWindowPos(u.hwnd, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageW(w.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.get()), FALSE);
  take_icons(w);
  const HWND frame = w.hwnd;
  SetWindowPos(frame, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (IsWindow(frame))
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace rt::win
