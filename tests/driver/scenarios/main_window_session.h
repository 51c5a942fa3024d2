// Helpers for scenarios that use timer.exe's main window the way a person
// does: what its labels should read, picking a target moment in its boxes,
// and the message boxes it shows.
#pragma once

#include <windows.h>

#include <string>

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
// empty.
bool enter_time(HWND main, int hour, const std::wstring& minute, const std::wstring& second);

// A message box of the program's process, once it shows.
struct Box {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};
Box wait_for_box(DWORD process_id, DWORD timeout_ms = drv::kPromptMs);
// Presses Enter in the box and waits until it is gone.
bool close_box(const Box& box);

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
