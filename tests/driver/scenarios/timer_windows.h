// What the scenarios know of the program's two windows from outside: class
// names, captions, and the control IDs of the units (a unit's control ID is
// its index in its window's layout).
#pragma once

#include <windows.h>

namespace timer {

// Window classes of the program's windows and of its label and timer units.
constexpr const wchar_t* kFrameClass = L"TimerRuntimeWindow";
constexpr const wchar_t* kLabelClass = L"TimerRuntimeLabel";
constexpr const wchar_t* kTimerClass = L"TimerRuntimeTimer";

// The virtual desktop every scenario runs in.
constexpr int kScreenWidth = 1024, kScreenHeight = 768;

namespace main_window {
constexpr const wchar_t* kId = L"52010001";  // for layout_host
constexpr const wchar_t* kCaption = L"定时器";
constexpr int kWidth = 380, kHeight = 173;
constexpr int kLowestUnitBottom = 136;  // 编辑框_提醒 ends there

enum Unit : int {
  kCheckMusic = 6,         // 选择框3 "音乐"
  kCountdownTimer = 7,     // 时钟2
  kClockTimer = 8,         // 时钟1
  kReminderEdit = 9,       // 编辑框_提醒
  kCheckReminder = 10,     // 选择框2 "提醒:"
  kCheckShutdown = 11,     // 选择框1 "关机"
  kStartButton = 12,       // 按钮1 "定时"
  kRemainingLabel = 13,    // 标签_剩余时间
  kRemainingCaption = 14,  // 标签6
  kSecondBox = 15,         // 组合框_秒
  kMinuteBox = 16,         // 组合框_分
  kHourBox = 17,           // 组合框_时
  kSecondCaption = 18,     // 标签5 "秒"
  kDateBox = 19,           // 日期框_日期
  kTargetCaption = 20,     // 标签2 "定时时间:"
  kNowLabel = 21,          // 标签_当前时间
  kNowCaption = 22,        // 标签1 "当前时间:"
  kHourCaption = 23,       // 标签3 "时"
  kMinuteCaption = 24,     // 标签4 "分"
};
constexpr int kFirstUnit = kCheckMusic, kLastUnit = kMinuteCaption;
// A tick of 时钟2 in layout_host's event log.
constexpr const char* kCountdownTickLine = "52010001 16010022 0";
}  // namespace main_window

namespace confirm_window {
constexpr const wchar_t* kId = L"5201005E";  // for layout_host
constexpr const wchar_t* kCaption = L"关机";
constexpr int kWidth = 325, kHeight = 139;

enum Unit : int {
  kCountdownTimer = 1,  // 时钟1
  kCancelButton = 2,    // 按钮2 "取消"
  kConfirmButton = 3,   // 按钮1 "确定(10)"
  kQuestion = 4,        // 标签1
};
constexpr int kFirstUnit = kCountdownTimer, kLastUnit = kQuestion;
// Lines of layout_host's event log.
constexpr const char* kCreatedLine = "5201005E 0601005D 0";
constexpr const char* kTickLine = "5201005E 16010062 0";
}  // namespace confirm_window

}  // namespace timer
