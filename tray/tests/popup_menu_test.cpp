// The pop up menu service with recorders in place of the Windows calls: the
// menu it hands over, where it opens it, and the calls around the tracking,
// in order.
#include <gtest/gtest.h>

#include <string>

#include "convert.h"
#include "gbk_win.h"
#include "popup_menu_win.h"
#include "service.h"
#include "tray_test_support.h"
#include "window_runtime.h"

namespace {

using tt::Steps;

constexpr POINT kPointer{500, 300};

std::string name_of(HWND w) { return w == tt::frame(tt::kA) ? "a" : w == tt::frame(tt::kB) ? "b" : "?"; }
void log(const std::string& what) { tt::steps().push_back(tt::event(what)); }

// What the recorders saw of the tracked menu.
HMENU g_tracked = nullptr;
POINT g_at{};

BOOL WINAPI fake_cursor(LPPOINT p) {
  log("cursor");
  *p = kPointer;
  return TRUE;
}

BOOL WINAPI fake_foreground(HWND w) {
  log("foreground " + name_of(w));
  return TRUE;
}

// The menu's rows as "caption=command".
BOOL WINAPI fake_track(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  g_tracked = menu;
  g_at = POINT{x, y};
  std::string rows;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[32] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 32, MF_BYPOSITION);
    rows += " " + rt::to_gbk(caption) + "=" + std::to_string(GetMenuItemID(menu, i));
  }
  log("track" + rows + (flags == TPM_RIGHTBUTTON ? " right button" : " flags " + std::to_string(flags)) +
      " owner " + name_of(owner));
  return TRUE;
}

BOOL WINAPI fake_post(HWND w, UINT message, WPARAM, LPARAM) {
  log((message == WM_NULL ? "post WM_NULL" : "post " + std::to_string(message)) + " to " + name_of(w));
  return TRUE;
}

class PopupMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    tt::start();
    saved_ = tray::set_popup_calls({fake_cursor, fake_foreground, fake_track, fake_post});
    g_tracked = nullptr;
    ASSERT_TRUE(rt::load_window(tt::kA, 0, false));
    tt::steps().clear();
  }
  void TearDown() override {
    tray::set_popup_calls(saved_);
    tt::finish();
  }

  static void pop_up(uint32_t window, const rt::Arg& menu, const rt::Arg& x = rt::omitted(),
                     const rt::Arg& y = rt::omitted()) {
    rt::call(rt::Service::PopupMenu, {rt::arg_unit(rt::kTagWindowRef, window, 0), menu, x, y});
  }
  static rt::Arg menu(uint32_t window, uint32_t unit) { return rt::arg_unit(rt::kTagMenuRef, window, unit); }

  tray::PopupCalls saved_{};
};

// The owner comes to the foreground before the menu opens, and gets a
// WM_NULL after it has closed; the menu handle is gone when the call returns.
TEST_F(PopupMenu, ShowsTheItemsOfATopLevelMenuWithItsOwnerInFront) {
  const struct {
    uint32_t menu;
    const char* rows;  // visible items in layout order, hidden 乙 left out
  } cases[] = {{tt::kMenu, " 甲=20001 丙=20003"}, {tt::kOtherMenu, " 丁=20005"}};
  for (const auto& c : cases) {
    tt::steps().clear();
    pop_up(tt::kA, menu(tt::kA, c.menu));
    EXPECT_EQ(tt::steps(), (Steps{tt::event("cursor"), tt::event("foreground a"),
                                  tt::event(std::string("track") + c.rows + " right button owner a"),
                                  tt::event("post WM_NULL to a")}));
    EXPECT_FALSE(IsMenu(g_tracked)) << "destroyed after tracking";
  }
}

TEST_F(PopupMenu, OpensThreePixelsOffThePointerUnlessAPositionIsGiven) {
  const struct {
    const char* what;
    rt::Arg x, y;
    POINT at;
  } cases[] = {
      {"both omitted", rt::omitted(), rt::omitted(), {503, 303}},
      {"horizontal given", rt::arg_int(10), rt::omitted(), {10, 303}},
      {"vertical given", rt::omitted(), rt::arg_int(-20), {503, -20}},
      {"both given, as a text and a double", rt::arg_text("40"), rt::arg_double(50.7), {40, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    g_at = POINT{-1, -1};
    pop_up(tt::kA, menu(tt::kA, tt::kMenu), c.x, c.y);
    EXPECT_EQ(g_at.x, c.at.x);
    EXPECT_EQ(g_at.y, c.at.y);
  }
}

TEST_F(PopupMenu, ShowsNothingForAnythingButOneOfTheWindowsOwnTopLevelMenus) {
  ASSERT_TRUE(rt::load_window(tt::kB, 0, false));
  const struct {
    const char* what;
    uint32_t window;
    rt::Arg menu;
  } cases[] = {
      {"an item, not a top-level menu", tt::kA, menu(tt::kA, tt::kItem甲)},
      {"the window's own unit", tt::kA, menu(tt::kA, tt::kAOwn)},
      {"a menu of another window", tt::kB, menu(tt::kA, tt::kMenu)},
      {"a window without that menu", tt::kB, menu(tt::kB, tt::kMenu)},
      {"a window that is not loaded", 0x52000199, menu(0x52000199, tt::kMenu)},
      {"no menu", tt::kA, rt::omitted()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tt::steps().clear();
    pop_up(c.window, c.menu);
    EXPECT_TRUE(tt::steps().empty());
  }
}

}  // namespace
