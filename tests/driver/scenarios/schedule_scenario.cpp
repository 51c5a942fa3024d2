// Setting a schedule in timer.exe's main window: a target picked in the
// boxes becomes a count of seconds, "停止" stops it, and targets that are
// incomplete or cannot be read are refused.
#include <gtest/gtest.h>

#include <string>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;

class Schedule : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_)); }
  void TearDown() override {
    if (app_.process.running()) {
      drv::ask(app_.window, WM_CLOSE);
      EXPECT_TRUE(scn::exits_with_zero(app_));
    }
  }
  HWND unit(int index) const { return ss::unit(app_.window, index); }
  std::wstring remaining() const { return drv::text_of(unit(kRemainingLabel)); }
  std::wstring button() const { return drv::text_of(unit(kStartButton)); }

  // Enters the target moment (its date too: near midnight it lies on
  // another day) and clicks "定时"; the count of seconds the program should
  // show is measured from the clock just before the click.
  void set_target(const SYSTEMTIME& target, long long* expected_distance) {
    ASSERT_TRUE(ss::set_date(app_.window, target));
    ASSERT_TRUE(ss::enter_time(app_.window, target.wHour, std::to_wstring(target.wMinute), std::to_wstring(target.wSecond)));
    *expected_distance = ss::seconds_between(ss::local_time_plus(0), target);
    ASSERT_TRUE(drv::click(unit(kStartButton)));
  }

  void expect_refused() {
    const ss::Box box = ss::wait_for_box(app_.process.id());
    ASSERT_NE(box.window, nullptr) << "a message box";
    EXPECT_EQ(box.caption, L"提示");
    EXPECT_EQ(box.text, L"未设置完整时间!");
    EXPECT_TRUE(ss::close_box(box));
    EXPECT_EQ(button(), L"定时") << "the schedule stays idle";
    EXPECT_EQ(remaining(), L"");
  }

  scn::Launched app_;
};

TEST_F(Schedule, AnEmptySecondBoxIsRefused) {
  ASSERT_TRUE(ss::enter_time(app_.window, 5, L"30", L""));
  ASSERT_TRUE(drv::click(unit(kStartButton)));
  expect_refused();
}

TEST_F(Schedule, ASecondThatIsNoSecondIsRefused) {
  ASSERT_TRUE(ss::enter_time(app_.window, 5, L"30", L"75"));
  ASSERT_TRUE(drv::click(unit(kStartButton)));
  expect_refused();
}

TEST_F(Schedule, AnHourAheadCounts3600AndStopKeepsTheCount) {
  const SYSTEMTIME target = ss::local_time_plus(3600);
  long long distance = 0;
  set_target(target, &distance);
  ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; }));
  const std::wstring count = remaining();
  // a second boundary may fall between the clock reading and the click
  EXPECT_TRUE(count == std::to_wstring(distance) || count == std::to_wstring(distance - 1))
      << drv::utf8(count) << ", expected " << distance;
  EXPECT_GE(distance, 3595);
  scn::take_shot(app_.window, L"schedule_counting");

  ASSERT_TRUE(drv::click(unit(kStartButton)));
  EXPECT_TRUE(drv::wait_until([&] { return button() == L"定时"; }));
  EXPECT_EQ(remaining(), count) << "stopping keeps the count shown";
}

TEST_F(Schedule, ATargetInThePastCountsItsSecondsLessOne) {
  const SYSTEMTIME target = ss::local_time_plus(-10);
  long long distance = 0;
  set_target(target, &distance);  // negative: the target lies behind
  ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; }));
  const long long behind = -distance;
  const std::wstring count = remaining();
  EXPECT_TRUE(count == std::to_wstring(behind - 1) || count == std::to_wstring(behind))
      << drv::utf8(count) << ", expected " << behind - 1;
}

}  // namespace
