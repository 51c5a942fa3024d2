// Creating a window's units from its layout: controls and timers hidden, in
// reverse layout order; then stacked in layout order (the first unit on top)
// and shown as their layout says. Also the menu bar, and popup menus made the
// same way.
#include <windows.h>
#include <commctrl.h>

#include "gbk_win.h"
#include "window_access_win.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

struct ControlMake {
  const wchar_t* cls;
  DWORD style;
  DWORD ex_style;
};

ControlMake control_make(const UnitDef& def) {
  const DWORD base = WS_CHILD | WS_CLIPSIBLINGS | ((def.flags & unit_flag::kDisabled) ? WS_DISABLED : 0);
  switch (def.cls) {
    case UnitClass::Label:
      return {kLabelClass, base, 0};
    case UnitClass::Button:
      return {L"BUTTON", base | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
    case UnitClass::CheckBox:
      return {L"BUTTON", base | BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | BS_MULTILINE, 0};
    case UnitClass::EditBox: {
      DWORD style = base | ES_LEFT | ES_AUTOHSCROLL;
      if (def.flags & unit_flag::kMultiline) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
      if (def.flags & unit_flag::kReadOnly) style |= ES_READONLY;
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case UnitClass::ComboBox:
      return {L"COMBOBOX",
              base | WS_VSCROLL | CBS_AUTOHSCROLL |
                  ((def.flags & unit_flag::kDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN),
              0};
    case UnitClass::DateBox:
      return {DATETIMEPICK_CLASSW, base | DTS_LONGDATEFORMAT, WS_EX_CLIENTEDGE};
    case UnitClass::Timer:
      return {kTimerClass, WS_CHILD, 0};
    default:
      return {nullptr, 0, 0};
  }
}

HWND create_control(LoadedWindow& w, Unit& u) {
  const UnitDef& def = *u.layout->def;
  const ControlMake make = control_make(def);
  if (!make.cls) return nullptr;
  const bool text_in_window = def.cls == UnitClass::Label || def.cls == UnitClass::Button ||
                              def.cls == UnitClass::CheckBox || def.cls == UnitClass::EditBox;
  const std::wstring text = text_in_window ? to_wide(def.text) : std::wstring();
  const Box at = device_box(w, u);
  return CreateWindowExW(make.ex_style, make.cls, text.c_str(), make.style, at.left, at.top, at.width, at.height,
                         w.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(u.layout->index)),
                         GetModuleHandleW(nullptr), nullptr);
}

// What a control takes from the layout once its window exists.
void apply_initial_values(const LoadedWindow& w, Unit& u) {
  const UnitDef& def = *u.layout->def;
  apply_font(w, u);
  switch (def.cls) {
    case UnitClass::CheckBox:
      SendMessageW(u.hwnd, BM_SETCHECK, def.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case UnitClass::ComboBox:
      if (def.text && *def.text && !(def.flags & unit_flag::kDropDownList)) set_window_text(u.hwnd, def.text);
      break;
    case UnitClass::DateBox:
      set_date_box(u.hwnd, def.value);
      break;
    case UnitClass::Timer:
      set_timer_interval(u, static_cast<int32_t>(def.value));
      break;
    default:
      break;
  }
}

HMENU build_menu(LoadedWindow& w, int parent_index, bool popup) {
  HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  int entries = 0;
  for (const ResolvedUnit& ru : w.layout->units) {
    const UnitDef& def = *ru.def;
    if (def.cls != UnitClass::MenuItem || def.parent != parent_index) continue;
    if (!(def.flags & unit_flag::kVisible)) continue;  // left out with all its items
    bool has_items = false;
    for (const ResolvedUnit& child : w.layout->units)
      has_items |= child.def->cls == UnitClass::MenuItem && child.def->parent == ru.index;
    const std::wstring caption = to_wide(def.text);
    if (has_items) {
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(build_menu(w, ru.index, true)), caption.c_str());
    } else {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(w.layout->menu_command(ru.index)), caption.c_str());
    }
    ++entries;
  }
  if (!popup && entries == 0) {  // an empty menu bar would still take a strip
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

}  // namespace

void apply_font(const LoadedWindow& w, Unit& u) {
  SendMessageW(u.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.get()), FALSE);
  if (u.cls != UnitClass::ComboBox) return;
  // list items one pixel higher than the default for the font
  const LRESULT item = SendMessageW(u.hwnd, CB_GETITEMHEIGHT, 0, 0);
  if (item > 0) SendMessageW(u.hwnd, CB_SETITEMHEIGHT, 0, item + 1);
}

void create_menu_bar(LoadedWindow& w) {
  if (w.layout->menu_count == 0) return;
  w.menu_bar.reset(build_menu(w, 0, false));
  if (w.menu_bar) SetMenu(w.hwnd, w.menu_bar.get());
}

void create_units(LoadedWindow& w) {
  for (size_t i = w.units.size(); i-- > 1;) {
    Unit& u = *w.units[i];
    if (u.cls == UnitClass::MenuItem) continue;
    u.hwnd = create_control(w, u);
    if (!u.hwnd) continue;
    apply_initial_values(w, u);
    if (u.cls == UnitClass::Button && (u.layout->def->flags & unit_flag::kWaitsToBeRead)) watch_presses(u);
  }
  HWND above = HWND_TOP;
  for (size_t i = 1; i < w.units.size(); ++i) {
    Unit& u = *w.units[i];
    if (!u.hwnd) continue;
    SetWindowPos(u.hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = u.hwnd;
  }
  for (size_t i = 1; i < w.units.size(); ++i) {
    Unit& u = *w.units[i];
    if (u.hwnd && u.visible && u.cls != UnitClass::Timer) ShowWindow(u.hwnd, SW_SHOWNA);
  }
  await_readers(w);
}

}  // namespace rt::win

namespace rt {

UniqueMenu make_popup_menu(uint32_t window_id, uint32_t menu_id) {
  win::LoadedWindow* w = win::find_window(window_id);
  const win::Unit* menu = w ? w->unit(menu_id) : nullptr;
  if (!menu || menu->cls != UnitClass::MenuItem || menu->layout->def->parent != 0) return UniqueMenu();
  return UniqueMenu(win::build_menu(*w, menu->layout->index, true));
}

}  // namespace rt
