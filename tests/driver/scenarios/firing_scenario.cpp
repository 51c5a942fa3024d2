// A schedule counting down to its firing, as a user lives it. The main
// window is loaded by layout_host, with the program's handlers: a shutdown
// request is recorded there, never made, and the log shows each tick of
// 时钟2. What the alarm plays lands in a file (timer_add_driver_test AUDIO).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "confirm_window_session.h"
#include "layout_host_session.h"
#include "main_window_session.h"
#include "selftest/target_ids.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;
using drv::wait_until;

// The alarm's samples: a second of them, and all of them.
constexpr DWORD kSecondOfSound = 88200;
constexpr DWORD kAlarmDataSize = 5116308;
// A box comes up within this once its firing tick is due.
constexpr DWORD kFiringMs = 5000;
// A program told to end has ended within this.
constexpr DWORD kExitMs = 2000;
// From the confirmation's opening to past its eleventh tick, which would
// ask for the shutdown.
constexpr DWORD kPastLastTickMs = 12000;
// Long enough for two more ticks of a count that goes on.
constexpr DWORD kTwoTicksMs = 2500;
// layout_host's log of a change of the execution state: held awake, let sleep.
const std::string kAwake = "SetThreadExecutionState 80000001", kMaySleep = "SetThreadExecutionState 80000000";

std::wstring audio_out() { return drv::audio_out_path(); }
DWORD audio_size() { return drv::file_size(audio_out()); }

// Whether the file stops growing for a second within the bound.
bool audio_settles(DWORD timeout_ms) {
  DWORD size = audio_size(), since = drv::now_ms();
  return wait_until(
      [&] {
        if (audio_size() != size) {
          size = audio_size();
          since = drv::now_ms();
        }
        return drv::now_ms() - since >= 1000;
      },
      timeout_ms);
}

class Firing : public host::Session {
 protected:
  void SetUp() override { ASSERT_TRUE(open(kId, kCaption)); }

  HWND unit(int index) const { return ss::unit(app_.window, index); }
  std::wstring remaining() const { return drv::text_of(unit(kRemainingLabel)); }
  std::wstring button() const { return drv::text_of(unit(kStartButton)); }
  int countdown_ticks() const { return count(kCountdownTickLine); }
  // Waits until the last execution state is `state` (with `tick`, after a tick more).
  bool awake_state_is(const std::string& state, bool tick = false) const {
    const int ticks = countdown_ticks() + (tick ? 1 : 0);
    return wait_until([&] {
      std::string last;
      for (const std::string& l : log()) last = l.rfind("SetThreadExecutionState", 0) == 0 ? l : last;
      return countdown_ticks() >= ticks && last == state;
    }, kTwoTicksMs);
  }
  ss::Box box_now(DWORD timeout_ms = 0) const { return ss::wait_for_box(app_.process.id(), timeout_ms); }
  HWND wait_for_confirmation() const {
    return drv::wait_for_window({confirm_window::kCaption, L"", app_.process.id(), true}, kFiringMs);
  }

