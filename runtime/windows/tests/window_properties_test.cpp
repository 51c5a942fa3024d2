// Numbered properties: round trips, clamps, declared-type conversions, and
// the timer unit.
#include <gtest/gtest.h>

#include <algorithm>

#include "datetime.h"
#include "fatal_catcher.h"
#include "heap.h"
#include "property_rules.h"
#include "window_test_support.h"

namespace {

using namespace rt::prop;

class Properties : public ::testing::Test {
 protected:
  void SetUp() override {
    live_ = rt::live_blocks();
    wt::start();
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  }
  // Texts read were given back, and the units' own copies went with them.
  void TearDown() override {
    wt::finish();
    EXPECT_EQ(rt::live_blocks(), live_);
  }
  static std::string text(uint32_t unit, int number) { return rt::get_text(wt::kA, unit, number).c_str(); }
  long live_ = 0;
};

TEST_F(Properties, PositionAndSizeRoundTripAndClamp) {
  struct Case {
    int number;
    int32_t set, expected;
  };
  const Case cases[] = {{kLeft, 17, 17},        {kTop, 33, 33},         {kWidth, 90, 90},
                        {kHeight, 30, 30},      {kLeft, -40000, -32627}, {kTop, 40000, 32627},
                        {kWidth, -5, 0},        {kHeight, 99999, 32627}};
  for (const Case& c : cases) {
    rt::put_int(wt::kA, wt::kLabel, c.number, c.set);
    EXPECT_EQ(rt::get_int(wt::kA, wt::kLabel, c.number), c.expected) << c.number << " " << c.set;
  }
  // moving keeps the size, resizing keeps the position
  rt::put_int(wt::kA, wt::kButton, kWidth, 100);
  rt::put_int(wt::kA, wt::kButton, kLeft, 40);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kWidth), 100);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kLeft), 40);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kTop), 8);
}

TEST_F(Properties, CaptionsAreCopiedInAndHandedOutNew) {
  char caption[] = "剩余时间(秒):";
  rt::put_text(wt::kA, wt::kLabel, kLabelCaption, caption);
  caption[0] = 'x';  // the label keeps its own copy
  EXPECT_EQ(text(wt::kLabel, kLabelCaption), "剩余时间(秒):");
  EXPECT_EQ(wt::window_text(wt::control(wt::kA, wt::kLabel)), L"剩余时间(秒):");

  rt::put_text(wt::kA, wt::kButton, kButtonCaption, "停止");
  EXPECT_EQ(text(wt::kButton, kButtonCaption), "停止");
  EXPECT_EQ(wt::window_text(wt::control(wt::kA, wt::kButton)), L"停止");

  rt::put_text(wt::kA, wt::kLabel, kLabelCaption, nullptr);  // null is the empty text
  EXPECT_EQ(rt::get_text(wt::kA, wt::kLabel, kLabelCaption).get(), nullptr) << "empty comes back as null";
  EXPECT_EQ(wt::window_text(wt::control(wt::kA, wt::kLabel)), L"");
}

TEST_F(Properties, TagIsAText) {
  EXPECT_EQ(rt::get_text(wt::kA, wt::kCheck, kTag).get(), nullptr);
  rt::put_text(wt::kA, wt::kCheck, kTag, "标记");
  EXPECT_EQ(text(wt::kCheck, kTag), "标记");
}

TEST_F(Properties, BooleansAreStoredAsZeroOrOne) {
  rt::put_int(wt::kA, wt::kCheck, kChecked, 5);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kCheck, kChecked), 1);
  EXPECT_EQ(SendMessageW(wt::control(wt::kA, wt::kCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
  rt::put_int(wt::kA, wt::kCheck, kChecked, 0);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kCheck, kChecked), 0);

  rt::put_int(wt::kA, wt::kButton, kDisabled, -3);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kDisabled), 1);
  EXPECT_FALSE(IsWindowEnabled(wt::control(wt::kA, wt::kButton)));
  rt::put_int(wt::kA, wt::kButton, kVisible, 0);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kVisible), 0);
  EXPECT_FALSE(IsWindowVisible(wt::control(wt::kA, wt::kButton)));
  rt::put_int(wt::kA, wt::kButton, kVisible, 1);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kVisible), 1);
}

TEST_F(Properties, EditAndComboContentIsWhatTheControlHolds) {
  EXPECT_EQ(rt::get_text(wt::kA, wt::kEdit, kEditContent).get(), nullptr);
  SetWindowTextW(wt::control(wt::kA, wt::kEdit), L"用户输入");  // as if typed
  EXPECT_EQ(text(wt::kEdit, kEditContent), "用户输入");
  rt::put_text(wt::kA, wt::kEdit, kEditContent, "提醒");
  EXPECT_EQ(wt::window_text(wt::control(wt::kA, wt::kEdit)), L"提醒");

  EXPECT_EQ(rt::get_text(wt::kA, wt::kComboEdit, kComboContent).get(), nullptr) << "empty before any choice";
  rt::put_text(wt::kA, wt::kComboEdit, kComboContent, "75");
  EXPECT_EQ(text(wt::kComboEdit, kComboContent), "75");
  // a drop-down list has no edit field to write into
  rt::put_text(wt::kA, wt::kComboList, kComboContent, "9");
  EXPECT_EQ(rt::get_text(wt::kA, wt::kComboList, kComboContent).get(), nullptr);
  const HWND list = wt::control(wt::kA, wt::kComboList);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"23"));
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(text(wt::kComboList, kComboContent), "23") << "the chosen item's text";
}

