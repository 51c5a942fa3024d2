// The countdown tick on the loaded main window, with the services it calls
// at firing recorded in order: the confirmation window, the alarm, the box,
// and the clocks it reads from Windows set by the test.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "builtin_data_win.h"
#include "clock.h"
#include "clock_win.h"
#include "confirm_countdown.h"
#include "confirm_window.h"
#include "countdown.h"
#include "keeping.h"
#include "moment.h"
#include "schedule_setup.h"
#include "services.h"
#include "datetime.h"
#include "layout_facts.h"
#include "main_window_handlers.h"
#include "message_box.h"
#include "property_rules.h"
#include "service.h"

namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;
namespace prop = rt::prop;
using Calls = std::vector<std::string>;

constexpr int32_t kFiringBoxFlags = 0x40 | 0x10000 | 0x40000;  // information, foreground, topmost

Calls g_calls;
bool g_exit_while_confirming = false;  // 退出 chosen while the confirmation is open

// The clocks: the tick count and the system time (universal), in
// milliseconds, and the local time the clock label shows.
uint64_t g_ticks = 0;
uint64_t g_system_ms = 0;
ULONGLONG WINAPI tick_count64() { return g_ticks; }
DWORD WINAPI tick_count() { return static_cast<DWORD>(g_ticks); }
void WINAPI system_time(FILETIME* t) {
  const uint64_t ft = g_system_ms * 10000;
  *t = FILETIME{static_cast<DWORD>(ft), static_cast<DWORD>(ft >> 32)};
}
SYSTEMTIME g_local{};
void WINAPI local_time(SYSTEMTIME* t) { *t = g_local; }
// 2026-12-09 14:45:00 universal, in milliseconds since 1601.
constexpr uint64_t kStartMs = 13441301100000ULL;

// The zone is eight hours east: what the missed box shows.
void to_local_time(rt::Result& r, int n, const rt::Arg* args) {
  rt::set_double(r, rt::whole_second(rt::add_seconds(rt::datetime_of(rt::arg_at(n, args, 0)), 8 * 3600)));
}

void load_window(rt::Result& r, int n, const rt::Arg* args) {
  const rt::Arg window = rt::arg_at(n, args, 0), parent = rt::arg_at(n, args, 1), dialog = rt::arg_at(n, args, 2);
  const bool as_dialog = window.low == cw::kWindow && !rt::present(parent) && dialog.low != 0;
  g_calls.push_back(as_dialog ? "confirm" : "load, not the confirmation in dialog mode");
  if (g_exit_while_confirming) rt::destroy_unit(mw::kWindow, mw::kOwn, true);
  rt::set_bool(r, true);
}

void play_sound(rt::Result& r, int n, const rt::Arg* args) {
  const rt::Arg sound = rt::arg_at(n, args, 0);
  const bool alarm_once = sound.tag == rt::kTagBlock && rt::arg_as_block(sound) == assets::alarm_sound_block() &&
                          !rt::present(rt::arg_at(n, args, 1));
  g_calls.push_back(alarm_once ? "play" : "play, not the alarm once");
  rt::set_bool(r, true);
}

void stop_sound(rt::Result&, int, const rt::Arg*) { g_calls.push_back("stop"); }

void message_box(rt::Result&, int n, const rt::Arg* args) {
  std::string call = "box " + rt::box_text(rt::arg_at(n, args, 0));
  if (rt::box_caption(rt::arg_at(n, args, 2)) != "提醒") call += ", caption not 提醒";
  if (rt::arg_at(n, args, 1).low != kFiringBoxFlags) call += ", other flags";
  g_calls.push_back(call);
}

// What the program keeps: each write with the three check boxes it holds,
// and the removal.
void keep_schedule(rt::Result& r, int n, const rt::Arg* args) {
  std::string call = "keep";
  for (int i = 1; i <= 3; ++i) call += rt::arg_at(n, args, i).low ? " 1" : " 0";
  g_calls.push_back(call + " " + rt::box_text(rt::arg_at(n, args, 4)));
  rt::set_bool(r, true);
}
void forget_schedule(rt::Result&, int, const rt::Arg*) { g_calls.push_back("forget"); }

// The tray: the tip as it stands, and every balloon.
std::string g_tip;
Calls g_balloons;
void tray_tip(rt::Result&, int n, const rt::Arg* args) { g_tip = rt::box_text(rt::arg_at(n, args, 1)); }
void tray_balloon(rt::Result&, int n, const rt::Arg* args) {
  g_balloons.push_back(rt::box_caption(rt::arg_at(n, args, 1)) + ": " + rt::box_text(rt::arg_at(n, args, 2)));
}