  void tick(int check_box) { ASSERT_TRUE(ss::check(app_.window, check_box)); }
  void type_reminder(const std::wstring& text) {
    ASSERT_TRUE(ss::focus_unit(app_.window, kReminderEdit));
    ASSERT_TRUE(drv::type_text(text));
    ASSERT_TRUE(wait_until([&] { return drv::text_of(unit(kReminderEdit)) == text; }));
  }
  void minimise() {
    POINT button{};
    ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTMINBUTTON, &button));
    ASSERT_TRUE(drv::bring_to_front(app_.window));
    ASSERT_TRUE(drv::click_screen(button));
    ASSERT_TRUE(wait_until([&] { return !drv::is_visible(app_.window); })) << "minimised into the tray";
  }

  void start_count(int count) { ASSERT_TRUE(ss::start_count(app_.window, count)); }

  // A schedule with 关机 fires at once; its confirmation shows.
  void open_confirmation(HWND* confirm) {
    ASSERT_TRUE(drv::find_tray_icon(0, &icon_));
    ASSERT_NO_FATAL_FAILURE(tick(kCheckShutdown));
    ASSERT_NO_FATAL_FAILURE(start_count(1));
    ASSERT_NE(*confirm = wait_for_confirmation(), nullptr) << "no confirmation window";
  }
  // A row of the tray icon's menu, chosen by real clicks.
  void choose_from_tray(ss::TrayRow row) {
    ASSERT_TRUE(drv::find_tray_icon(0, &icon_));
    ASSERT_TRUE(drv::right_click_screen(icon_));
    ASSERT_TRUE(ss::choose(ss::wait_for_tray_menu(app_.process.id()), row));
  }

  // The countdown ticks no more than `ticks` and no box comes up while the
  // clock (时钟1) ticks twice: a countdown that went on would tick, at the
  // clock's pace, before the second of those.
  void expect_still_for_two_clock_ticks(int ticks) const {
    const int clock = count(kClockTickLine);
    const auto moved = [&] { return countdown_ticks() > ticks || box_now().window != nullptr; };
    EXPECT_TRUE(wait_until([&] { return moved() || count(kClockTickLine) >= clock + 2; }, kFiringMs))
        << "the clock stopped";
    EXPECT_FALSE(moved()) << "it counted or fired again";
  }

  // Waits for a box of the program, noting each count the label shows
  // meanwhile.
  ss::Box wait_for_firing(std::vector<std::wstring>* shown = nullptr, DWORD timeout_ms = kFiringMs) const {
    ss::Box box;
    wait_until(
        [&] {
          const std::wstring now = remaining();
          if (shown && (shown->empty() || shown->back() != now)) shown->push_back(now);
          return (box = box_now()).window != nullptr;
        },
        timeout_ms);
    return box;
  }

  POINT icon_{};  // the tray icon on the taskbar
};

