// timer.exe's tray icon, clicked on the taskbar of the virtual desktop as a
// person clicks it: single, double and right clicks, the popup menu's four
// rows (show, hide, exit, about) and the about box; the balloons it shows
// while a shutdown is ahead.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <commctrl.h>
#include <optional>
#include <string>
#include <vector>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;


using ss::choose;

class TrayMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
    ASSERT_TRUE(drv::find_tray_icon(0, &icon_)) << "the virtual desktop has a taskbar";
    ASSERT_TRUE(drv::wait_until([&] { return icon_is_up(); })) << "the icon is up after start";
  }
  void TearDown() override {
    if (app_.process.running()) {
      drv::ask(app_.window, WM_CLOSE);
      EXPECT_TRUE(scn::exits_with_zero(app_));
    }
  }

  // The shell still shows an icon of the main window's.
  bool icon_is_up() const {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
    probe.hWnd = app_.window;
    probe.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
  }

  bool shown_normal() const {
    const RECT r = drv::screen_rect(app_.window);
    return drv::is_visible(app_.window) && !IsIconic(app_.window) && r.right - r.left == kWidth &&
           r.bottom - r.top == kHeight;
  }

  // By the title-bar button: the window withdraws into the tray.
  void minimise() {
    POINT button{};
    ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTMINBUTTON, &button));
    ASSERT_TRUE(drv::bring_to_front(app_.window));
    ASSERT_TRUE(drv::click_screen(button));
    ASSERT_TRUE(drv::wait_until([&] { return !drv::is_visible(app_.window); })) << "minimised into the tray";
  }

  HWND wait_for_menu() const { return ss::wait_for_tray_menu(app_.process.id()); }
  HWND right_click_icon() const { return drv::right_click_screen(icon_) ? wait_for_menu() : nullptr; }
  // What the notification area sends for a right click, posted behind
  // whatever the program has still to handle: once the menu shows, all
  // that came before has been handled.
  HWND post_right_click() const {
    PostMessageW(app_.window, kTrayMessage, kTrayIconId, WM_RBUTTONUP);
    return wait_for_menu();
  }

  // Closes the menu by clicking an empty place of the desktop.
  static bool dismiss(HWND menu) {
    return menu && drv::click_screen({40, 40}) && drv::wait_until([&] { return !drv::is_visible(menu); });
  }

  scn::Launched app_;
  POINT icon_{};
};

TEST_F(TrayMenu, ASingleClickDoesNothingADoubleClickBringsTheWindowBack) {
  minimise();
  ASSERT_TRUE(drv::click_screen(icon_));
  // The shell reports the icon's clicks in order: when the right click's
  // menu shows, the single click has been handled.
  const HWND menu = right_click_icon();
  ASSERT_NE(menu, nullptr) << "a right click opens the menu";
  EXPECT_FALSE(drv::is_visible(app_.window)) << "a single click leaves the window in the tray";
  ASSERT_TRUE(dismiss(menu));

  ASSERT_TRUE(drv::click_screen(icon_, 2));
  EXPECT_TRUE(drv::wait_until([&] { return shown_normal(); })) << "back at its normal size, not minimised";
  scn::take_desktop_shot(L"tray_double_click");
}

// At the icon, on the screen's edge, Windows moves the menu inside the
// screen; with the pointer in the middle it opens exactly 3 pixels off.
TEST_F(TrayMenu, ARightClickOpensTheMenuJustBelowAndRightOfThePointer) {
  const POINT pointer{300, 200};
  ASSERT_TRUE(drv::move_mouse(pointer));
  const HWND menu = post_right_click();
  ASSERT_NE(menu, nullptr);
  const RECT r = drv::screen_rect(menu);
  EXPECT_EQ(r.left, pointer.x + 3);
  EXPECT_EQ(r.top, pointer.y + 3);
  scn::take_shot(menu, L"tray_menu");
  ASSERT_TRUE(dismiss(menu));
}

TEST_F(TrayMenu, ShowWindowBringsBackAMinimisedWindowAtNormalSize) {
  minimise();
  ASSERT_TRUE(choose(right_click_icon(), ss::kShowRow));
  EXPECT_TRUE(drv::wait_until([&] { return shown_normal(); }));
}

TEST_F(TrayMenu, HideWindowHidesOnceThenChangesNothingAndShowBringsItBackInPlace) {
  const RECT before = drv::screen_rect(app_.window);
  ASSERT_TRUE(choose(right_click_icon(), ss::kHideRow));
  ASSERT_TRUE(drv::wait_until([&] { return !drv::is_visible(app_.window); }));

  ASSERT_TRUE(choose(right_click_icon(), ss::kHideRow));
  const HWND menu = post_right_click();  // everything before it has been handled
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(drv::is_visible(app_.window));
  EXPECT_FALSE(IsIconic(app_.window));
  EXPECT_EQ(drv::screen_rect(app_.window), before);

  ASSERT_TRUE(choose(menu, ss::kShowRow));
  EXPECT_TRUE(drv::wait_until([&] { return shown_normal(); }));
  EXPECT_EQ(drv::screen_rect(app_.window), before) << "where it was";
}

