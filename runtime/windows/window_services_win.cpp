// The services of the window model: load window, destroy, add item.
#include <windows.h>

#include "convert.h"
#include "gbk_win.h"
#include "service.h"
#include "theme/visual_style_win.h"
#include "window_table_win.h"

namespace rt {
namespace {

// load window: (window reference, [parent window reference], dialog mode)
void load_window_service(Result& r, int n, const Arg* args) {
  const Arg window = arg_at(n, args, 0), parent = arg_at(n, args, 1), dialog = arg_at(n, args, 2);
  set_bool(r, load_window(window.low, present(parent) ? parent.low : 0, dialog.low != 0));
}

// destroy: (unit reference, [at once]); "at once" is judged by its value
void destroy_service(Result&, int n, const Arg* args) {
  const Arg unit = arg_at(n, args, 0);
  destroy_unit(unit.low, unit.high, arg_at(n, args, 1).low != 0);
}

// An item added to a box that keeps its items' texts starts with data 0, so
// an omitted data argument needs no further message; filling a list costs
// half the messages then. An owner-drawn box without texts keeps what it was
// given as the data, and is told the 0.
bool starts_with_zero_data(HWND combo) {
  const DWORD style = static_cast<DWORD>(GetWindowLongW(combo, GWL_STYLE));
  return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
}

// add item: (combo box reference, text, [item data]) -> index, or -1
void add_item_service(Result& r, int n, const Arg* args) {
  const Arg combo = arg_at(n, args, 0), data = arg_at(n, args, 2);
  set_int(r, -1);
  win::LoadedWindow* w = win::find_window(combo.low);
  win::Unit* u = w ? w->unit(combo.high) : nullptr;
  if (!u || u->cls != UnitClass::ComboBox || !u->hwnd) return;
  const Text text = to_text(arg_at(n, args, 1));
  const LRESULT index = SendMessageW(u->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(text.c_str()).c_str()));
  if (index < 0) return;
  if (present(data) || !starts_with_zero_data(u->hwnd))
    SendMessageW(u->hwnd, CB_SETITEMDATA, static_cast<WPARAM>(index), present(data) ? to_integer(data) : 0);
  set_int(r, static_cast<int32_t>(index));
}

void visual_style_service(Result& r, int n, const Arg* args) {
  set_int(r, theme::set_visual_style(to_integer(arg_at(n, args, 0))));
}

}  // namespace

void provide_window_services() {
  provide(Service::LoadWindow, load_window_service);
  provide(Service::Destroy, destroy_service);
  provide(Service::AddItem, add_item_service);
  provide(Service::VisualStyle, visual_style_service);
}

}  // namespace rt