TEST_F(Firing, CountsOfOneAndZeroFireOnTheFirstTickShowingZeroAndOnlyOnce) {
  const struct {
    int count;
    std::vector<std::wstring> shown;
  } cases[] = {{1, {L"1", L"0"}}, {0, {L"0"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    const int ticks = countdown_ticks();
    ASSERT_NO_FATAL_FAILURE(start_count(c.count));
    std::vector<std::wstring> shown;
    const ss::Box box = wait_for_firing(&shown);
    ASSERT_NE(box.window, nullptr) << "nothing fired; the label showed " << drv::utf8(remaining());
    EXPECT_EQ(countdown_ticks() - ticks, 1) << "ticks before the box";
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(box.caption, L"提醒");
    EXPECT_EQ(box.text, L"时间到!");
    EXPECT_EQ(button(), L"定时");
    ASSERT_TRUE(ss::close_box(box));
    expect_still_for_two_clock_ticks(ticks + 1);
    EXPECT_EQ(remaining(), L"0");
  }
  EXPECT_EQ(count(kAwake) + count(kMaySleep), 0) << "a schedule without 关机 asked to keep the machine awake";
}

// The program's thread held still for four seconds during a count, as a
// sleeping machine holds it, and sent nothing meanwhile: then its count
// shows the seconds really left, and it fires at its moment, not 4 s late.
TEST_F(Firing, TicksHeldUpAreMadeUpAndTheScheduleFiresAtItsMoment) {
  constexpr int kCount = 8;
  constexpr DWORD kHeldMs = 4000;
  ASSERT_NO_FATAL_FAILURE(start_count(kCount));
  const DWORD started = drv::now_ms();  // 定时 was clicked just before
  ASSERT_TRUE(wait_until([&] { return remaining() == std::to_wstring(kCount - 1); }));
  {
    const auto resume = [](HANDLE thread) { ResumeThread(thread), CloseHandle(thread); };
    const std::unique_ptr<void, decltype(resume)> held(
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, app_.process.thread_id()), resume);
    ASSERT_TRUE(held && SuspendThread(held.get()) == 0);
    wait_until([&] { return drv::now_ms() - started >= kHeldMs + 1000; }, 2 * kHeldMs);
  }
  ASSERT_TRUE(wait_until([&] { return remaining() != std::to_wstring(kCount - 1); }));
  const double seconds_left = kCount - (drv::now_ms() - started) / 1000.0;
  EXPECT_NEAR(std::stod(remaining()), seconds_left, 1.0) << "counted on after the hold";
  const ss::Box box = wait_for_firing(nullptr, kCount * 1000 + kHeldMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_NEAR((box.found_at - started) / 1000.0, kCount, 1.0) << "fired at its moment";
  EXPECT_TRUE(ss::close_box(box));
}

// 关机 keeps the machine from idle sleep while a schedule counts; 停止 and 退出 end that.
TEST_F(Firing, AShutdownScheduledKeepsTheMachineAwakeUntilStoppedOrExited) {
  ASSERT_NO_FATAL_FAILURE(tick(kCheckShutdown));
  ASSERT_NO_FATAL_FAILURE(start_count(30));
  EXPECT_TRUE(awake_state_is(kAwake)) << "started";
  ASSERT_TRUE(drv::click(unit(kStartButton)));
  EXPECT_TRUE(awake_state_is(kMaySleep)) << "停止";
  ASSERT_NO_FATAL_FAILURE(start_count(30));
  EXPECT_TRUE(awake_state_is(kAwake)) << "started again";
  ASSERT_NO_FATAL_FAILURE(choose_from_tray(ss::kExitRow));
  EXPECT_EQ(app_.process.wait_exit(kExitMs), std::optional<DWORD>(0));
  EXPECT_TRUE(awake_state_is(kMaySleep)) << "退出";
}

// Checking 提醒: and typing the text take a twentieth of a second of the
// three; 关机, chosen first, is cleared at the first of them, after which
// the machine may sleep again.
TEST_F(Firing, TheReminderChosenWhileCountingIsTheOneShown) {
  ASSERT_NO_FATAL_FAILURE(tick(kCheckShutdown));
  ASSERT_NO_FATAL_FAILURE(start_count(3));
  ASSERT_TRUE(awake_state_is(kAwake) && drv::click(unit(kCheckShutdown)));
  EXPECT_TRUE(awake_state_is(kMaySleep, true)) << "关机 cleared";
  ASSERT_NO_FATAL_FAILURE(tick(kCheckReminder));
  ASSERT_NO_FATAL_FAILURE(type_reminder(L"下午三点开会"));
  ASSERT_EQ(button(), L"停止") << "chosen before it fires";
  const ss::Box box = wait_for_firing(nullptr, 15000);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, L"提醒");
  EXPECT_EQ(box.text, L"下午三点开会");
  EXPECT_TRUE(ss::close_box(box));
}

// The user works in another program, whose window covers the middle of the
// screen, where the box comes up.
TEST_F(Firing, TheBoxComesUpTopmostWhileTheMainWindowWaitsDisabledWithItsClockTicking) {
  scn::Launched other;
  // Once it is in front, a late activation of its start no longer takes
  // the keys meant for the main window.
  ASSERT_TRUE(host::launch_covering_program(&other));
  ASSERT_NO_FATAL_FAILURE(start_count(2));
  ASSERT_TRUE(drv::bring_to_front(other.window));
  const ss::Box box = wait_for_firing();
  ASSERT_NE(box.window, nullptr);
  EXPECT_TRUE(wait_until([&] { return (drv::ex_style_of(box.window) & WS_EX_TOPMOST) != 0; })) << "not topmost";
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == box.window; })) << "not in the foreground";
  // The user types on: an Enter meant for the other program, 0.3 s after the
  // box came up, leaves it open (checked once the steps below took a second).
  ASSERT_TRUE(wait_until([&] { return drv::now_ms() - box.found_at >= 300; }));
  ASSERT_TRUE(drv::press_key(VK_RETURN));

  ASSERT_TRUE(drv::bring_to_front(other.window));
  const POINT middle = drv::centre_of(box.window);
  RECT covered{};
  ASSERT_TRUE(GetWindowRect(other.window, &covered));
  ASSERT_TRUE(PtInRect(&covered, middle)) << "the other window does not reach the middle of the box";
  // Hit-testing follows the stacking that the display shows.
  EXPECT_EQ(GetAncestor(WindowFromPoint(middle), GA_ROOT), box.window) << "the other program covers it";
  scn::take_desktop_shot(L"firing_box_in_front");

  EXPECT_FALSE(drv::is_enabled(app_.window)) << "the main window waits for the box";
  const std::wstring clock = drv::text_of(unit(kNowLabel));
  EXPECT_TRUE(wait_until([&] { return drv::text_of(unit(kNowLabel)) != clock; }, 2500)) << "the clock stopped";
  ASSERT_TRUE(drv::is_visible(box.window)) << "an Enter 0.3 s after it came up closed it";
  ASSERT_TRUE(wait_until([&] { return drv::now_ms() - box.found_at >= 1500; }));
  ASSERT_TRUE(ss::close_box(box)) << "an Enter 1.5 s after it came up left it open";
  EXPECT_TRUE(wait_until([&] { return drv::is_enabled(app_.window); }));
  other.process.end();
}