TEST_F(TrayMenu, ExitDuringACountdownEndsTheProgramAndTakesTheIconAway) {
  // An hour ahead, or (just before midnight) a target behind: either way the
  // countdown runs.
  SYSTEMTIME target = ss::local_time_plus(3600);
  if (target.wDay != ss::local_time_plus(0).wDay) target = ss::local_time_plus(-10);
  ASSERT_TRUE(ss::set_time(app_.window, target));
  ASSERT_TRUE(drv::click(ss::unit(app_.window, kStartButton)));
  ASSERT_TRUE(drv::wait_until([&] { return drv::text_of(ss::unit(app_.window, kStartButton)) == L"停止"; }))
      << "the countdown runs";

  ASSERT_TRUE(choose(right_click_icon(), ss::kExitRow));
  EXPECT_TRUE(scn::exits_with_zero(app_));
  // What the user sees. (Wine's taskbar also drops the icons of destroyed
  // windows by itself; that the program takes its icon down with its window
  // is checked against the shell in tray_win_tests.)
  EXPECT_FALSE(icon_is_up());
}

TEST_F(TrayMenu, AboutShowsTheProgramsTextWithoutAnIcon) {
  ASSERT_TRUE(choose(right_click_icon(), ss::kAboutRow));
  const ss::Box box = ss::wait_for_box(app_.process.id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, L"关于软件");
  EXPECT_EQ(box.text, L"功能简介:\r\n1.提醒功能\r\n2.关机功能\r\n3.托盘图标\r\ntamsoven\r\n2014.11.8");
  // The box keeps an icon static even when it shows no icon.
  int icon_statics = 0;
  for (HWND child : drv::children(box.window)) {
    if (drv::class_of(child) != L"Static" || (drv::style_of(child) & SS_TYPEMASK) != SS_ICON) continue;
    ++icon_statics;
    EXPECT_EQ(drv::ask(child, STM_GETICON).value_or(-1), 0) << "no icon";
  }
  EXPECT_EQ(icon_statics, 1);
  scn::take_shot(box.window, L"tray_about_box");
  EXPECT_TRUE(ss::close_box(box));
  EXPECT_TRUE(drv::is_visible(app_.window)) << "the program goes on";
}

// The balloons the notification area shows: Wine's taskbar draws each as a
// visible balloon tooltip of its own, which gives its text.
std::vector<std::wstring> balloon_texts() {
  std::vector<std::wstring> texts;
  for (HWND tip : drv::find_windows({L"", L"tooltips_class32", 0, true}))
    if (drv::style_of(tip) & TTS_BALLOON) texts.push_back(drv::text_of(tip));
  return texts;
}
bool balloon_shows(const std::wstring& text) {
  const std::vector<std::wstring> texts = balloon_texts();
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class TrayBalloons : public ::testing::Test {
 protected:
  void TearDown() override { ss::forget_kept_schedules(); }
};

// Started in the tray from a command line, a balloon says what was set.
// Wine's taskbar sends no click of a balloon, so the driver sends what
// Windows sends: it brings the window in front, still counting. A count with
// 关机 ticked warns as it passes ten minutes.
TEST_F(TrayBalloons, AStartInTheTraySaysWhatItSetAndAShutdownAheadIsWarnedOf) {
  drv::Process process = drv::Process::start(scn::program(L"timer"), {L"/in", L"30m", L"/music", L"/hide"});
  ASSERT_TRUE(process.started());
  const HWND main = drv::wait_for_window({kCaption, L"", process.id(), false});
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(drv::is_visible(main)) << "started in the tray";
  const std::wstring set = L"已定时：" + ss::datetime_text(ss::local_time_plus(1800));
  const std::wstring set_before = L"已定时：" + ss::datetime_text(ss::local_time_plus(1799));
  EXPECT_TRUE(drv::wait_until([&] { return balloon_shows(set) || balloon_shows(set_before); }, 10000))
      << "no balloon " << drv::utf8(set);
  PostMessageW(main, kTrayMessage, kTrayIconId, NIN_BALLOONUSERCLICK);
  EXPECT_TRUE(drv::wait_until([&] { return drv::is_visible(main) && GetForegroundWindow() == main; }))
      << "the window comes in front";
  EXPECT_EQ(drv::text_of(ss::unit(main, kStartButton)), L"停止") << "the click stops nothing";
  drv::ask(main, WM_CLOSE);
  EXPECT_EQ(process.wait_exit(drv::kPromptMs), std::optional<DWORD>(0));

  scn::Launched shut_down;
  ASSERT_TRUE(scn::launch(L"timer", {L"/in", L"601s", L"/shutdown"}, kCaption, &shut_down));
  EXPECT_TRUE(drv::wait_until([] { return balloon_shows(L"10 分钟后将关闭计算机。单击这里打开定时器。"); }, 10000))
      << "no warning";
  scn::take_desktop_shot(L"tray_balloon_warning");
  drv::ask(shut_down.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(shut_down));
}

}  // namespace
