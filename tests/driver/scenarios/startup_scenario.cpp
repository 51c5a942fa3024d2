// timer.exe as it starts: the time boxes filled, the clock running, the
// tray icon up; minimising into the tray and coming back; a start with a
// schedule on its command line, and one with arguments it cannot take.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;


std::vector<std::wstring> numbers(int count) {
  std::vector<std::wstring> v;
  for (int i = 0; i < count; ++i) v.push_back(std::to_wstring(i));
  return v;
}

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    started_ = drv::now_ms();
    ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
  }
  void TearDown() override {
    if (app_.process.running()) {
      drv::ask(app_.window, WM_CLOSE);
      EXPECT_TRUE(scn::exits_with_zero(app_));
    }
  }
  HWND unit(int index) const { return ss::unit(app_.window, index); }

  scn::Launched app_;
  DWORD started_ = 0;
};

TEST_F(Startup, TheTimeBoxesAreFilledEmptyAndUnselected) {
  const HWND hours = unit(kHourBox), minutes = unit(kMinuteBox), seconds = unit(kSecondBox);
  EXPECT_EQ(drv::combo_items(hours), numbers(24));
  EXPECT_EQ(drv::combo_items(minutes), numbers(60));
  EXPECT_EQ(drv::combo_items(seconds), numbers(60));
  for (HWND box : {hours, minutes, seconds}) {
    EXPECT_EQ(drv::combo_selection(box), CB_ERR) << drv::describe(box);
    EXPECT_EQ(drv::text_of(box), L"") << drv::describe(box);
  }
  scn::take_desktop_shot(L"startup_desktop");
  scn::take_shot(app_.window, L"startup_main_window");
}

TEST_F(Startup, TheClockShowsTheLocalTimeEverySecond) {
  const HWND now_label = unit(kNowLabel);
  // The first tick comes a second after the clock starts, which is after
  // the program was started: the label shows nothing before then.
  ASSERT_TRUE(drv::wait_until([&] { return !drv::text_of(now_label).empty(); }, 3000));
  EXPECT_GE(drv::now_ms() - started_, 1000u) << "the clock was written before its first tick";
  // read between two clock readings: a second boundary may fall in between
  const SYSTEMTIME before = ss::local_time_plus(0);
  const std::wstring shown = drv::text_of(now_label);
  const SYSTEMTIME after = ss::local_time_plus(0);
  const std::wstring a = ss::datetime_text(ss::local_time_plus(-1)), b = ss::datetime_text(before),
                     c = ss::datetime_text(after);
  EXPECT_TRUE(shown == a || shown == b || shown == c)
      << drv::utf8(shown) << " is not the local time " << drv::utf8(b);
}

TEST_F(Startup, TheClockGoesOnBehindAMessageBox) {
  const HWND now_label = unit(kNowLabel);
  ASSERT_TRUE(drv::click(unit(kStartButton)));  // nothing chosen yet: refused with a box
  const ss::Box box = ss::wait_for_box(app_.process.id());
  ASSERT_NE(box.window, nullptr);
  const std::wstring seen = drv::text_of(now_label);
  EXPECT_TRUE(drv::wait_until([&] { return drv::text_of(now_label) != seen; }, 3000))
      << "the label still reads " << drv::utf8(seen);
  EXPECT_TRUE(ss::close_box(box));
}

TEST_F(Startup, MinimisingHidesTheWindowAndATrayDoubleClickBringsItBack) {
  POINT minimise{};
  ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTMINBUTTON, &minimise));
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::click_screen(minimise));
  ASSERT_TRUE(drv::wait_until([&] { return !drv::is_visible(app_.window); })) << "minimised into the tray";
  scn::take_desktop_shot(L"startup_minimised");

  // what the notification area sends for a double-click on the icon
  for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(app_.window, kTrayMessage, kTrayIconId, mouse);
  ASSERT_TRUE(drv::wait_until([&] { return drv::is_visible(app_.window); }));
  // it shows first as it was hidden, minimised, then comes back to normal
  const bool normal = drv::wait_until([&] {
    const RECT r = drv::screen_rect(app_.window);
    return !IsIconic(app_.window) && r.right - r.left == kWidth && r.bottom - r.top == kHeight;
  });
  const RECT r = drv::screen_rect(app_.window);
  EXPECT_TRUE(normal) << "back at its normal size, not " << r.right - r.left << "x" << r.bottom - r.top
                      << (IsIconic(app_.window) ? " minimised" : "");
  scn::take_desktop_shot(L"startup_back_from_tray");
}

