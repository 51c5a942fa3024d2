// The confirmation window's countdown as a user lives it (layout_host, with
// shutdown requests recorded, never made): 确定(10) to 确定(0) one tick at a
// time and then the request; 确定 asking at once and freezing the caption;
// 取消 closing it, after which a new window counts from 10 again; and the
// window in front of the program the user is working in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "confirm_window_session.h"

namespace {

using namespace timer;
using namespace timer::confirm_window;
using drv::wait_until;

// The whole countdown takes eleven ticks of one second.
constexpr DWORD kCountdownMs = 20000;
// Long enough for two more ticks of a timer that was not stopped.
constexpr DWORD kTwoTicksMs = 2500;

using ConfirmCountdown = Session;

TEST_F(ConfirmCountdown, CountsDownTickByTickThenRequestsTheShutdownOnce) {
  ASSERT_TRUE(open());
  // Every caption the button shows, with the number of ticks logged when it
  // first showed.
  struct Seen {
    std::wstring caption;
    int ticks;
  };
  std::vector<Seen> seen;
  const bool reached_zero = wait_until(
      [&] {
        const std::wstring caption = confirm_caption();
        if (seen.empty() || seen.back().caption != caption) seen.push_back({caption, count(kTickLine)});
        return caption == confirm_caption_of(0);
      },
      kCountdownMs);
  ASSERT_TRUE(reached_zero) << "last caption " << drv::utf8(seen.back().caption);
  ASSERT_EQ(seen.size(), 11u);
  for (int i = 0; i <= 10; ++i) {
    EXPECT_EQ(drv::utf8(seen[i].caption), drv::utf8(confirm_caption_of(10 - i)));
    EXPECT_EQ(seen[i].ticks, i) << drv::utf8(seen[i].caption) << " showed after this many ticks";
  }

  ASSERT_TRUE(wait_until([&] { return shutdown_requests() > 0; })) << "no request after 确定(0)";
  const std::vector<std::string> lines = log();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), kShutdownRequestLine);
  EXPECT_EQ(lines[lines.size() - 2], kTickLine) << "the request comes with a tick";
  EXPECT_EQ(count(kTickLine), 11);

  EXPECT_FALSE(wait_until([&] { return count(kTickLine) > 11; }, kTwoTicksMs)) << "the countdown stopped";
  EXPECT_EQ(shutdown_requests(), 1);
  EXPECT_EQ(drv::utf8(confirm_caption()), drv::utf8(confirm_caption_of(0)));
  EXPECT_TRUE(drv::is_visible(app_.window)) << "the window stays until Windows ends the program";
}

// A click on 确定 as the window comes up (on its way, a double-click's second) only
// activates it: 确定 asks at the next, at 确定(8); 取消 is pressed at 确定(9), since it
// works at once. The first test watched the rest of the count.
TEST_F(ConfirmCountdown, ConfirmRequestsAtOnceAndFreezesTheCaption) {
  ASSERT_TRUE(open());
  ASSERT_TRUE(drv::click_screen(drv::centre_of(unit(kConfirmButton))));
  ASSERT_TRUE(wait_until([&] { return confirm_caption() == confirm_caption_of(8); }, kCountdownMs));
  ASSERT_EQ(shutdown_requests(), 0) << "the click as the window came up asked";
  ASSERT_TRUE(drv::click(unit(kConfirmButton)));
  ASSERT_TRUE(wait_until([&] { return shutdown_requests() == 1; }));
  EXPECT_EQ(log().back(), kShutdownRequestLine);

  // A tick may have come between reading 确定(8) and the click.
  const std::wstring frozen = confirm_caption();
  EXPECT_TRUE(frozen == confirm_caption_of(8) || frozen == confirm_caption_of(7)) << drv::utf8(frozen);
  const int ticks = count(kTickLine);
  EXPECT_FALSE(wait_until([&] { return confirm_caption() != frozen || count(kTickLine) != ticks; }, kTwoTicksMs))
      << "still counting: " << drv::utf8(confirm_caption());
  EXPECT_EQ(shutdown_requests(), 1);

  // Windows did not end the program: the user may ask again.
  ASSERT_TRUE(drv::click(unit(kConfirmButton)));
  EXPECT_TRUE(wait_until([&] { return shutdown_requests() == 2; }));
  EXPECT_EQ(drv::utf8(confirm_caption()), drv::utf8(frozen));
}

TEST_F(ConfirmCountdown, CancelClosesTheWindowAndTheNextOneStartsAtTen) {
  ASSERT_TRUE(open(/*again=*/true));
  const HWND first = app_.window;
  ASSERT_TRUE(wait_until([&] { return confirm_caption() == confirm_caption_of(9); }, kCountdownMs));
  ASSERT_TRUE(drv::click(unit(kCancelButton)));
  ASSERT_TRUE(wait_until([&] { return !IsWindow(first); })) << "取消 did not close the window";
  EXPECT_EQ(count(kCancelClickedLine), 1);

  // layout_host opens the window again, as the next firing schedule would.
  app_.window = drv::wait_for_window({kCaption, L"", app_.process.id(), true});
  ASSERT_NE(app_.window, nullptr);
  const int ticks_before = count(kTickLine);
  EXPECT_EQ(count(kCreatedLine), 2);
  EXPECT_EQ(drv::utf8(confirm_caption()), drv::utf8(confirm_caption_of(10)));
  ASSERT_TRUE(wait_until([&] { return count(kTickLine) > ticks_before; }));
  EXPECT_TRUE(wait_until([&] { return confirm_caption() == confirm_caption_of(9); }))
      << "after its first tick: " << drv::utf8(confirm_caption());
  EXPECT_EQ(shutdown_requests(), 0) << "nothing is shut down after 取消";

  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::press_key(VK_ESCAPE));
  EXPECT_TRUE(scn::exits_with_zero(app_));
}

