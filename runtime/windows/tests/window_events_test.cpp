// Events as the runtime raises them from window messages, compared as
// recorded sequences.
#include <gtest/gtest.h>

#include "property_rules.h"
#include "service.h"
#include <algorithm>
#include "window_access_win.h"
#include "window_test_support.h"

namespace {

using Log = std::vector<std::string>;

// Ends a message loop that would otherwise never end.
void CALLBACK quit_guard(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(7); }

class WindowEvents : public ::testing::Test {
 protected:
  void SetUp() override { wt::start(); }
  void TearDown() override { wt::finish(); }
};

TEST_F(WindowEvents, LoadRaisesCreatedMovedSizedThenShowsBeforeTheDefaultProcessing) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const Log& log = wt::log();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(Log(log.begin(), log.begin() + 4), (Log{"created", "moved", "sized", "shown"}));
  // Windows itself may report the size and position once more as the window
  // first appears; nothing else happens.
  for (size_t i = 4; i < log.size(); ++i) EXPECT_TRUE(log[i] == "moved" || log[i] == "sized") << log[i];
  EXPECT_TRUE(IsWindowVisible(wt::frame(wt::kA)));
}

TEST_F(WindowEvents, AWindowIsCentredAtItsLayoutSize) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  RECT r;
  GetWindowRect(wt::frame(wt::kA), &r);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 240);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 240) / 2);
}

TEST_F(WindowEvents, MovesAndMinimisingRaisePositionChanged) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const HWND a = wt::frame(wt::kA);
  wt::log().clear();
  SetWindowPos(a, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(wt::log(), (Log{"moved"}));

  // what the minimise-to-tray rule relies on: the state already reads 2
  static std::vector<int32_t> states;
  states.clear();
  wt::hooks().on_moved = [] { states.push_back(rt::get_int(wt::kA, wt::kAOwn, rt::prop::kWindowState)); };
  ShowWindow(a, SW_MINIMIZE);
  ASSERT_FALSE(states.empty());
  EXPECT_EQ(states.back(), rt::kStateMinimised);
}

TEST_F(WindowEvents, EventsAreDroppedWhileSuspended) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  wt::log().clear();
  {
    rt::win::SuspendEvents quiet;
    SetWindowPos(wt::frame(wt::kA), nullptr, 30, 30, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(rt::raise_event(wt::kA, 0, rt::event::kCreated).answered);
  }
  EXPECT_TRUE(wt::log().empty());
  EXPECT_TRUE(rt::raise_event(wt::kA, 0, rt::event::kCreated).answered);
  EXPECT_EQ(wt::log(), (Log{"created"}));
}

// A handler that destroys its own window finishes first, unless it asks for
// the window to go at once.
TEST_F(WindowEvents, HandlerThatDestroysItsOwnWindow) {
  const struct {
    rt::Arg at_once;
    bool loaded_after_click;
    Log log;
  } cases[] = {
      {rt::omitted(), true, {"clicked", "handler end", "destroying"}},
      {rt::arg_bool(true), false, {"clicked", "destroying", "handler end"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.loaded_after_click ? "after the handler" : "at once");
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
    wt::hooks().on_click = [&] {
      rt::call(rt::Service::Destroy, {rt::arg_unit(rt::kTagWindowRef, wt::kA, wt::kAOwn), c.at_once});
      wt::log().push_back("handler end");
    };
    wt::log().clear();
    SendMessageW(wt::control(wt::kA, wt::kButton), BM_CLICK, 0, 0);
    EXPECT_EQ(rt::is_loaded(wt::kA), c.loaded_after_click);
    ASSERT_TRUE(wt::pump_until([] { return !rt::is_loaded(wt::kA); }));
    EXPECT_EQ(wt::log(), c.log);
  }
}

TEST_F(WindowEvents, CloseRequestCanBeRefused) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  wt::hooks().close_requested = [] { return 0; };
  wt::log().clear();
  SendMessageW(wt::frame(wt::kA), WM_CLOSE, 0, 0);
  EXPECT_TRUE(rt::is_loaded(wt::kA));
  EXPECT_EQ(wt::log(), (Log{"close requested"}));

  wt::hooks().close_requested = [] { return 1; };
  wt::hooks().may_close = [] { return 0; };
  wt::log().clear();
  SendMessageW(wt::frame(wt::kA), WM_CLOSE, 0, 0);
  EXPECT_TRUE(rt::is_loaded(wt::kA));
  EXPECT_EQ(wt::log(), (Log{"close requested", "may close"}));

  wt::hooks().may_close = [] { return 1; };
  wt::log().clear();
  SendMessageW(wt::frame(wt::kA), WM_CLOSE, 0, 0);
  EXPECT_FALSE(rt::is_loaded(wt::kA));
  EXPECT_EQ(wt::log(), (Log{"close requested", "may close", "destroying"}));
}

// The end of the session asks may close, then tells whether it ends; a set
// clock is told too. None of them destroys the window.
TEST_F(WindowEvents, TheSessionsEndAndASetClockAreHeard) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const HWND a = wt::frame(wt::kA);
  wt::log().clear();
  wt::hooks().may_close = [] { return 0; };
  EXPECT_EQ(SendMessageW(a, WM_QUERYENDSESSION, 0, 0), FALSE);
  SendMessageW(a, WM_ENDSESSION, FALSE, 0);
  wt::hooks().may_close = [] { return 1; };
  EXPECT_NE(SendMessageW(a, WM_QUERYENDSESSION, 0, 0), FALSE);
  SendMessageW(a, WM_ENDSESSION, TRUE, 0);
  SendMessageW(a, WM_TIMECHANGE, 0, 0);
  EXPECT_TRUE(rt::is_loaded(wt::kA));
  EXPECT_EQ(wt::log(), (Log{"may close", "session ends 0", "may close", "session ends 1", "time changed"}));
}