TEST_F(Properties, WindowStateFollowsTheWindowAndActsOnlyWhenVisible) {
  const HWND a = wt::frame(wt::kA);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kAOwn, kWindowState), rt::kStateNormal);
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, rt::kStateMinimised);
  EXPECT_TRUE(IsIconic(a));
  EXPECT_EQ(rt::get_int(wt::kA, wt::kAOwn, kWindowState), rt::kStateMinimised);
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, -4);  // clamped to normal
  EXPECT_FALSE(IsIconic(a));

  rt::put_int(wt::kA, wt::kAOwn, kVisible, 0);
  EXPECT_FALSE(IsWindowVisible(a));
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, rt::kStateMinimised);
  EXPECT_FALSE(IsIconic(a)) << "a hidden window only keeps the value";
  EXPECT_FALSE(IsWindowVisible(a));

  rt::put_int(wt::kA, wt::kAOwn, kVisible, 1);
  EXPECT_TRUE(IsWindowVisible(a));
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, 9);  // clamped to 3: covers the screen
  RECT r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, rt::kStateCentred);
  GetWindowRect(a, &r);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
}

TEST_F(Properties, HidingMinimisedThenShowingComesBackMinimised) {
  const HWND a = wt::frame(wt::kA);
  ShowWindow(a, SW_MINIMIZE);
  rt::put_int(wt::kA, wt::kAOwn, kVisible, 0);
  rt::put_int(wt::kA, wt::kAOwn, kVisible, 1);
  EXPECT_TRUE(IsWindowVisible(a));
  EXPECT_TRUE(IsIconic(a)) << "showing does not change the state";
  rt::put_int(wt::kA, wt::kAOwn, kWindowState, rt::kStateNormal);
  EXPECT_FALSE(IsIconic(a));
}

TEST_F(Properties, DateBoxStartsNowAndReadsBackWhatWasSet) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const double read = rt::get_double(wt::kA, wt::kDate, kSelectedDate);
  EXPECT_GT(read, 40000.0);
  const rt::CalendarFields f = rt::calendar_fields(read);
  EXPECT_EQ(f.year, now.wYear);
  EXPECT_EQ(f.month, now.wMonth);
  EXPECT_EQ(f.day, now.wDay);
  rt::put_double(wt::kA, wt::kDate, kSelectedDate, 41951.5);  // 2014-11-08 12:00
  EXPECT_DOUBLE_EQ(rt::get_double(wt::kA, wt::kDate, kSelectedDate), 41951.5);
}

TEST_F(Properties, UnknownNumbersReadAsZeroAndAreIgnored) {
  rt::put_int(wt::kA, wt::kLabel, 40, 7);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kLabel, 40), 0);
}

TEST_F(Properties, TimerStartsStopsAndKeepsItsPhase) {
  static int ticks;
  static DWORD first_tick;
  ticks = 0;
  wt::hooks().on_tick_a = [] {
    if (ticks++ == 0) first_tick = GetTickCount();
  };
  rt::put_int(wt::kA, wt::kTimerA, kInterval, 80);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kTimerA, kInterval), 80);
  ASSERT_TRUE(wt::pump_until([] { return ticks >= 3; }));
  rt::put_int(wt::kA, wt::kTimerA, kInterval, 0);
  ticks = 0;
  wt::pump_for(300);
  EXPECT_EQ(ticks, 0) << "interval 0 stops the ticks";
  rt::put_int(wt::kA, wt::kTimerA, kInterval, -20);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kTimerA, kInterval), 0);

  // Setting the running interval again does not restart the period: the
  // first tick comes 2 s after the first set, half a second after the
  // second. A restarted period could never tick sooner than 2 s after the
  // second set, so a late tick on a busy machine has 1.4 s to spare.
  rt::put_int(wt::kA, wt::kTimerA, kInterval, 2000);
  wt::pump_for(1500);
  const DWORD second_set = GetTickCount();
  rt::put_int(wt::kA, wt::kTimerA, kInterval, 2000);
  ASSERT_TRUE(wt::pump_until([] { return ticks >= 1; }, 4000));
  EXPECT_LT(first_tick - second_set, 1900u) << "the period started again";
}

TEST_F(Properties, AccessToAWindowThatIsNotLoadedIsFatal) {
  FatalCatcher catcher;
  try {
    rt::get_int(wt::kB, wt::kTimerB, kInterval);
    FAIL();
  } catch (const FatalRaised& e) {
    EXPECT_NE(e.text.find("错误信息：未载入欲访问窗口组件所在的窗口"), std::string::npos);
  }
}

}  // namespace
