// The start-up benchmark's plain-Win32 yardstick must be timer.exe's main
// window and nothing less: the same frame, the same controls where the timer
// has them, the same combo box items, and into the tray when minimised.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "layout_facts.h"
#include "main_window.h"
#include "scenario_support.h"

namespace {

constexpr wchar_t kCaption[] = L"定时器";

struct Control {
  RECT at;  // in the frame's client area
  bool combo;
  size_t items;
  bool operator<(const Control& o) const {
    return std::make_pair(at.top, at.left) < std::make_pair(o.at.top, o.at.left);
  }
};

// The visible controls of a window, in reading order.
std::vector<Control> controls_of(HWND frame) {
  std::vector<Control> out;
  for (HWND c : drv::children(frame)) {
    if (!IsWindowVisible(c)) continue;  // the timers
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    wchar_t cls[64] = {};
    GetClassNameW(c, cls, 64);
    const bool combo = lstrcmpiW(cls, L"ComboBox") == 0;
    out.push_back({r, combo, combo ? drv::combo_items(c).size() : 0});
  }
  std::sort(out.begin(), out.end());
  return out;
}

TEST(SameWindowFloor, ShowsTheTimersMainWindowAndWithdrawsIntoTheTray) {
  scn::Launched timer, floor;
  ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &timer));
  ASSERT_TRUE(scn::launch(L"same_window_floor", {}, kCaption, &floor));

  RECT t, f;
  GetWindowRect(timer.window, &t);
  GetWindowRect(floor.window, &f);
  EXPECT_EQ(f.right - f.left, t.right - t.left);
  EXPECT_EQ(f.bottom - f.top, t.bottom - t.top);
  const LONG frame_bits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  EXPECT_EQ(GetWindowLongW(floor.window, GWL_STYLE) & frame_bits, GetWindowLongW(timer.window, GWL_STYLE) & frame_bits);

  const std::vector<Control> expected = controls_of(timer.window), got = controls_of(floor.window);
  ASSERT_EQ(got.size(), expected.size());
  ASSERT_EQ(expected.size(), static_cast<size_t>(layouts::visible_control_count(layouts::main_window::kLayout)))
      << "the timer's main window shows every visible control of its layout";
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(got[i].at, expected[i].at) << "control " << i;
    EXPECT_EQ(got[i].combo, expected[i].combo) << "control " << i;
    EXPECT_EQ(got[i].items, expected[i].items) << "control " << i;
  }

  for (scn::Launched* app : {&timer, &floor}) {
    PostMessageW(app->window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(drv::wait_until([&] { return !IsWindowVisible(app->window); }, drv::kPromptMs));
    PostMessageW(app->window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(scn::exits_with_zero(*app));
  }
}

}  // namespace