// The confirmation can open while the user works in another program, whose
// window here covers the middle of the screen: it opens topmost, in front,
// but leaves the other program in the foreground, and stays in front when
// that program is brought forward again.
TEST_F(ConfirmCountdown, OpensTopmostInFrontOfAnotherProgramWithoutTakingTheForeground) {
  scn::Launched other;
  ASSERT_TRUE(host::launch_covering_program(&other));

  ASSERT_TRUE(open());
  EXPECT_NE(drv::ex_style_of(app_.window) & WS_EX_TOPMOST, 0u);
  EXPECT_FALSE(wait_until([&] { return GetForegroundWindow() != other.window; }, 1000)) << "it took the foreground";

  ASSERT_TRUE(drv::bring_to_front(other.window));
  const POINT middle = drv::centre_of(app_.window);
  RECT covered{};
  ASSERT_TRUE(GetWindowRect(other.window, &covered));
  ASSERT_TRUE(PtInRect(&covered, middle)) << "the other window does not reach the middle of the confirmation";
  // Hit-testing follows the stacking that the display shows. (A desktop
  // screenshot does not here: under Wine it shows the active window on top.)
  EXPECT_EQ(GetAncestor(WindowFromPoint(middle), GA_ROOT), app_.window) << "the other program covers it";
  other.process.end();
}

// The user clicks another program and then 确定, a second later: the click only activates
// the confirmation, and the focus starts on its frame, not on the button that had it, so
// that a Space or an Enter then still presses nothing. Then Space held down, for the
// frame, while a press on 确定 is dragged off it; Space's repeat reaches 确定, which has
// the focus now, and Space comes up: no click, nor from a click 确定 reports afterwards
// without a press of its own (sent by another program, say).
TEST_F(ConfirmCountdown, ClickedAwayAndBackTheFocusStartsOnTheFrameAndAHeldSpaceClicksNothing) {
  scn::Launched other;
  ASSERT_TRUE(host::launch_covering_program(&other));
  ASSERT_TRUE(open());
  ASSERT_TRUE(drv::click_screen(drv::centre_of(unit(kQuestion))));
  const struct {
    int tabs;
    HWND before;
  } cases[] = {{1, unit(kCancelButton)}, {2, unit(kConfirmButton)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tabs);
    ASSERT_TRUE(wait_until([&] { return drv::focus_in(app_.window) != nullptr; }));
    for (int i = 0; i < c.tabs; ++i) {
      const HWND before = drv::focus_in(app_.window);
      ASSERT_TRUE(drv::press_key(VK_TAB));
      ASSERT_TRUE(wait_until([&] { return drv::focus_in(app_.window) != before; }));
    }
    ASSERT_EQ(drv::focus_in(app_.window), c.before);
    // A corner of the other window that the confirmation leaves free.
    ASSERT_TRUE(drv::click_screen(drv::screen_point(other.window, {4, 4})));
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == other.window; }));
    const DWORD away = drv::now_ms();
    ASSERT_TRUE(wait_until([&] { return drv::now_ms() - away > 1100; }));
    ASSERT_TRUE(drv::click_screen(drv::centre_of(unit(kConfirmButton))));
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == app_.window && drv::focus_in(app_.window); }));
    drv::ask(app_.window, WM_NULL);  // what its activation does has been done
    EXPECT_EQ(drv::focus_in(app_.window), app_.window) << drv::describe(drv::focus_in(app_.window));
    ASSERT_TRUE(drv::press_key(VK_SPACE) && drv::press_key(VK_RETURN));
  }
  const DWORD back = drv::now_ms();
  ASSERT_TRUE(wait_until([&] { return drv::now_ms() - back > 1100; }));
  ASSERT_TRUE(drv::send_key(VK_SPACE, false));
  ASSERT_TRUE(drv::drag_screen(drv::centre_of(unit(kConfirmButton)), drv::centre_of(unit(kQuestion))));
  ASSERT_TRUE(wait_until([&] { return drv::focus_in(app_.window) == unit(kConfirmButton); }));
  ASSERT_TRUE(drv::send_key(VK_SPACE, false) && drv::send_key(VK_SPACE, true));  // a repeat, then up
  ASSERT_TRUE(drv::press_key(VK_TAB));  // the keys before it are handled once it has moved the focus
  ASSERT_TRUE(wait_until([&] { return drv::focus_in(app_.window) == unit(kCancelButton); }));
  drv::ask(app_.window, WM_COMMAND, MAKEWPARAM(kConfirmButton, BN_CLICKED), reinterpret_cast<LPARAM>(unit(kConfirmButton)));
  EXPECT_EQ(count(kConfirmClickedLine), 0);
  EXPECT_EQ(shutdown_requests(), 0);
  other.process.end();
}

}  // namespace