// The driver plays the shell: the icon vanishes as when the notification
// area is recreated, then the shell's broadcast arrives.
TEST_F(Startup, TheTrayIconComesBackAfterTheShellRestarts) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
  probe.hWnd = app_.window;
  probe.uID = kTrayIconId;
  ASSERT_TRUE(drv::wait_until([&] { return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE; }))
      << "the icon is up after start";
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &probe));
  ASSERT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon is gone";
  const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  PostMessageW(app_.window, taskbar_created, 0, 0);
  EXPECT_TRUE(drv::wait_until([&] { return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE; }))
      << "the program put its icon back";
}

// Starts with arguments; whatever a failed scenario leaves counting is not
// kept for a sign-in.
class StartupCommandLine : public ::testing::Test {
 protected:
  void TearDown() override { ss::forget_kept_schedules(); }
};

// A shortcut's command line: the window comes up counting, its boxes
// filled and ticked as the arguments say, as if the user had clicked 定时.
TEST_F(StartupCommandLine, AScheduleOnTheCommandLineCountsAsIf定时WasClicked) {
  const SYSTEMTIME target = ss::local_time_plus(30);
  scn::Launched app;
  ASSERT_TRUE(scn::launch(L"timer", {L"/in", L"30s", L"/remind", L"开会", L"-SHUTDOWN"}, kCaption, &app));
  const auto unit = [&](int index) { return ss::unit(app.window, index); };
  EXPECT_TRUE(drv::wait_until([&] { return drv::text_of(unit(kStartButton)) == L"停止"; }));
  const std::wstring count = drv::text_of(unit(kRemainingLabel));
  EXPECT_TRUE(count == L"30" || count == L"29" || count == L"28") << drv::utf8(count);
  EXPECT_EQ(drv::check_state(unit(kCheckShutdown)), BST_CHECKED);
  EXPECT_EQ(drv::check_state(unit(kCheckReminder)), BST_CHECKED);
  EXPECT_EQ(drv::check_state(unit(kCheckMusic)), BST_UNCHECKED);
  EXPECT_EQ(drv::text_of(unit(kReminderEdit)), L"开会");
  EXPECT_EQ(drv::text_of(unit(kHourBox)), std::to_wstring(target.wHour));
  EXPECT_EQ(drv::text_of(unit(kMinuteBox)), std::to_wstring(target.wMinute));
  const std::wstring second = drv::text_of(unit(kSecondBox));
  EXPECT_TRUE(second == std::to_wstring(target.wSecond) || second == std::to_wstring((target.wSecond + 1) % 60))
      << drv::utf8(second);
  scn::take_shot(app.window, L"startup_command_line");
  drv::ask(app.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(app));
}

// Arguments it cannot take: the box names the argument and gives the
// usage, no window comes, and the exit code is 87.
TEST_F(StartupCommandLine, AnHourThatIsNoneIsRefusedWithExitCode87) {
  drv::Process process = drv::Process::start(scn::program(L"timer"), {L"/at", L"25:00"});
  ASSERT_TRUE(process.started());
  const ss::Box box = ss::wait_for_box(process.id());
  EXPECT_EQ(box.caption, L"提示");
  EXPECT_EQ(box.text.rfind(L"参数 /at 25:00 有误：", 0), 0u) << drv::utf8(box.text);
  EXPECT_NE(box.text.find(L"\r\n\r\n"), std::wstring::npos) << "the usage follows";
  EXPECT_NE(box.text.find(L"/shutdown"), std::wstring::npos) << drv::utf8(box.text);
  EXPECT_EQ(drv::find_window({kCaption, L"", process.id(), false}), nullptr) << "no main window";
  ASSERT_TRUE(ss::close_box(box));
  EXPECT_EQ(process.wait_exit(drv::kPromptMs), std::optional<DWORD>(87));
}

}  // namespace