// Neither the confirmation window nor the box has the main window as owner:
// both come up while it stays in the tray, the reminder only after 取消.
TEST_F(Firing, HiddenInTheTrayItAsksForConfirmationThenReminds) {
  ASSERT_NO_FATAL_FAILURE(tick(kCheckShutdown));
  ASSERT_NO_FATAL_FAILURE(tick(kCheckReminder));
  ASSERT_NO_FATAL_FAILURE(type_reminder(L"关机前保存文件"));
  ASSERT_NO_FATAL_FAILURE(start_count(3));
  ASSERT_NO_FATAL_FAILURE(minimise());
  const HWND confirm = wait_for_confirmation();
  ASSERT_NE(confirm, nullptr) << "no confirmation window";
  EXPECT_EQ(box_now().window, nullptr) << "the reminder waits for the confirmation";
  EXPECT_FALSE(drv::is_visible(app_.window)) << "the main window stays in the tray";
  scn::take_desktop_shot(L"firing_confirmation_from_the_tray");
  EXPECT_TRUE(awake_state_is(kAwake));

  ASSERT_TRUE(drv::click(drv::child_by_id(confirm, confirm_window::kCancelButton)));
  EXPECT_TRUE(awake_state_is(kMaySleep)) << "取消";
  const ss::Box box = wait_for_firing();
  ASSERT_NE(box.window, nullptr) << "no reminder after 取消";
  EXPECT_EQ(box.text, L"关机前保存文件");
  EXPECT_FALSE(drv::is_visible(app_.window));
  ASSERT_TRUE(ss::close_box(box));
  EXPECT_FALSE(drv::is_visible(app_.window));
  EXPECT_EQ(shutdown_requests(), 0);
}

// Judged by what the wave device wrote: it grows while the box is open and
// stops growing once it has closed, well before the end of the alarm.
TEST_F(Firing, TheAlarmStopsWhenTheBoxCloses) {
  ASSERT_FALSE(audio_out().empty()) << "run with TIMER_AUDIO_OUT (timer_add_driver_test AUDIO)";
  DeleteFileW(audio_out().c_str());  // what an earlier run heard
  ASSERT_NO_FATAL_FAILURE(tick(kCheckMusic));
  ASSERT_NO_FATAL_FAILURE(start_count(1));
  const ss::Box box = wait_for_firing();
  ASSERT_NE(box.window, nullptr);
  ASSERT_TRUE(wait_until([] { return audio_size() >= kSecondOfSound; }, 20000)) << "the alarm does not play";
  EXPECT_TRUE(drv::is_visible(box.window)) << "it plays while the box is open";
  ASSERT_TRUE(ss::close_box(box));
  const DWORD at_close = audio_size();
  EXPECT_TRUE(audio_settles(10000)) << "the alarm plays on";
  EXPECT_LE(audio_size(), at_close + kSecondOfSound);
  EXPECT_LT(audio_size(), kAlarmDataSize);
}

