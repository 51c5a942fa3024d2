#include "window_checks.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "timer_windows.h"

namespace timer {

const Bits kAnyStyle{0, 0};
const Bits kNoExStyle{WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TRANSPARENT, 0};
// Labels draw themselves: no border, no focus stop of Windows' own.
const Bits kLabelStyle{WS_BORDER | WS_TABSTOP | WS_DISABLED, 0};
// Automatic check box, box left and caption after it, vertically centred.
const Bits kCheckBoxStyle{BS_TYPEMASK | BS_LEFTTEXT | BS_PUSHLIKE | BS_FLAT | BS_RIGHT | BS_VCENTER | BS_MULTILINE | BS_BITMAP | BS_ICON,
                     BS_AUTOCHECKBOX | BS_VCENTER | BS_MULTILINE};
// An ordinary push button (not the default one), caption centred both ways.
const Bits kPushButtonStyle{BS_TYPEMASK | BS_CENTER | BS_VCENTER | BS_MULTILINE | BS_FLAT | BS_BITMAP | BS_ICON,
                       BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE};
// Combo boxes: unsorted, scrolling sideways. (A box keeps no scroll-bar
// style itself; its list shows one when it holds more items than fit.)
constexpr DWORD kComboBits = CBS_DROPDOWNLIST | CBS_SORT | CBS_AUTOHSCROLL;
const Bits kDropDownListStyle{kComboBits, CBS_DROPDOWNLIST | CBS_AUTOHSCROLL};
const Bits kDropDownStyle{kComboBits, CBS_DROPDOWN | CBS_AUTOHSCROLL};
// Long date, a drop-down calendar (not up-down), no "no date" box.
const Bits kDateBoxStyle{DTS_LONGDATEFORMAT | DTS_UPDOWN | DTS_SHOWNONE | DTS_APPCANPARSE | 0x0008 /* time format */,
                    DTS_LONGDATEFORMAT};
const Bits kClientEdge{WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE};
// One left-aligned line of ordinary input that scrolls sideways and hides
// its selection without the focus.
const Bits kEditBoxStyle{ES_MULTILINE | ES_CENTER | ES_RIGHT | ES_AUTOHSCROLL | ES_READONLY | ES_PASSWORD | ES_UPPERCASE |
                        ES_LOWERCASE | ES_NOHIDESEL | ES_NUMBER,
                    ES_AUTOHSCROLL};

std::vector<UnitRow> main_window_units() {
  using namespace main_window;
  return {
      {kCheckMusic, "check box music", L"Button", 72, 88, 80, 24, L"音乐", kCheckBoxStyle, kNoExStyle, true},
      {kCountdownTimer, "countdown timer", kTimerClass, 232, 64, 26, 26, nullptr, kAnyStyle, kAnyStyle, false},
      {kClockTimer, "clock timer", kTimerClass, 344, 0, 26, 26, nullptr, kAnyStyle, kAnyStyle, false},
      {kReminderEdit, "reminder edit box", L"Edit", 64, 112, 288, 20, L"", kEditBoxStyle, kClientEdge, true},
      {kCheckReminder, "check box reminder", L"Button", 8, 112, 80, 24, L"提醒:", kCheckBoxStyle, kNoExStyle, true},
      {kCheckShutdown, "check box shutdown", L"Button", 8, 88, 80, 24, L"关机", kCheckBoxStyle, kNoExStyle, true},
      {kStartButton, "start button", L"Button", 272, 64, 80, 32, L"定时", kPushButtonStyle, kNoExStyle, true},
      {kRemainingLabel, "remaining seconds", kLabelClass, 88, 64, 80, 24, L"", kLabelStyle, kNoExStyle, true},
      {kRemainingCaption, "label 6", kLabelClass, 8, 64, 80, 24, L"剩余时间(秒):", kLabelStyle, kNoExStyle, true},
      {kSecondBox, "second box", L"ComboBox", 291, 40, 40, 0, L"", kDropDownStyle, kAnyStyle, true},
      {kMinuteBox, "minute box", L"ComboBox", 235, 40, 40, 0, L"", kDropDownStyle, kAnyStyle, true},
      {kHourBox, "hour box", L"ComboBox", 176, 40, 40, 0, L"", kDropDownListStyle, kAnyStyle, true},
      {kSecondCaption, "label 5", kLabelClass, 336, 38, 20, 24, L"秒", kLabelStyle, kNoExStyle, true},
      {kDateBox, "date box", L"SysDateTimePick32", 64, 40, 112, 22, nullptr, kDateBoxStyle, kClientEdge, true},
      {kTargetCaption, "label 2", kLabelClass, 8, 40, 80, 24, L"定时时间:", kLabelStyle, kNoExStyle, true},
      // the clock writes the current time here once a second
      {kNowLabel, "current time", kLabelClass, 72, 8, 288, 24, nullptr, kLabelStyle, kNoExStyle, true},
      {kNowCaption, "label 1", kLabelClass, 8, 8, 80, 24, L"当前时间:", kLabelStyle, kNoExStyle, true},
      {kHourCaption, "label 3", kLabelClass, 219, 38, 16, 24, L"时", kLabelStyle, kNoExStyle, true},
      {kMinuteCaption, "label 4", kLabelClass, 275, 38, 16, 24, L"分", kLabelStyle, kNoExStyle, true},
  };
}

std::vector<UnitRow> confirm_window_units() {
  using namespace confirm_window;
  return {
      {kCountdownTimer, "countdown timer", kTimerClass, 280, 16, 26, 26, nullptr, kAnyStyle, kAnyStyle, false},
      {kCancelButton, "cancel button", L"Button", 200, 64, 88, 24, L"取消", kPushButtonStyle, kNoExStyle, true},
      {kConfirmButton, "confirm button", L"Button", 104, 64, 88, 24, L"确定(10)", kPushButtonStyle, kNoExStyle, true},
      {kQuestion, "question", kLabelClass, 32, 24, 144, 24, L"是否要真的关闭计算机呢?", kLabelStyle, kNoExStyle, true},
  };
}

void expect_frame(HWND w, const wchar_t* caption, int width, int height, bool topmost) {
  EXPECT_EQ(drv::class_of(w), kFrameClass);
  EXPECT_EQ(drv::text_of(w), caption);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kScreenWidth) << "the scenario's virtual desktop";
  EXPECT_EQ(drv::screen_rect(w), (RECT{left, top, left + width, top + height}));

