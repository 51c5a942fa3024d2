#include "main_window_session.h"

#include <string>

namespace timer::session {

std::wstring datetime_text(const SYSTEMTIME& t) {
  std::wstring s = std::to_wstring(t.wYear) + L"年" + std::to_wstring(t.wMonth) + L"月" + std::to_wstring(t.wDay) + L"日";
  if (t.wSecond) return s + std::to_wstring(t.wHour) + L"时" + std::to_wstring(t.wMinute) + L"分" + std::to_wstring(t.wSecond) + L"秒";
  if (t.wMinute) return s + std::to_wstring(t.wHour) + L"时" + std::to_wstring(t.wMinute) + L"分";
  if (t.wHour) return s + std::to_wstring(t.wHour) + L"时";
  return s;
}

namespace {
ULONGLONG ticks_of(const SYSTEMTIME& t) {
  FILETIME f;
  SystemTimeToFileTime(&t, &f);
  return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}
}  // namespace

SYSTEMTIME local_time_plus(int seconds) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  const ULONGLONG moved = ticks_of(now) + static_cast<ULONGLONG>(static_cast<long long>(seconds) * 10000000LL);
  FILETIME f{static_cast<DWORD>(moved), static_cast<DWORD>(moved >> 32)};
  SYSTEMTIME out;
  FileTimeToSystemTime(&f, &out);
  return out;
}

long long seconds_between(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  SYSTEMTIME x = a, y = b;
  x.wMilliseconds = y.wMilliseconds = 0;
  return (static_cast<long long>(ticks_of(y)) - static_cast<long long>(ticks_of(x))) / 10000000LL;
}

HWND unit(HWND main, int index) { return drv::child_by_id(main, index); }

bool focus_unit(HWND main, int index) {
  if (!drv::bring_to_front(main)) return false;
  // The window gives the focus back to a control a moment after it comes to
  // the front (by way of the frame itself); a Tab pressed before that would
  // land after the check below.
  drv::wait_until([&] { return drv::control_holding(main, drv::focus_in(main)) != nullptr; });
  for (int i = 0; i < 12; ++i) {
    const HWND control = drv::control_holding(main, drv::focus_in(main));
    if (control && drv::control_id(control) == index) return true;
    const HWND before = drv::focus_in(main);
    drv::press_key(VK_TAB);
    drv::wait_until([&] { return drv::focus_in(main) != before; });
  }
  return false;
}

bool enter_time(HWND main, int hour, const std::wstring& minute, const std::wstring& second) {
  if (!focus_unit(main, main_window::kHourBox)) return false;
  const HWND hours = unit(main, main_window::kHourBox);
  drv::press_key(VK_HOME);
  for (int i = 0; i < hour; ++i) drv::press_key(VK_DOWN);
  if (!drv::wait_until([&] { return drv::combo_selection(hours) == hour; })) return false;
  struct Field {
    int index;
    const std::wstring& text;
  };
  for (const Field& f : {Field{main_window::kMinuteBox, minute}, Field{main_window::kSecondBox, second}}) {
    if (!focus_unit(main, f.index)) return false;
    const HWND box = unit(main, f.index);
    if (!f.text.empty()) drv::type_text(f.text);  // Tab selected what was there
    if (!drv::wait_until([&] { return drv::text_of(box) == f.text; })) return false;
  }
  return true;
}

Box wait_for_box(DWORD process_id, DWORD timeout_ms) {
  Box box;
  box.window = drv::wait_for_window({L"", L"#32770", process_id, true}, timeout_ms);
  if (box.window) {
    box.caption = drv::text_of(box.window);
    box.text = drv::text_of(drv::child_by_id(box.window, 0xFFFF));
  }
  return box;
}

bool close_box(const Box& box) {
  if (!drv::bring_to_front(box.window)) return false;
  drv::press_key(VK_RETURN);
  return drv::wait_until([&] { return !IsWindow(box.window) || !drv::is_visible(box.window); });
}

bool set_date(HWND main, const SYSTEMTIME& t) {
  return drv::set_date_box_time(unit(main, main_window::kDateBox), t) &&
         drv::wait_until([&] {
           const std::optional<SYSTEMTIME> shown = drv::date_box_time(unit(main, main_window::kDateBox));
           return shown && shown->wYear == t.wYear && shown->wMonth == t.wMonth && shown->wDay == t.wDay;
         });
}

HWND wait_for_tray_menu(DWORD process_id) { return drv::wait_for_window({L"", L"#32768", process_id, true}); }

bool choose(HWND menu, TrayRow row) {
  if (!menu) return false;
  const RECT r = drv::screen_rect(menu);
  const LONG height = r.bottom - r.top;
  const POINT middle{(r.left + r.right) / 2, r.top + height * (2 * row + 1) / (2 * kTrayRows)};
  return drv::click_screen(middle) && drv::wait_until([&] { return !drv::is_visible(menu); });
}

}  // namespace timer::session
