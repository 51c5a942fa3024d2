// Dialog mode: the nested loop, the other windows disabled and given back
// their state, timers still ticking.
#include <gtest/gtest.h>

#include <algorithm>

#include "property_rules.h"
#include "service.h"
#include "window_test_support.h"

#undef MessageBox  // <windows.h> names the service's function; here it is the service

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

// A guard that ends a dialog which would otherwise never end: the test
// fails, as its dialog should have ended by itself long before.
void CALLBACK end_dialog_b(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ADD_FAILURE() << "the guard had to end the dialog";
  rt::destroy_unit(wt::kB, wt::kBOwn, true);
}

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
  // A dialog that is not topmost has no taskbar button of its own; the
  // topmost confirmation has one, and no owner (driver_firing_confirmation).
  EXPECT_NE(g_seen.b_owner, nullptr) << "no taskbar button of its own";
  EXPECT_EQ(g_seen.b_owner, rt::win::runtime().owner);
  EXPECT_TRUE(IsWindowEnabled(wt::frame(wt::kA)));
  const Log& log = wt::log();
  EXPECT_NE(std::find(log.begin(), log.end(), "destroying b"), log.end());
}

// The three ways the wait ends: B destroyed by a handler or closed by its
// close button, after which A has back the state it had (enabled or not);
// or a quit message, which stays for the outer loop while B stays open and
// A waits for it.
TEST_F(DialogMode, TheWaitEndsWithTheDialogOrWithAQuitMessage) {
  const struct {
    const char* way;
    void (*end)();
    bool a_enabled_before, b_stays, a_enabled_after;
  } cases[] = {
      {"destroyed", [] { rt::destroy_unit(wt::kB, wt::kBOwn, false); }, true, false, true},
      {"destroyed, A disabled before", [] { rt::destroy_unit(wt::kB, wt::kBOwn, false); }, false, false, false},
      {"closed", [] { PostMessageW(wt::frame(wt::kB), WM_CLOSE, 0, 0); }, true, false, true},
      {"quit", [] { PostQuitMessage(3); }, true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
    EnableWindow(wt::frame(wt::kA), c.a_enabled_before);
    wt::hooks().on_tick_b = c.end;
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, end_dialog_b);
    EXPECT_TRUE(rt::load_window(wt::kB, 0, true));
    KillTimer(nullptr, guard);
    EXPECT_EQ(rt::is_loaded(wt::kB), c.b_stays);
    EXPECT_EQ(IsWindowEnabled(wt::frame(wt::kA)) != FALSE, c.a_enabled_after);
    MSG m;
    const bool quit = PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(quit ? static_cast<int>(m.wParam) : -1, c.b_stays ? 3 : -1) << "the quit message and its code";
    wt::finish();
    wt::start();
  }
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

void show_box() { rt::call(rt::Service::MessageBox, {rt::arg_text("关于"), rt::arg_int(0), rt::arg_text("关于")}); }

struct Left {
  bool box_opened = false;
  bool rescued = false;  // the guard had to end what the runtime left open
  int b_ticks_after_a = 0;
};
Left g_left;

// Ends a loop that would otherwise never end: closes a box left open, then
// posts the quit message.
void CALLBACK rescue(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_left.rescued = true;
  if (HWND box = gui::thread_box()) SendMessageW(box, WM_COMMAND, IDOK, 0);
  PostQuitMessage(0);
}

// 退出 from the tray: A goes after the callback.
void CALLBACK exit_from_a(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  rt::destroy_unit(wt::kA, wt::kAOwn, false);
}

// What a window that waits in dialog mode for a decision must never do:
// outlive the program's startup window. A stands for the main window, B for
// the shutdown confirmation it waits for, with the about box open over it
// when A is destroyed: the box is left, B goes, the loop ends.
TEST_F(DialogMode, TheStartupWindowGoingEndsTheLoopAndTakesTheDialogAndAnOpenBoxWithIt) {
  rt::load_startup_window(wt::kA);
  g_left = Left();
  wt::hooks().on_tick_a = [] {
    rt::put_int(wt::kA, wt::kTimerA, rt::prop::kInterval, 0);
    rt::load_window(wt::kB, 0, true);
  };
  wt::hooks().on_tick_b = [] {
    if (!rt::is_loaded(wt::kA)) ++g_left.b_ticks_after_a;
    if (g_left.box_opened) return;
    g_left.box_opened = true;
    show_box();
  };
  rt::put_int(wt::kA, wt::kTimerA, rt::prop::kInterval, 50);
  const UINT_PTR exit = SetTimer(nullptr, 0, 400, exit_from_a);
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, rescue);
  EXPECT_EQ(rt::run_message_loop(), 0);
  KillTimer(nullptr, exit);
  KillTimer(nullptr, guard);
  EXPECT_TRUE(g_left.box_opened);
  EXPECT_FALSE(g_left.rescued) << "the box or the loop stayed after the startup window";
  EXPECT_FALSE(rt::is_loaded(wt::kB)) << "the dialog outlived the startup window";
  EXPECT_EQ(g_left.b_ticks_after_a, 0);
}

// A task-modal box disables every window of the thread; one opened while
// B's dialog-mode loop runs leaves B enabled, unless B's own disabled
// property says otherwise. The windows B waits for stay disabled.
struct BoxInDialog {
  bool opened, closed;
  int disabled_property;
  BOOL b_enabled, a_enabled;
};
BoxInDialog g_box;

// Notes what is enabled while the box shows, then closes it.
void CALLBACK look_at_box(HWND, UINT, UINT_PTR id, DWORD) {
  const HWND box = gui::thread_box();
  if (!box) return;
  KillTimer(nullptr, id);
  g_box.b_enabled = IsWindowEnabled(wt::frame(wt::kB));
  g_box.a_enabled = IsWindowEnabled(wt::frame(wt::kA));
  SendMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(DialogMode, ABoxOpenedWhileTheDialogWaitsLeavesItEnabled) {
  BoxInDialog& seen = g_box;
  for (const int disabled_property : {0, 1}) {
    SCOPED_TRACE(disabled_property);
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
    seen = {false, false, disabled_property, -1, -1};
    wt::hooks().on_tick_b = [] {
      if (g_box.closed) rt::destroy_unit(wt::kB, wt::kBOwn, false);
      if (g_box.opened) return;
      g_box.opened = true;
      rt::put_int(wt::kB, wt::kBOwn, rt::prop::kDisabled, g_box.disabled_property);
      show_box();
      g_box.closed = true;
    };
    const UINT_PTR look = SetTimer(nullptr, 0, 50, look_at_box);
    const UINT_PTR guard = SetTimer(nullptr, 0, 5000, end_dialog_b);
    EXPECT_TRUE(rt::load_window(wt::kB, 0, true));
    KillTimer(nullptr, look);
    KillTimer(nullptr, guard);
    ASSERT_TRUE(seen.closed) << "no box was seen";
    EXPECT_EQ(seen.b_enabled != FALSE, disabled_property == 0);
    EXPECT_FALSE(seen.a_enabled);
    EXPECT_TRUE(IsWindowEnabled(wt::frame(wt::kA)));
    wt::finish();
    wt::start();
  }
}

}  // namespace