  const DWORD style = drv::style_of(w), ex = drv::ex_style_of(w);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_CHILD),
            static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX))
      << "fixed frame, system menu and minimise box, no maximise box";
  EXPECT_EQ((ex & WS_EX_TOPMOST) != 0, topmost) << "topmost";
  EXPECT_TRUE(drv::is_visible(w));
  EXPECT_TRUE(drv::is_enabled(w));

  EXPECT_FALSE(drv::has_menu_bar(w));
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, ex);
  const SIZE client = drv::client_size(w);
  EXPECT_EQ(client.cx, width - (frame.right - frame.left));
  EXPECT_EQ(client.cy, height - (frame.bottom - frame.top)) << "the client area of a window without a menu bar";
}

void expect_unit(HWND window, const UnitRow& row) {
  SCOPED_TRACE(std::string(row.name) + " #" + std::to_string(row.id));
  const HWND w = drv::child_by_id(window, row.id);
  ASSERT_NE(w, nullptr) << "no control with this ID";
  EXPECT_EQ(drv::class_of(w), row.cls);
  const RECT r = drv::rect_in_parent(w);
  EXPECT_EQ(r.left, row.left);
  EXPECT_EQ(r.top, row.top);
  EXPECT_EQ(r.right - r.left, row.width);
  if (row.height) {
    EXPECT_EQ(r.bottom - r.top, row.height);
  }
  if (row.text) {
    EXPECT_EQ(drv::utf8(drv::text_of(w)), drv::utf8(row.text));
  }
  EXPECT_EQ(drv::style_of(w) & row.style.mask, row.style.value) << std::hex << "style " << drv::style_of(w);
  EXPECT_EQ(drv::ex_style_of(w) & row.ex_style.mask, row.ex_style.value) << std::hex << "ex-style " << drv::ex_style_of(w);
  EXPECT_EQ(drv::is_visible(w), row.visible);
  EXPECT_TRUE(drv::is_enabled(w));
}

}  // namespace timer