// The confirmation that a schedule with 关机 opens, while it counts.
using FiringConfirmation = Firing;

// 退出 from the tray while the confirmation counts, and nothing else done:
// the main window, disabled by the confirmation, still answers its icon. The
// program ends at once and the confirmation with it; no shutdown is asked
// for, then or when a confirmation left counting would ask.
TEST_F(FiringConfirmation, ExitFromTheTrayWhileTheConfirmationCountsEndsTheProgramWithoutAShutdown) {
  ASSERT_NO_FATAL_FAILURE(tick(kCheckReminder));
  HWND confirm = nullptr;
  ASSERT_NO_FATAL_FAILURE(open_confirmation(&confirm));
  const DWORD opened = drv::now_ms();
  EXPECT_FALSE(drv::is_enabled(app_.window)) << "the confirmation waits in dialog mode";

  ASSERT_NO_FATAL_FAILURE(choose_from_tray(ss::kExitRow));
  const std::optional<DWORD> code = app_.process.wait_exit(kExitMs);
  EXPECT_EQ(code, std::optional<DWORD>(0)) << "the program did not end with 0 at once";
  // Its log is complete once it has ended. A program still running may yet
  // ask, when the confirmation it left counting runs out.
  const DWORD waited = drv::now_ms() - opened;
  const DWORD left = waited < kPastLastTickMs ? kPastLastTickMs - waited : 0;
  if (!code) wait_until([&] { return shutdown_requests() > 0 || app_.process.wait_exit(0); }, left);
  EXPECT_EQ(shutdown_requests(), 0) << "a shutdown was asked for";
}

// The user fills in a form in another program as the schedule fires: a name, Tab, then
// text with a space. The keys stay there (its button takes the Space): the confirmation
// comes up in front, not in the foreground, and counts on (确定 would have frozen it).
TEST_F(FiringConfirmation, ATabThenASpaceTypedForAnotherProgramStayThere) {
  ASSERT_NO_FATAL_FAILURE(tick(kCheckShutdown));
  scn::Launched other;
  ASSERT_TRUE(host::launch_covering_program(&other));
  ASSERT_NO_FATAL_FAILURE(start_count(3));
  ASSERT_TRUE(drv::click(drv::child_by_id(other.window, target::kEdit)));
  const HWND confirm = wait_for_confirmation();
  ASSERT_NE(confirm, nullptr) << "no confirmation window";
  ASSERT_TRUE(drv::press_key(VK_TAB));
  ASSERT_TRUE(drv::press_key(VK_SPACE));

  const HWND confirm_button = drv::child_by_id(confirm, confirm_window::kConfirmButton);
  const std::wstring caption = drv::text_of(confirm_button);
  EXPECT_TRUE(wait_until([&] { return drv::text_of(confirm_button) != caption; }, kTwoTicksMs))
      << "the count stopped at " << drv::utf8(caption);
  EXPECT_NE(GetForegroundWindow(), confirm);
  EXPECT_EQ(drv::text_of(drv::child_by_id(other.window, target::kClicks)), L"点击 1");
  EXPECT_EQ(count(confirm_window::kConfirmClickedLine), 0);
  EXPECT_EQ(count(confirm_window::kCancelClickedLine), 0);
  EXPECT_EQ(shutdown_requests(), 0);
}