TEST_F(WindowEvents, MenuCommandsSelectTheItemAtTheirPosition) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const HWND a = wt::frame(wt::kA);
  EXPECT_EQ(GetMenu(a), nullptr) << "a hidden top-level menu leaves no menu bar";
  wt::log().clear();
  for (int id : {20001, 20002, 20000, 20003, 19999, 57601}) SendMessageW(a, WM_COMMAND, id, 0);
  EXPECT_EQ(wt::log(), (Log{"menu 1", "menu 2"}));
}

// Other modules hear of a window's private and registered messages and of
// its destruction by the window's identifier. (Observers stay for the whole
// test program, so these only log while this test listens.)
bool g_listening = false;
bool observe_message(const rt::FrameMessage& m) noexcept {
  if (g_listening) wt::log().push_back("message " + std::to_string(m.message - WM_APP) + " of " +
                                       (m.window_id == wt::kA ? "a" : "?") + " " + std::to_string(m.wparam));
  if (m.wparam == 2) rt::raise_window_event(m, rt::event::kCreated);  // the window's own handler logs it
  return m.wparam != 0;  // 0: not taken, the default processing goes on
}
void observe_destroyed(uint32_t window_id) noexcept {
  if (g_listening) wt::log().push_back(std::string("destroyed ") + (window_id == wt::kA ? "a" : "?"));
}

TEST_F(WindowEvents, ObserversHearOfPrivateMessagesAndOfDestruction) {
  rt::add_message_observer(WM_APP + 1, observe_message);
  rt::add_message_observer(WM_APP + 1, observe_message);  // kept once
  rt::add_message_observer(WM_USER + 1, observe_message);  // below WM_APP: never offered
  rt::add_destroy_observer(observe_destroyed);
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const HWND a = wt::frame(wt::kA);
  EXPECT_EQ(rt::window_handle(wt::kA), a);
  EXPECT_EQ(rt::window_handle(wt::kB), nullptr) << "not loaded";
  g_listening = true;
  wt::log().clear();
  SendMessageW(a, WM_APP + 1, 7, 0);
  SendMessageW(a, WM_APP + 1, 2, 0);
  SendMessageW(a, WM_APP + 1, 0, 0);
  SendMessageW(a, WM_APP + 2, 1, 0);
  SendMessageW(a, WM_USER + 1, 1, 0);
  DestroyWindow(a);
  g_listening = false;
  EXPECT_EQ(wt::log(), (Log{"message 1 of a 7", "message 1 of a 2", "created", "message 1 of a 0", "destroying", "destroyed a"}));
}

TEST_F(WindowEvents, CurrentEventSourceIsTheUnitWhoseHandlerRuns) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  static rt::EventSource inside;
  wt::hooks().on_click = [] { inside = rt::current_event_source(); };
  SendMessageW(wt::control(wt::kA, wt::kButton), BM_CLICK, 0, 0);
  EXPECT_EQ(inside.window_id, wt::kA);
  EXPECT_EQ(inside.unit_id, wt::kButton);
  EXPECT_EQ(rt::current_event_source().window_id, 0u);
}

TEST_F(WindowEvents, LoadingALoadedWindowOnlyBringsItBack) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  const HWND a = wt::frame(wt::kA);
  ShowWindow(a, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(a));
  wt::log().clear();
  EXPECT_TRUE(rt::load_window(wt::kA, 0, false));
  EXPECT_EQ(wt::frame(wt::kA), a) << "nothing is created";
  EXPECT_FALSE(IsIconic(a));
  EXPECT_EQ(std::count(wt::log().begin(), wt::log().end(), "created"), 0);
}

TEST_F(WindowEvents, LoadRefusesUnknownWindowsAndParents) {
  EXPECT_FALSE(rt::load_window(0x52FFFFFF, 0, false));
  EXPECT_FALSE(rt::load_window(wt::kB, wt::kA, false)) << "the parent is not loaded";
  EXPECT_FALSE(rt::is_loaded(wt::kB));
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  ASSERT_TRUE(rt::load_window(wt::kB, wt::kA, false));
  EXPECT_EQ(GetWindow(wt::frame(wt::kB), GW_OWNER), wt::frame(wt::kA));
}

TEST_F(WindowEvents, TheLoopEndsWhenTheLastWindowIsGone) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  ASSERT_TRUE(rt::load_window(wt::kB, 0, false));
  // B closes itself on its first tick; A on the first tick after that.
  wt::hooks().on_tick_b = [] { rt::destroy_unit(wt::kB, wt::kBOwn, false); };
  wt::hooks().on_tick_a = [] {
    if (!rt::is_loaded(wt::kB)) rt::destroy_unit(wt::kA, wt::kAOwn, false);
  };
  rt::put_int(wt::kA, wt::kTimerA, rt::prop::kInterval, 150);
  // a guard that ends a loop that would never end
  const UINT_PTR guard = SetTimer(nullptr, 0, 10000, quit_guard);
  EXPECT_EQ(rt::run_message_loop(), 0);
  KillTimer(nullptr, guard);
  EXPECT_FALSE(rt::is_loaded(wt::kA));
  EXPECT_FALSE(rt::is_loaded(wt::kB));
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "the loop took its quit message";
}

TEST_F(WindowEvents, NoQuitBeforeTheLoopHasStarted) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  rt::destroy_unit(wt::kA, wt::kAOwn, true);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