class Countdown : public MainWindowHandlers {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_balloons.clear();
    g_tip.clear();
    g_exit_while_confirming = false;
    g_ticks = 0xFFFFF800;  // the 32-bit count wraps two seconds on
    g_system_ms = kStartMs;
    MainWindowHandlers::SetUp();
  }

  // A timer's Windows timer goes off `ms` after the one before.
  static void go_off(uint64_t ms, uint32_t window, const rt::WindowDef& layout, uint32_t timer) {
    g_ticks += ms;
    SendMessageW(GetDlgItem(gui::frame(window), layouts::unit_index(layout, timer)), WM_TIMER, 1000, 0);
  }
  // 时钟2 goes off `ms` later, the system clock moved on by `clock_ms`.
  static void tick(uint64_t ms, int64_t clock_ms) {
    g_system_ms += clock_ms;
    go_off(ms, mw::kWindow, mw::kLayout, mw::时钟2);
    schedule::on_countdown_tick();
  }

  // A schedule started afresh `count` seconds (and `ms`) before its
  // moment, with the boxes as given.
  static void start(int64_t count, bool shut_down = false, bool music = false, bool remind = false,
                    const char* reminder = "", int64_t ms = 0) {
    const double now = rt::datetime_of(rt::arg_datetime(svc::universal_clock()));
    schedule::set_moment(rt::add_seconds(now, static_cast<double>(count) + ms / 1000.0));
    rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, std::to_string(count).c_str());
    rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 0);
    rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
    rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "停止");
    rt::put_int(mw::kWindow, mw::选择框1, prop::kChecked, shut_down);
    rt::put_int(mw::kWindow, mw::选择框3, prop::kChecked, music);
    rt::put_int(mw::kWindow, mw::选择框2, prop::kChecked, remind);
    rt::put_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent, reminder);
    schedule::keep_new_schedule(schedule::moment());
    g_calls.clear();
  }
  static std::string text(uint32_t window, uint32_t unit, int number) {
    return rt::get_text(window, unit, number).c_str();
  }
  static std::string shown() { return text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption); }
  static bool idle() {
    return rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) == 0 &&
           std::string(rt::get_text(mw::kWindow, mw::按钮1, prop::kButtonCaption).c_str()) == "定时";
  }

  rt::ClockCallsOverride clock_{{local_time, system_time, tick_count64, tick_count}};
  rt::ServiceOverride local_{rt::Service::ToLocalTime, to_local_time};
  rt::ServiceOverride load_{rt::Service::LoadWindow, load_window};
  rt::ServiceOverride play_{rt::Service::PlaySound, play_sound};
  rt::ServiceOverride stop_{rt::Service::StopSound, stop_sound};
  rt::ServiceOverride box_{rt::Service::MessageBox, message_box};
  rt::ServiceOverride keep_{rt::Service::KeepSchedule, keep_schedule};
  rt::ServiceOverride forget_{rt::Service::ForgetSchedule, forget_schedule};
  rt::ServiceOverride tip_{rt::Service::SetTrayTip, tray_tip};
  rt::ServiceOverride balloon_{rt::Service::ShowTrayBalloon, tray_balloon};
};

