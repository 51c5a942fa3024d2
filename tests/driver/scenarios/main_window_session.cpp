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

const wchar_t kSchedules[] = L"Software\\定时器\\Schedules";
const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kEntryPrefix[] = L"定时器 ";

std::map<std::wstring, std::wstring> run_entries() {
  std::map<std::wstring, std::wstring> entries;
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun, 0, KEY_READ, &run) != ERROR_SUCCESS) return entries;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256], data[1024];
    DWORD name_size = 256, data_size = sizeof data, type = 0;
    if (RegEnumValueW(run, i, name, &name_size, nullptr, &type, reinterpret_cast<BYTE*>(data), &data_size) !=
        ERROR_SUCCESS)
      break;
    if (std::wstring(name).rfind(kEntryPrefix, 0) == 0 && type == REG_SZ) entries[name] = data;
  }
  RegCloseKey(run);
  return entries;
}

std::vector<std::wstring> record_ids() {
  std::vector<std::wstring> ids;
  HKEY schedules = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSchedules, 0, KEY_READ, &schedules) != ERROR_SUCCESS) return ids;
  wchar_t name[256];
  for (DWORD i = 0; RegEnumKeyW(schedules, i, name, 256) == ERROR_SUCCESS; ++i) ids.push_back(name);
  RegCloseKey(schedules);
  return ids;
}

void forget_kept_schedules() {
  for (const std::wstring& id : record_ids())
    RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kSchedules) + L"\\" + id).c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kSchedules);
  HKEY run = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun, 0, KEY_SET_VALUE, &run) != ERROR_SUCCESS) return;
  for (const auto& entry : run_entries()) RegDeleteValueW(run, entry.first.c_str());
  RegCloseKey(run);
}

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
  if (hour >= 0) {
    if (!focus_unit(main, main_window::kHourBox)) return false;
    const HWND hours = unit(main, main_window::kHourBox);
    drv::press_key(VK_HOME);
    for (int i = 0; i < hour; ++i) drv::press_key(VK_DOWN);
    if (!drv::wait_until([&] { return drv::combo_selection(hours) == hour; })) return false;
  }
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

bool set_time(HWND main, const SYSTEMTIME& t) {
  struct Field {
    int index;
    WORD value;
  };
  bool all_taken = true;
  for (const Field& f : {Field{main_window::kHourBox, t.wHour}, Field{main_window::kMinuteBox, t.wMinute},
                         Field{main_window::kSecondBox, t.wSecond}}) {
    const HWND box = unit(main, f.index);
    const std::wstring text = std::to_wstring(f.value);
    if (f.index == main_window::kHourBox) {
      drv::ask(box, CB_SETCURSEL, f.value);  // a list: its items are the hours from 0
    } else {
      drv::ask(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    all_taken = all_taken && drv::text_of(box) == text;
  }
  return all_taken;
}

bool check(HWND main, int index) {
  return drv::click(unit(main, index)) &&
         drv::wait_until([&] { return drv::check_state(unit(main, index)) == BST_CHECKED; });
}

::testing::AssertionResult start_count(HWND main, int count) {
  const SYSTEMTIME target = local_time_plus(count + kFillingSeconds);
  if (!set_date(main, target)) return ::testing::AssertionFailure() << "the date box did not take the date";
  if (!set_time(main, target)) return ::testing::AssertionFailure() << "the time boxes did not take the time";
  long long left = 0;
  drv::wait_until([&] { return (left = seconds_between(local_time_plus(0), target)) <= count; },
                  1000 * (kFillingSeconds + 2));
  if (left != count) {
    return ::testing::AssertionFailure() << "filling the boxes took more than " << kFillingSeconds << " s";
  }
  const HWND button = unit(main, main_window::kStartButton);
  if (!drv::click(button) || !drv::wait_until([&] { return drv::text_of(button) == L"停止"; })) {
    return ::testing::AssertionFailure() << "the schedule did not start";
  }
  const std::wstring shown = drv::text_of(unit(main, main_window::kRemainingLabel));
  if (shown != std::to_wstring(count)) {
    return ::testing::AssertionFailure() << "it shows " << drv::utf8(shown) << ": the click came a second late";
  }
  return ::testing::AssertionSuccess();
}

Box wait_for_box(DWORD process_id, DWORD timeout_ms) {
  Box box;
  box.window = drv::wait_for_window({L"", L"#32770", process_id, true}, timeout_ms);
  if (box.window) {
    box.found_at = drv::now_ms();
    box.caption = drv::text_of(box.window);
    box.text = drv::text_of(drv::child_by_id(box.window, 0xFFFF));
  }
  return box;
}

bool close_box(const Box& box) {
  if (drv::ex_style_of(box.window) & WS_EX_TOPMOST) drv::wait_until([&] { return drv::now_ms() - box.found_at > 1200; });
  if (!drv::bring_to_front(box.window)) return false;
  drv::press_key(VK_RETURN);
  return drv::wait_until([&] { return !IsWindow(box.window) || !drv::is_visible(box.window); });
}

void MainWindowTest::SetUp() { ASSERT_TRUE(scn::launch(L"timer", {}, main_window::kCaption, &app_)); }

void MainWindowTest::TearDown() {
  if (app_.process.running()) {
    drv::ask(app_.window, WM_CLOSE);
    EXPECT_TRUE(scn::exits_with_zero(app_));
  }
}

HWND MainWindowTest::unit(int index) const { return session::unit(app_.window, index); }
std::wstring MainWindowTest::remaining() const { return drv::text_of(unit(main_window::kRemainingLabel)); }
std::wstring MainWindowTest::button() const { return drv::text_of(unit(main_window::kStartButton)); }

void MainWindowTest::expect_refused() {
  const Box box = wait_for_box(app_.process.id());
  ASSERT_NE(box.window, nullptr) << "a message box";
  EXPECT_EQ(box.caption, L"提示");
  EXPECT_EQ(box.text, L"未设置完整时间!");
  EXPECT_TRUE(close_box(box));
  EXPECT_EQ(button(), L"定时") << "the schedule stays idle";
  EXPECT_EQ(remaining(), L"");
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
