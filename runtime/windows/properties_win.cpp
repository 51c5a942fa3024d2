// Reading and writing numbered unit properties.
#include <windows.h>
#include <commctrl.h>

#include "datetime.h"
#include "fatal.h"
#include "property_rules.h"
#include "service.h"
#include "window_table_win.h"

namespace rt::win {

void set_date_box(HWND box, double value) {
  SYSTEMTIME st{};
  if (value == 0) {
    GetLocalTime(&st);
  } else {
    const CalendarFields f = calendar_fields(value);
    st = SYSTEMTIME{static_cast<WORD>(f.year),   static_cast<WORD>(f.month),  static_cast<WORD>(f.day_of_week - 1),
                    static_cast<WORD>(f.day),    static_cast<WORD>(f.hour),   static_cast<WORD>(f.minute),
                    static_cast<WORD>(f.second), 0};
  }
  DateTime_SetSystemtime(box, GDT_VALID, &st);
}

double date_box_value(HWND box) {
  SYSTEMTIME st{};
  if (DateTime_GetSystemtime(box, &st) != GDT_VALID ||
      !fields_are_valid(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond))
    return 0;
  return build_datetime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

namespace {

struct Target {
  LoadedWindow* window;
  Unit* unit;
};

Target find_unit(uint32_t window_id, uint32_t unit_id) {
  LoadedWindow* w = find_window(window_id);
  if (!w) fatal_error("未载入欲访问窗口组件所在的窗口");
  Unit* u = w->unit(unit_id);
  if (!u) fatal_error("未找到欲访问的窗口组件");
  return {w, u};
}

// The unit's rectangle in device pixels: on the screen for a window, in its
// parent's client area for a control.
RECT unit_rect(const Unit& u) {
  RECT r;
  GetWindowRect(u.hwnd, &r);
  if (u.cls != UnitClass::Window) MapWindowPoints(nullptr, GetParent(u.hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Left, top, width and height are in the layouts' 96-DPI pixels: a live
// window's are its device pixels scaled back, each on its own.
int32_t get_common(const LoadedWindow& w, const Unit& u, int number) {
  const bool live = u.hwnd && IsWindow(u.hwnd);
  Box b{u.left, u.top, u.width, u.height};
  if (live) {
    const RECT r = unit_rect(u);
    b = to_base(scale_of(w), Box{r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  switch (number) {
    case prop::kLeft: return b.left;
    case prop::kTop: return b.top;
    case prop::kWidth: return b.width;
    case prop::kHeight: return b.height;
    case prop::kVisible: return live ? IsWindowVisible(u.hwnd) != FALSE : u.visible;
    case prop::kDisabled: return live ? !IsWindowEnabled(u.hwnd) : u.disabled;
    case prop::kMousePointer: return u.cursor;
    default: return 0;
  }
}

void set_common(LoadedWindow& w, Unit& u, int number, int32_t v, const char* text) {
  const bool live = u.hwnd && IsWindow(u.hwnd);
  switch (number) {
    case prop::kLeft:
    case prop::kTop:
    case prop::kWidth:
    case prop::kHeight: {
      const bool position = number == prop::kLeft || number == prop::kTop;
      v = position ? clamp_position(v) : clamp_size(v);
      int32_t* stored[] = {&u.left, &u.top, &u.width, &u.height};
      *stored[number] = v;
      if (!live) return;
      v = scale_of(w).to_device(v);  // the other three stay as they are on the screen
      RECT r = unit_rect(u);
      if (number == prop::kLeft) r = RECT{v, r.top, v + (r.right - r.left), r.bottom};
      if (number == prop::kTop) r = RECT{r.left, v, r.right, v + (r.bottom - r.top)};
      if (number == prop::kWidth) r.right = r.left + v;
      if (number == prop::kHeight) r.bottom = r.top + v;
      SetWindowPos(u.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (position ? SWP_NOSIZE : SWP_NOMOVE));
      return;
    }
    case prop::kTag:
      u.tag = Text::copy(text);
      return;
    case prop::kVisible:
      u.visible = v != 0;
      if (!live) return;
      if (!u.visible) {
        ShowWindow(u.hwnd, SW_HIDE);
      } else if (u.cls == UnitClass::Window) {
        show_window_unit(w);
      } else if (u.cls != UnitClass::Timer) {
        ShowWindow(u.hwnd, SW_SHOW);
      }
      return;
    case prop::kDisabled:
      u.disabled = v != 0;
      if (live) EnableWindow(u.hwnd, !u.disabled);
      return;
    case prop::kMousePointer:
      u.cursor = v;
      return;
  }
}

void get_class(const Unit& u, int number, Result& r) {
  switch (u.cls) {
    case UnitClass::Window:
      if (number == prop::kWindowState)
        set_int(r, IsIconic(u.hwnd) ? kStateMinimised : IsZoomed(u.hwnd) ? kStateMaximised : kStateNormal);
      return;
    case UnitClass::Label:
    case UnitClass::Button:
      set_pointer(r, Text::copy(u.caption.c_str()).take());
      return;
    case UnitClass::CheckBox:
      set_int(r, SendMessageW(u.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      return;
    case UnitClass::EditBox:
    case UnitClass::ComboBox:
      set_pointer(r, window_text(u.hwnd).take());
      return;
    case UnitClass::DateBox:
      set_double(r, date_box_value(u.hwnd));
      return;
    case UnitClass::Timer:
      set_int(r, number == prop::kSinceLastTick ? u.since_last_tick : u.interval);
      return;
    default:
      return;
  }
}

void set_class(LoadedWindow& w, Unit& u, int number, int32_t v, double d, const char* text) {
  switch (u.cls) {
    case UnitClass::Window:
      apply_window_state(w, v);
      return;
    case UnitClass::Label:
      u.caption = Text::copy(text);
      set_window_text(u.hwnd, u.caption.c_str());
      RedrawWindow(u.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      return;
    case UnitClass::Button:
      u.caption = Text::copy(text);
      set_window_text(u.hwnd, u.caption.c_str());
      return;
    case UnitClass::CheckBox:
      SendMessageW(u.hwnd, BM_SETCHECK, v == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      return;
    case UnitClass::EditBox:
      u.caption = Text::copy(text);
      set_window_text(u.hwnd, u.caption.c_str());
      SendMessageW(GetParent(u.hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(u.hwnd), EN_CHANGE),
                   reinterpret_cast<LPARAM>(u.hwnd));
      return;
    case UnitClass::ComboBox:
      u.caption = Text::copy(text);
      if (u.layout->def->flags & unit_flag::kDropDownList) {
        select_item(u.hwnd, u.caption.c_str());  // no edit field: the item that reads so, or none
      } else {
        set_window_text(u.hwnd, u.caption.c_str());
      }
      return;
    case UnitClass::DateBox:
      u.date = d;
      set_date_box(u.hwnd, d);
      return;
    case UnitClass::Timer:
      if (number == prop::kInterval) set_timer_interval(u, v);  // the time between ticks is the timer's to say
      return;
    default:
      return;
  }
}

}  // namespace
}  // namespace rt::win

namespace rt {

using namespace win;

Result get_property(uint32_t window_id, uint32_t unit_id, int number, int) {
  const Target t = find_unit(window_id, unit_id);
  Result r{};
  const PropInfo info = property_info(t.unit->cls, number);
  if (info.type == PropType::None) return r;
  if (number == prop::kTag) {
    set_pointer(r, Text::copy(t.unit->tag.c_str()).take());
  } else if (number >= 0 && number <= prop::kMousePointer) {
    set_int(r, get_common(*t.window, *t.unit, number));
  } else {
    if (!t.unit->hwnd || !IsWindow(t.unit->hwnd)) fatal_error("指定窗口尚未载入");
    get_class(*t.unit, number, r);
  }
  return r;
}

void set_property(uint32_t window_id, uint32_t unit_id, int number, int, uint32_t low, uint32_t high) {
  const Target t = find_unit(window_id, unit_id);
  const PropInfo info = property_info(t.unit->cls, number);
  int32_t v = static_cast<int32_t>(low);
  double d = 0;
  const char* text = "";
  switch (info.type) {
    case PropType::None: return;
    case PropType::Boolean: v = to_stored_bool(low); break;
    case PropType::Choice: v = clamp_choice(v, info.max_choice); break;
    case PropType::DateTime: d = bits_to_double(words64(low, high)); break;
    case PropType::Text:
      if (const char* p = static_cast<const char*>(get_pointer(low, high))) text = p;
      break;
    default: break;
  }
  if (number >= 0 && number <= prop::kMousePointer) {
    set_common(*t.window, *t.unit, number, v, text);
    return;
  }
  if (!t.unit->hwnd || !IsWindow(t.unit->hwnd)) fatal_error("指定窗口尚未载入");
  set_class(*t.window, *t.unit, number, v, d, text);
}

Text get_text(uint32_t window_id, uint32_t unit_id, int number) {
  return result_text(get_property(window_id, unit_id, number));
}

int32_t get_int(uint32_t window_id, uint32_t unit_id, int number) {
  return static_cast<int32_t>(get_property(window_id, unit_id, number).word[0]);
}

double get_double(uint32_t window_id, uint32_t unit_id, int number) {
  const Result r = get_property(window_id, unit_id, number);
  return bits_to_double(words64(r.word[0], r.word[1]));
}

void put_text(uint32_t window_id, uint32_t unit_id, int number, const char* text) {
  uint32_t low, high;
  put_pointer(text, low, high);
  set_property(window_id, unit_id, number, -1, low, high);
}

void put_int(uint32_t window_id, uint32_t unit_id, int number, int32_t value) {
  set_property(window_id, unit_id, number, -1, static_cast<uint32_t>(value), 0);
}

void put_double(uint32_t window_id, uint32_t unit_id, int number, double value) {
  const uint64_t bits = double_to_bits(value);
  set_property(window_id, unit_id, number, -1, static_cast<uint32_t>(bits), static_cast<uint32_t>(bits >> 32));
}

}  // namespace rt
