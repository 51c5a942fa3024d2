// Keys the runtime handles itself: Tab walks the focus stops, Esc closes.
#include <gtest/gtest.h>

#include "property_rules.h"
#include "window_test_support.h"

namespace {

class WindowKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    wt::start();
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
    SetForegroundWindow(wt::frame(wt::kA));
  }
  void TearDown() override {
    set_shift(false);
    wt::finish();
  }

  // Presses a key in whatever has the focus, as the message loop sees it,
  // and returns once the loop has taken it and what it posted in turn (the
  // character that translating it posts): a thread message posted behind
  // the key comes out of the queue after it, a second one after whatever
  // handling the key posted.
  static void press(WPARAM key) {
    HWND target = GetFocus() ? GetFocus() : wt::frame(wt::kA);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    for (int round = 0; round < 2; ++round) {
      constexpr UINT kBehind = WM_APP + 0x3F;
      PostThreadMessageW(GetCurrentThreadId(), kBehind, 0, 0);
      ASSERT_TRUE(wt::pump_until([] {
        MSG m;
        return !PeekMessageW(&m, nullptr, kBehind, kBehind, PM_NOREMOVE);
      })) << "the key was never taken from the queue";
    }
  }
  static void set_shift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  // The unit that has the focus (a combo box for its edit field).
  static uint32_t focused_unit() {
    rt::win::LoadedWindow* w = rt::win::find_window(wt::kA);
    rt::win::Unit* u = w ? w->unit_of(GetFocus()) : nullptr;
    return u ? u->id : 0;
  }
};

TEST_F(WindowKeys, TabWalksTheFocusStopsByNumberThenReverseLayoutOrder) {
  // equal focus-order numbers go in reverse layout order; the button's 1 puts it last
  const std::vector<uint32_t> order = {wt::kDate, wt::kComboList, wt::kComboEdit, wt::kEdit, wt::kCheck, wt::kButton};
  // focus given to the window goes on to its first stop
  SetFocus(wt::frame(wt::kA));
  std::vector<uint32_t> seen = {focused_unit()};
  for (size_t i = 0; i < order.size(); ++i) {
    press(VK_TAB);
    seen.push_back(focused_unit());
  }
  std::vector<uint32_t> expected = order;
  expected.push_back(order[0]);  // wraps around
  EXPECT_EQ(seen, expected);

  set_shift(true);
  press(VK_TAB);
  EXPECT_EQ(focused_unit(), wt::kButton) << "Shift+Tab wraps backwards";
  press(VK_TAB);
  EXPECT_EQ(focused_unit(), wt::kCheck);
}

TEST_F(WindowKeys, TabSkipsHiddenAndDisabledStops) {
  rt::put_int(wt::kA, wt::kComboList, rt::prop::kDisabled, 1);
  rt::put_int(wt::kA, wt::kComboEdit, rt::prop::kVisible, 0);
  SetFocus(wt::control(wt::kA, wt::kDate));
  press(VK_TAB);
  EXPECT_EQ(focused_unit(), wt::kEdit);
}

TEST_F(WindowKeys, EscClosesTheWindowWhereverTheFocusIs) {
  SetFocus(wt::control(wt::kA, wt::kEdit));
  press(VK_ESCAPE);
  EXPECT_FALSE(rt::is_loaded(wt::kA));
  const auto& log = wt::log();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 3], "close requested");
  EXPECT_EQ(log.back(), "destroying");
}

TEST_F(WindowKeys, EscFirstFoldsUpADroppedList) {
  const HWND combo = wt::control(wt::kA, wt::kComboEdit);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"0"));
  SetFocus(combo);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  press(VK_ESCAPE);
  EXPECT_TRUE(rt::is_loaded(wt::kA));
  EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
  press(VK_ESCAPE);
  EXPECT_FALSE(rt::is_loaded(wt::kA));
}

TEST_F(WindowKeys, WindowsWithoutEscClosingKeepEsc) {
  ASSERT_TRUE(rt::load_window(wt::kB, 0, false));
  // B's layout closes on Esc as well; a window is left open when its
  // close query refuses.
  wt::hooks().close_requested = [] { return 0; };
  SetFocus(wt::control(wt::kA, wt::kCheck));
  press(VK_ESCAPE);
  EXPECT_TRUE(rt::is_loaded(wt::kA));
}

}  // namespace