// 时钟2 goes off at moments of the row's choosing: each step moves the tick
// count and the system clock on (`clock` differs from `ms` when the clock
// was set meanwhile). The count is the seconds from the system clock's now
// to the moment, never below 0; the tick that finds it at 0 fires once, as
// the three check boxes say. A firing more than a minute after the moment
// is a missed one: no confirmation, no sound, a box that says so.
TEST_F(Countdown, TheCountIsOfSecondsToTheMomentOnTheSystemClock) {
  enum : unsigned { kShutDown = 1, kMusic = 2, kRemind = 4 };
  constexpr int64_t kSame = INT64_MIN;  // the clock moves as the ticks
  struct Tick {
    uint64_t ms;
    const char* shown;
    int64_t clock = kSame;
  };
  const std::string kMissed = "box 错过的定时：2026年12月9日";  // eight hours east
  const struct {
    const char* what;
    int64_t count;
    unsigned with;
    std::vector<Tick> ticks;
    Calls calls;
  } rows[] = {
      {"nothing ticked", 1, 0, {{1000, "0"}}, {"forget", "box 时间到!"}},
      {"提醒:", 1, kRemind, {{1000, "0"}}, {"forget", "box 开会"}},
      {"音乐", 1, kMusic, {{1000, "0"}}, {"forget", "play", "box 时间到!", "stop"}},
      {"音乐, 提醒:", 1, kMusic | kRemind, {{1000, "0"}}, {"forget", "play", "box 开会", "stop"}},
      {"关机", 1, kShutDown, {{1000, "0"}}, {"forget", "confirm"}},
      {"关机, 提醒:", 1, kShutDown | kRemind, {{1000, "0"}}, {"forget", "confirm", "box 开会"}},
      {"关机, 音乐", 1, kShutDown | kMusic, {{1000, "0"}}, {"forget", "confirm", "play", "box 时间到!", "stop"}},
      {"关机, 音乐, 提醒:", 1, kShutDown | kMusic | kRemind, {{1000, "0"}},
       {"forget", "confirm", "play", "box 开会", "stop"}},
      {"3600 left", 3600, 0, {{1000, "3599"}}, {}},
      {"1 left, and a tick after", 1, 0, {{1000, "0"}, {1000, "0"}}, {"forget", "box 时间到!"}},
      {"a target at now", 0, 0, {{1000, "0"}}, {"forget", "box 时间到!"}},
      {"held up for 15 s", 100, 0, {{1000, "99"}, {15000, "84"}, {1000, "83"}}, {}},
      {"a tick 10 ms early, and its moment", 2, 0, {{990, "1"}, {1000, "0"}}, {"forget", "box 时间到!"}},
      {"a lateness built up tick by tick", 100, 0, {{1500, "99"}, {1500, "97"}, {1500, "96"}}, {}},
      {"the clock set an hour on", 7200, 0, {{1000, "7199"}, {1000, "3598", 3601000}}, {}},
      {"the clock set an hour back", 100, 0, {{1000, "99"}, {1000, "3698", -3599000}}, {}},
      {"the clock set 59 s past the moment", 100, kShutDown, {{1000, "0", 159000}}, {"forget", "confirm"}},
      {"the clock set past the moment", 100, kShutDown | kMusic, {{1000, "0", 200000}},
       {"forget", kMissed + "22时46分40秒\r\n计算机没有关闭。\r\n时间到!"}},
      {"slept through the moment", 1800, kRemind, {{3600 * 1000, "0"}},
       {"forget", kMissed + "23时15分\r\n开会"}},
      {"关机, 音乐, 提醒:, an hour late", 1800, kShutDown | kMusic | kRemind, {{3600 * 1000, "0"}},
       {"forget", kMissed + "23时15分\r\n计算机没有关闭。\r\n开会"}},
      {"关机, 61 s late", 1, kShutDown, {{62 * 1000, "0"}}, {"forget", kMissed + "22时45分1秒\r\n计算机没有关闭。\r\n时间到!"}},
      {"关机, 59 s late", 1, kShutDown, {{60 * 1000, "0"}}, {"forget", "confirm"}},
      {"关机, 60 s late", 30, kShutDown, {{90 * 1000, "0"}}, {"forget", "confirm"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    g_system_ms = kStartMs;
    start(row.count, row.with & kShutDown, row.with & kMusic, row.with & kRemind, "开会");
    for (const Tick& t : row.ticks) {
      tick(t.ms, t.clock == kSame ? static_cast<int64_t>(t.ms) : t.clock);
      EXPECT_EQ(shown(), t.shown) << "at " << g_system_ms - kStartMs << " ms on the clock";
    }
    EXPECT_EQ(g_calls, row.calls);
    EXPECT_EQ(idle(), !row.calls.empty());
  }
}

// While the count runs, the tip tells the time left; with 关机 ticked a
// balloon warns as the count passes a mark, once, of the mark it lands
// under when it jumps past several (a clock set, a wake), and none while
// 关机 is clear. Idle again, the tip is the program's name.
TEST_F(Countdown, TheTrayTellsTheTimeLeftAndWarnsBeforeAShutdown) {
  start(4000, true);
  tick(1000, 1000);
  EXPECT_EQ(g_tip, "定时器\n关机 剩余 1:06:39");
  tick(1000, 3700000);  // the clock set on past the 10 and 5 minute marks
  EXPECT_EQ(shown(), "299");
  rt::put_int(mw::kWindow, mw::选择框1, prop::kChecked, 0);
  tick(1000, 240000);  // past the 1 minute mark with 关机 clear
  EXPECT_EQ(g_tip, "定时器\n剩余 0:00:59");
  EXPECT_EQ(g_balloons, Calls{"定时器: 5 分钟后将关闭计算机。单击这里打开定时器。"});
  tick(1000, 60000);
  EXPECT_TRUE(idle());
  EXPECT_EQ(g_tip, "定时器");
  start(100);
  tick(1000, 1000);
  schedule::on_schedule_button();  // 停止
  EXPECT_EQ(g_tip, "定时器");
}

// The record follows the check boxes and the reminder text while the count
// runs, goes when the user stops it or ends the program, and stays when
// Windows ends the session.
TEST_F(Countdown, TheKeptScheduleFollowsTheBoxesAndOutlivesOnlyTheSession) {
  schedule::on_session_ends(0);
  start(100);
  tick(1000, 1000);
  rt::put_int(mw::kWindow, mw::选择框1, prop::kChecked, 1);
  rt::put_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent, "开会");
  tick(1000, 1000);
  tick(1000, 1000);
  rt::put_int(mw::kWindow, mw::选择框3, prop::kChecked, 1);
  schedule::on_session_ends(1);
  schedule::on_main_destroying();
  EXPECT_EQ(g_calls, (Calls{"keep 1 0 0 开会", "keep 1 1 0 开会"}));

  g_calls.clear();
  schedule::on_session_ends(0);  // another program called the end off
  schedule::on_main_destroying();
  EXPECT_EQ(g_calls, Calls{"forget"});
  schedule::on_main_destroying();
  EXPECT_EQ(g_calls, Calls{"forget"}) << "forgotten once";
}

// A schedule brought back at sign-in after its moment is missed however
// little it is late: nothing kept shuts a machine down after a boot.
TEST_F(Countdown, AScheduleBroughtBackAfterItsMomentIsMissed) {
  const double moment = rt::add_seconds(rt::datetime_of(rt::arg_datetime(svc::universal_clock())), -10);
  schedule::resume_schedule({moment, true, false, false, "", 46365, "22", "44", "50"});
  EXPECT_EQ(shown(), "0");
  tick(1000, 1000);
  EXPECT_EQ(g_calls, (Calls{"forget", "box 错过的定时：2026年12月9日22时44分50秒\r\n计算机没有关闭。\r\n时间到!"}));
}

// A set clock shows at once, in the clock and the count, without firing.
TEST_F(Countdown, ASetClockShowsAtOnce) {
  start(100, true);
  g_system_ms += 3600 * 1000;
  g_local = SYSTEMTIME{2026, 12, 3, 10, 0, 45, 0, 0};
  schedule::on_time_changed();
  EXPECT_EQ(text(mw::kWindow, mw::标签_当前时间, prop::kLabelCaption), "2026年12月10日0时45分");
  EXPECT_EQ(shown(), "0");
  EXPECT_EQ(g_calls, Calls{});
  EXPECT_FALSE(idle());
}

// The confirmation's ten seconds are ten the user sees: a tick up to five
// seconds late counts one. A tick held up longer (the machine slept while
// it counted) stops the count: 确定 waits for a click.
TEST_F(Countdown, TheConfirmationCountsItsTicksAndStopsWhenOneWasHeldUp) {
  ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));
  schedule::on_confirm_created();
  go_off(5000, cw::kWindow, cw::kLayout, cw::时钟1);
  schedule::on_confirm_tick();
  EXPECT_EQ(text(cw::kWindow, cw::按钮1, prop::kButtonCaption), "确定(9)");
  go_off(5001, cw::kWindow, cw::kLayout, cw::时钟1);
  schedule::on_confirm_tick();
  EXPECT_EQ(text(cw::kWindow, cw::按钮1, prop::kButtonCaption), "确定");
  EXPECT_EQ(rt::get_int(cw::kWindow, cw::时钟1, prop::kInterval), 0);
}

// The clock shows Windows' local time at each tick: a new zone at the next.
TEST_F(Countdown, TheClockFollowsAChangeOfTheZoneAtItsNextTick) {
  for (const WORD hour : {9, 17}) {  // 17: the same moment, eight hours east
    g_local = SYSTEMTIME{2026, 12, 2, 8, hour, 30, 15, 0};
    schedule::on_clock_tick();
    EXPECT_EQ(text(mw::kWindow, mw::标签_当前时间, prop::kLabelCaption), "2026年12月8日" + std::to_string(hour) + "时30分15秒");
  }
}

// The tray menu's 退出 while the confirmation is open: after 取消 nothing
// is left to read, and the firing ends without a fatal error.
TEST_F(Countdown, FiringEndsQuietlyWhenTheMainWindowWentDuringTheConfirmation) {
  g_exit_while_confirming = true;
  start(1, true, true, true, "开会");
  tick(1000, 1000);
  EXPECT_EQ(g_calls, (Calls{"forget", "confirm"}));
  EXPECT_FALSE(rt::is_loaded(mw::kWindow));
}

}  // namespace
