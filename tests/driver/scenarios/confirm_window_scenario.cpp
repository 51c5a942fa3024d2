// The confirmation window loaded on its own (layout_host): its frame, texts
// and units, its timer ticking from creation, the focus on its frame once
// activated and Tab between its two buttons, and Esc or the close button closing
// it without cancelling or shutting down.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "confirm_window_session.h"
#include "window_checks.h"

namespace {

using namespace timer;
using namespace timer::confirm_window;

class ConfirmWindow : public Session {
 protected:
  void SetUp() override { ASSERT_TRUE(open()); }

  int focused_unit() const {
    const HWND control = drv::control_holding(app_.window, drv::focus_in(app_.window));
    return control ? drv::control_id(control) : 0;
  }
  // Closing by Esc or the close button runs no button's handler and asks
  // for no shutdown.
  void expect_closed_without_handlers() {
    EXPECT_TRUE(scn::exits_with_zero(app_));
    EXPECT_EQ(count(kCancelClickedLine), 0);
    EXPECT_EQ(count(kConfirmClickedLine), 0);
    EXPECT_EQ(shutdown_requests(), 0);
  }
};

TEST_F(ConfirmWindow, ShowsItsQuestionAndButtonsCentred) {
  expect_frame(app_.window, kCaption, kWidth, kHeight, /*topmost=*/true);
  EXPECT_EQ(drv::screen_rect(app_.window), (RECT{349, 314, 674, 453})) << "(1024-325)/2, (768-139)/2";
  for (const UnitRow& row : confirm_window_units()) expect_unit(app_.window, row);
  std::vector<int> stack;
  for (HWND child : drv::children(app_.window)) stack.push_back(drv::control_id(child));
  EXPECT_EQ(stack, (std::vector<int>{kCountdownTimer, kCancelButton, kConfirmButton, kQuestion}));
  scn::take_shot(app_.window, L"confirm_window");
}

TEST_F(ConfirmWindow, ItsTimerTicksFromCreation) {
  ASSERT_TRUE(drv::wait_until([&] { return count(kTickLine) >= 3; }, 10000)) << "ticks so far: " << count(kTickLine);
  const std::vector<std::string> lines = log();
  EXPECT_EQ(count(kCreatedLine), 1);
  size_t created = lines.size(), first_tick = lines.size();
  for (size_t i = lines.size(); i-- > 0;) {
    if (lines[i] == kCreatedLine) created = i;
    if (lines[i] == kTickLine) first_tick = i;
  }
  EXPECT_LT(created, first_tick) << "the window is created before its timer first ticks";
  EXPECT_TRUE(IsWindowVisible(app_.window));
}

// Activated (it opens without the keys), its frame holds the focus; Tab then
// reaches 取消 first and walks the two buttons, Shift+Tab the other way.
TEST_F(ConfirmWindow, ActivatedItsFrameHasTheFocusAndTabWalksTheTwoButtons) {
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::wait_until([&] { return drv::focus_in(app_.window) != nullptr; })) << "never focused";
  drv::ask(app_.window, WM_NULL);  // what its activation does has been done
  EXPECT_EQ(drv::focus_in(app_.window), app_.window) << "first focus on unit " << focused_unit();
  const struct {
    unsigned modifiers;
    int expected;
  } steps[] = {{drv::kNoModifier, kCancelButton}, {drv::kNoModifier, kConfirmButton},
               {drv::kNoModifier, kCancelButton}, {drv::kShift, kConfirmButton},
               {drv::kShift, kCancelButton}};
  for (const auto& step : steps) {
    ASSERT_TRUE(drv::press_key(VK_TAB, step.modifiers));
    EXPECT_TRUE(drv::wait_until([&] { return focused_unit() == step.expected; })) << "now " << focused_unit();
  }
}

TEST_F(ConfirmWindow, EscClosesIt) {
  ASSERT_TRUE(drv::wait_until([&] { return count(kTickLine) >= 1; }, 5000)) << "closed while counting";
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::press_key(VK_ESCAPE));
  expect_closed_without_handlers();
}

TEST_F(ConfirmWindow, TheCloseButtonClosesIt) {
  ASSERT_TRUE(drv::wait_until([&] { return count(kTickLine) >= 1; }, 5000)) << "closed while counting";
  POINT close{};
  ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTCLOSE, &close));
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::click_screen(close));
  expect_closed_without_handlers();
}

}  // namespace
