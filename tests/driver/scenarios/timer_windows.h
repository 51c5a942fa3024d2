// What the scenarios know of the program's two windows from outside: class
// names, captions, and the control IDs of the units. A unit's control ID is
// its index in its window's layout, and identifiers are the layouts' own:
// both are read off the layouts library, never copied here by hand. Sizes
// and positions that scenarios assert stay literals in the scenarios.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "confirm_window.h"
#include "layout_facts.h"
#include "main_window.h"
#include "unit.h"

namespace timer {

// Window classes of the program's windows and of its label and timer units.
constexpr const wchar_t* kFrameClass = L"TimerRuntimeWindow";
constexpr const wchar_t* kLabelClass = L"TimerRuntimeLabel";
constexpr const wchar_t* kTimerClass = L"TimerRuntimeTimer";

// The virtual desktop every scenario runs in.
constexpr int kScreenWidth = 1024, kScreenHeight = 768;

// The tray icon's callback message and identifier, as the program asks the
// shell for them: what the notification area posts to the main window.
constexpr UINT kTrayMessage = 0x8064;
constexpr UINT kTrayIconId = 100;

// A window's identifier as layout_host takes it (hexadecimal).
inline std::wstring host_window_id(uint32_t window) {
  wchar_t text[9];
  swprintf(text, 9, L"%08X", static_cast<unsigned>(window));
  return text;
}
// The first unit of a layout after its menu items: the units from there to
// the end have a window of their own (controls and timers).
inline int first_unit_after_menus(const rt::WindowDef& def) {
  int i = 1;
  while (i < def.unit_count && def.units[i].cls == rt::UnitClass::MenuItem) ++i;
  return i;
}
// A line of layout_host's event log: "WINDOW UNIT EVENT".
inline std::string host_event_line(uint32_t window, uint32_t unit, int event) {
  char line[32];
  snprintf(line, sizeof line, "%08X %08X %d", static_cast<unsigned>(window), static_cast<unsigned>(unit), event);
  return line;
}

namespace main_window {
namespace mw = layouts::main_window;
inline const std::wstring kId = host_window_id(mw::kWindow);
constexpr const wchar_t* kCaption = L"定时器";
constexpr int kWidth = 380, kHeight = 173;

using Unit = int;
inline Unit unit_id(uint32_t unit) { return layouts::unit_index(mw::kLayout, unit); }
inline const Unit kCheckMusic = unit_id(mw::选择框3);          // "音乐"
inline const Unit kCountdownTimer = unit_id(mw::时钟2);
inline const Unit kClockTimer = unit_id(mw::时钟1);
inline const Unit kReminderEdit = unit_id(mw::编辑框_提醒);
inline const Unit kCheckReminder = unit_id(mw::选择框2);       // "提醒:"
inline const Unit kCheckShutdown = unit_id(mw::选择框1);       // "关机"
inline const Unit kStartButton = unit_id(mw::按钮1);           // "定时"
inline const Unit kRemainingLabel = unit_id(mw::标签_剩余时间);
inline const Unit kRemainingCaption = unit_id(mw::标签6);
inline const Unit kSecondBox = unit_id(mw::组合框_秒);
inline const Unit kMinuteBox = unit_id(mw::组合框_分);
inline const Unit kHourBox = unit_id(mw::组合框_时);
inline const Unit kSecondCaption = unit_id(mw::标签5);         // "秒"
inline const Unit kDateBox = unit_id(mw::日期框_日期);
inline const Unit kTargetCaption = unit_id(mw::标签2);         // "定时时间:"
inline const Unit kNowLabel = unit_id(mw::标签_当前时间);
inline const Unit kNowCaption = unit_id(mw::标签1);            // "当前时间:"
inline const Unit kHourCaption = unit_id(mw::标签3);           // "时"
inline const Unit kMinuteCaption = unit_id(mw::标签4);         // "分"
inline const Unit kFirstUnit = first_unit_after_menus(mw::kLayout), kLastUnit = mw::kLayout.unit_count - 1;
// Ticks of 时钟2 (the countdown) and 时钟1 (the clock) in layout_host's
// event log.
inline const std::string kCountdownTickLine = host_event_line(mw::kWindow, mw::时钟2, rt::event::kTick);
inline const std::string kClockTickLine = host_event_line(mw::kWindow, mw::时钟1, rt::event::kTick);
}  // namespace main_window

namespace confirm_window {
namespace cw = layouts::confirm_window;
inline const std::wstring kId = host_window_id(cw::kWindow);
constexpr const wchar_t* kCaption = L"关机";
constexpr int kWidth = 325, kHeight = 139;

using Unit = int;
inline Unit unit_id(uint32_t unit) { return layouts::unit_index(cw::kLayout, unit); }
inline const Unit kCountdownTimer = unit_id(cw::时钟1);
inline const Unit kCancelButton = unit_id(cw::按钮2);   // "取消"
inline const Unit kConfirmButton = unit_id(cw::按钮1);  // "确定(10)"
inline const Unit kQuestion = unit_id(cw::标签1);
inline const Unit kFirstUnit = first_unit_after_menus(cw::kLayout), kLastUnit = cw::kLayout.unit_count - 1;
// Lines of layout_host's event log.
inline const std::string kCreatedLine = host_event_line(cw::kWindow, cw::kOwn, rt::event::kCreated);
inline const std::string kTickLine = host_event_line(cw::kWindow, cw::时钟1, rt::event::kTick);
}  // namespace confirm_window

}  // namespace timer