// The about box opened from the tray while the confirmation counts, and
// left open, neither disables the confirmation nor covers its 取消: a click
// there cancels.
TEST_F(FiringConfirmation, TheAboutBoxOpenedDuringTheCountLeavesCancelWithinReach) {
  HWND confirm = nullptr;
  ASSERT_NO_FATAL_FAILURE(open_confirmation(&confirm));
  ASSERT_NO_FATAL_FAILURE(choose_from_tray(ss::kAboutRow));
  const ss::Box about = box_now(drv::kPromptMs);
  ASSERT_EQ(about.caption, L"关于软件");

  const HWND cancel = drv::child_by_id(confirm, confirm_window::kCancelButton);
  const POINT middle = drv::centre_of(cancel);
  EXPECT_TRUE(drv::is_enabled(confirm)) << "the about box disabled the confirmation";
  EXPECT_EQ(WindowFromPoint(middle), cancel) << "取消 is covered or out of reach";
  ASSERT_TRUE(drv::click_screen(middle));
  EXPECT_TRUE(wait_until([&] { return !IsWindow(confirm); })) << "the click on 取消 did nothing";
  EXPECT_EQ(count(confirm_window::kCancelClickedLine), 1);
  EXPECT_EQ(shutdown_requests(), 0);
  EXPECT_TRUE(ss::close_box(about));
}

// The confirmation has a taskbar button (no owner, no tool window). Minimised, it comes
// back in front, where 取消 can be clicked, by 显示窗口 and by the tray's
// double-click, the ways back to the main window. (Right after a
// double-click on the tray icon, Wine lets a click on the title bar's
// minimise button pass: the double-click comes last.)
TEST_F(FiringConfirmation, AMinimisedConfirmationComesBackFromTheTray) {
  HWND confirm = nullptr;
  ASSERT_NO_FATAL_FAILURE(open_confirmation(&confirm));
  EXPECT_EQ(GetWindow(confirm, GW_OWNER), nullptr);
  EXPECT_EQ(drv::ex_style_of(confirm) & WS_EX_TOOLWINDOW, 0u);
  const HWND cancel = drv::child_by_id(confirm, confirm_window::kCancelButton);
  const struct {
    const char* way;
    std::function<void()> bring_back;
  } ways[] = {
      {"显示窗口", [&] { ASSERT_NO_FATAL_FAILURE(choose_from_tray(ss::kShowRow)); }},
      {"double-click", [&] { ASSERT_TRUE(drv::click_screen(icon_, 2)); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    POINT minimise{};
    ASSERT_TRUE(drv::find_title_bar_point(confirm, HTMINBUTTON, &minimise));
    ASSERT_TRUE(drv::bring_to_front(confirm));
    ASSERT_TRUE(drv::click_screen(minimise));
    ASSERT_TRUE(wait_until([&] { return IsIconic(confirm) != FALSE; })) << "not minimised";
    ASSERT_NO_FATAL_FAILURE(way.bring_back());
    EXPECT_TRUE(wait_until([&] { return !IsIconic(confirm) && GetForegroundWindow() == confirm; }))
        << "still minimised or not in front";
    // A restored window is no longer minimised a moment before it is back in
    // its place (it may have stayed the foreground window all along).
    EXPECT_TRUE(wait_until([&] { return WindowFromPoint(drv::centre_of(cancel)) == cancel; }))
        << "取消 is out of reach";
  }
  // 确定, a second after it came back: asked for, the machine may sleep.
  const DWORD back = drv::now_ms();
  ASSERT_TRUE(wait_until([&] { return drv::now_ms() - back > 1100; }));
  ASSERT_TRUE(drv::click_screen(drv::centre_of(drv::child_by_id(confirm, confirm_window::kConfirmButton))));
  EXPECT_TRUE(awake_state_is(kMaySleep));
  EXPECT_EQ(shutdown_requests(), 1);
}

}  // namespace
