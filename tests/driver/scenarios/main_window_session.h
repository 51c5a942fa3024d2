// Helpers for scenarios that use timer.exe's main window the way a person
// does: what its labels should read, picking a target moment in its boxes,
// and the message boxes it shows.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "scenario_support.h"
#include "timer_windows.h"

namespace timer::session {

// The program's text of a moment: 2014年11月8日12时5分3秒, with the seconds,
// minutes and hour left off when they and everything after them are 0.
std::wstring datetime_text(const SYSTEMTIME& t);

// Local time, moved by a number of seconds.
SYSTEMTIME local_time_plus(int seconds);
// Seconds from a to b (same or next day).
long long seconds_between(const SYSTEMTIME& a, const SYSTEMTIME& b);

// A unit of the main window by its layout index.
HWND unit(HWND main, int index);

// The focus stops are walked with Tab from wherever the focus is until the
// given unit has it; false when it never comes.
bool focus_unit(HWND main, int index);

// Picks the hour from the hour list with the keyboard (Home, then Down) and
// types the minute and second into their boxes. An empty text leaves a box
// empty, and so does a negative hour.
bool enter_time(HWND main, int hour, const std::wstring& minute, const std::wstring& second);

// Sets the hour, minute and second boxes to the time of `t` by messages (the
// hour picked from its list, the others' texts written), as quickly as a
// program can: for scenarios about what happens once a schedule runs.
bool set_time(HWND main, const SYSTEMTIME& t);

// Clicks an unchecked check box and waits until it shows checked.
bool check(HWND main, int index);

// The target of start_count lies this much further ahead while its boxes
// are set.
constexpr int kFillingSeconds = 1;
// Starts a schedule that shows `count` as it starts: the target (date and
// time) is set first, then 定时 clicked early in the second that lies
// `count` seconds before it.
::testing::AssertionResult start_count(HWND main, int count);

// A message box of the program's process, once it shows.
struct Box {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  DWORD found_at = 0;  // drv::now_ms() when it was first seen
};
Box wait_for_box(DWORD process_id, DWORD timeout_ms = drv::kPromptMs);
// Presses Enter in the box and waits until it is gone. A box that came up
// unasked, topmost, takes no key for its first second: the Enter waits.
bool close_box(const Box& box);

// What the program keeps while a schedule counts, read from the registry:
// its records' ids and its entries under Run, by name, with their commands.
// Scenarios that may leave a counting program behind forget them all
// afterwards, so that no sign-in of this Wine session starts it again.
extern const wchar_t kSchedules[];
extern const wchar_t kRun[];
extern const wchar_t kEntryPrefix[];
std::vector<std::wstring> record_ids();
std::map<std::wstring, std::wstring> run_entries();
void forget_kept_schedules();

// Scenarios with timer.exe started; at the end it is closed and must exit
// with 0.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND unit(int index) const;
  std::wstring remaining() const;
  std::wstring button() const;
  // The notice "未设置完整时间!" shows; once it is closed the schedule is
  // still idle and shows no count.
  void expect_refused();

  scn::Launched app_;
};

// Sets the date box to the date of `t` (the time of day does not matter).
bool set_date(HWND main, const SYSTEMTIME& t);

// The rows of the tray icon's menu, top to bottom.
enum TrayRow { kShowRow, kHideRow, kExitRow, kAboutRow, kTrayRows };
// The tray menu of the program's process, once it shows.
HWND wait_for_tray_menu(DWORD process_id);
// Clicks a row (the menu's rows are of equal height inside a thin border)
// and waits until the menu has closed.
bool choose(HWND menu, TrayRow row);

}  // namespace timer::session
