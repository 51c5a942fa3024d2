// Dialog mode: the nested loop, the other windows disabled and given back
// their state, timers still ticking.
#include <gtest/gtest.h>

#include <algorithm>

#include "property_rules.h"
#include "service.h"
#include "window_test_support.h"

namespace {

using Log = std::vector<std::string>;

class DialogMode : public ::testing::Test {
 protected:
  void SetUp() override { wt::start(); }
  void TearDown() override { wt::finish(); }
};

struct Seen {
  bool a_enabled_during = true;
  int a_ticks_during = 0;
  HWND b_owner = nullptr;
};
Seen g_seen;

// A guard that ends a dialog which would otherwise never end.
void CALLBACK end_dialog_b(HWND, UINT, UINT_PTR, DWORD) { rt::destroy_unit(wt::kB, wt::kBOwn, true); }

TEST_F(DialogMode, DisablesTheOthersWhileTheirTimersTickThenGivesThemBack) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  g_seen = Seen();
  rt::put_int(wt::kA, wt::kTimerA, rt::prop::kInterval, 50);
  wt::hooks().on_created_b = [] { g_seen.b_owner = GetWindow(wt::frame(wt::kB), GW_OWNER); };
  wt::hooks().on_tick_a = [] {
    if (!rt::is_loaded(wt::kB)) return;
    ++g_seen.a_ticks_during;
    g_seen.a_enabled_during = IsWindowEnabled(wt::frame(wt::kA)) != FALSE;
  };
  // B ends its own dialog once A's timer has ticked a few times meanwhile.
  wt::hooks().on_tick_b = [] {
    if (g_seen.a_ticks_during >= 3)
      rt::call(rt::Service::Destroy, {rt::arg_unit(rt::kTagWindowRef, wt::kB, wt::kBOwn), rt::omitted()});
  };
  const UINT_PTR guard = SetTimer(nullptr, 0, 15000, end_dialog_b);
  const rt::Result r = rt::call(rt::Service::LoadWindow,
                                {rt::arg_unit(rt::kTagWindowRef, wt::kB, wt::kBOwn), rt::omitted(), rt::arg_bool(true)});
  KillTimer(nullptr, guard);

  EXPECT_TRUE(rt::result_bool(r));
  EXPECT_FALSE(rt::is_loaded(wt::kB)) << "load returns only when the dialog is gone";
  EXPECT_GE(g_seen.a_ticks_during, 3);
  EXPECT_FALSE(g_seen.a_enabled_during);
  EXPECT_EQ(g_seen.b_owner, rt::win::runtime().owner) << "no taskbar button of its own";
  EXPECT_TRUE(IsWindowEnabled(wt::frame(wt::kA)));
  const Log& log = wt::log();
  EXPECT_NE(std::find(log.begin(), log.end(), "destroying b"), log.end());
}

TEST_F(DialogMode, AWindowDisabledBeforeStaysDisabled) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  EnableWindow(wt::frame(wt::kA), FALSE);
  wt::hooks().on_tick_b = [] { rt::destroy_unit(wt::kB, wt::kBOwn, false); };
  EXPECT_TRUE(rt::load_window(wt::kB, 0, true));
  EXPECT_FALSE(IsWindowEnabled(wt::frame(wt::kA)));
}

TEST_F(DialogMode, ClosingTheDialogByItsCloseButtonEndsTheWait) {
  ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  wt::hooks().on_tick_b = [] { PostMessageW(wt::frame(wt::kB), WM_CLOSE, 0, 0); };
  EXPECT_TRUE(rt::load_window(wt::kB, 0, true));
  EXPECT_FALSE(rt::is_loaded(wt::kB));
  EXPECT_TRUE(IsWindowEnabled(wt::frame(wt::kA)));
}

TEST_F(DialogMode, AQuitMessageEndsTheWaitAndStaysForTheOuterLoop) {
  wt::hooks().on_tick_b = [] { PostQuitMessage(3); };
  EXPECT_TRUE(rt::load_window(wt::kB, 0, true));
  EXPECT_TRUE(rt::is_loaded(wt::kB));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(DialogMode, ALayoutTimerTicksFromCreationAndStopsWithItsWindow) {
  ASSERT_TRUE(rt::load_window(wt::kB, 0, false));
  ASSERT_TRUE(wt::pump_until([] { return std::count(wt::log().begin(), wt::log().end(), "tick b") >= 2; }));
  EXPECT_EQ(rt::get_int(wt::kB, wt::kTimerB, rt::prop::kInterval), 100);
  rt::destroy_unit(wt::kB, wt::kBOwn, true);
  wt::log().clear();
  wt::pump_for(400);
  EXPECT_TRUE(wt::log().empty());
}

}  // namespace
