// Keys and the close button on timer.exe's main window, pressed and clicked
// as a person does: Tab and Shift+Tab walk the focus stops, Esc and the
// close button end the program with exit code 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario_support.h"
#include "timer_windows.h"

namespace {

using namespace timer;
using namespace timer::main_window;

// The focus stops in Tab order.
const std::vector<int> kTabOrder = {kDateBox,     kHourBox,       kMinuteBox,    kSecondBox, kStartButton,
                                    kCheckShutdown, kCheckReminder, kReminderEdit, kCheckMusic};

class MainWindowKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
    ASSERT_TRUE(drv::bring_to_front(app_.window));
  }

  // The unit holding the focus (a combo box for its edit field), 0 for none.
  int focused_unit() const {
    const HWND control = drv::control_holding(app_.window, drv::focus_in(app_.window));
    return control ? drv::control_id(control) : 0;
  }
  // Presses Tab and waits until the focus has moved on; the unit it is in
  // then (still the same one if it did not move).
  int press_tab(unsigned modifiers) {
    const int before = focused_unit();
    EXPECT_TRUE(drv::press_key(VK_TAB, modifiers));
    drv::wait_until([&] { return focused_unit() != before; });
    return focused_unit();
  }

  scn::Launched app_;
};

TEST_F(MainWindowKeys, TabAndShiftTabWalkTheFocusStopsAndWrap) {
  ASSERT_TRUE(drv::wait_until([&] { return focused_unit() == kTabOrder[0]; }))
      << "the first stop has the focus when the window is active, not " << focused_unit();
  std::vector<int> forwards, backwards, expected_forwards, expected_backwards;
  for (size_t i = 1; i <= kTabOrder.size(); ++i) {
    expected_forwards.push_back(kTabOrder[i % kTabOrder.size()]);
    forwards.push_back(press_tab(drv::kNoModifier));
  }
  EXPECT_EQ(forwards, expected_forwards);
  for (size_t i = kTabOrder.size(); i-- > 0;) {
    expected_backwards.push_back(kTabOrder[i]);
    backwards.push_back(press_tab(drv::kShift));
  }
  EXPECT_EQ(backwards, expected_backwards);
}

TEST_F(MainWindowKeys, EscEndsTheProgramWhereverTheFocusIs) {
  // one run of the program per focus stop tried
  const int stops[] = {kDateBox, kHourBox, kMinuteBox, kStartButton, kCheckShutdown, kReminderEdit};
  for (int stop : stops) {
    SCOPED_TRACE("focus in unit " + std::to_string(stop));
    if (!app_.window) {
      ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
      ASSERT_TRUE(drv::bring_to_front(app_.window));
    }
    ASSERT_TRUE(drv::wait_until([&] { return focused_unit() == kTabOrder[0]; }));
    for (size_t i = 1; focused_unit() != stop && i < kTabOrder.size(); ++i) press_tab(drv::kNoModifier);
    ASSERT_EQ(focused_unit(), stop);
    ASSERT_TRUE(drv::press_key(VK_ESCAPE));
    EXPECT_TRUE(scn::exits_with_zero(app_));
    app_.window = nullptr;
  }
}

TEST_F(MainWindowKeys, TheCloseButtonEndsTheProgram) {
  POINT close{};
  ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTCLOSE, &close));
  ASSERT_TRUE(drv::click_screen(close));
  EXPECT_TRUE(scn::exits_with_zero(app_));
}

}  // namespace
