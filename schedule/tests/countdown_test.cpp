// The countdown tick on the loaded main window, with the services it calls
// at firing recorded in order: the confirmation window, the alarm, the box.
// The clocks the program reads from Windows are the test's: the tick count
// that 时钟2 measures its periods on, and the local time.
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

// The tick count in milliseconds, as GetTickCount64 and GetTickCount give it.
uint64_t g_ticks = 0;
ULONGLONG WINAPI tick_count64() { return g_ticks; }
DWORD WINAPI tick_count() { return static_cast<DWORD>(g_ticks); }
SYSTEMTIME g_local{};
void WINAPI local_time(SYSTEMTIME* t) { *t = g_local; }

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

class Countdown : public MainWindowHandlers {
 protected:
  void SetUp() override {
    g_calls.clear();
    g_exit_while_confirming = false;
    MainWindowHandlers::SetUp();
  }

  // A timer's Windows timer goes off `ms` after the one before, as the tick
  // count tells, and its handler runs.
  static void tick_after(uint64_t ms, uint32_t window = mw::kWindow, const rt::WindowDef& layout = mw::kLayout,
                         uint32_t timer = mw::时钟2, void (*handler)() = schedule::on_countdown_tick) {
    g_ticks += ms;
    SendMessageW(GetDlgItem(gui::frame(window), layouts::unit_index(layout, timer)), WM_TIMER, 1000, 0);
    handler();
  }

  // A schedule started afresh with `count` shown and the boxes as given.
  static void start(const char* count, bool shut_down = false, bool music = false, bool remind = false,
                    const char* reminder = "") {
    rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, count);
    rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 0);
    rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
    rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "停止");
    rt::put_int(mw::kWindow, mw::选择框1, prop::kChecked, shut_down);
    rt::put_int(mw::kWindow, mw::选择框3, prop::kChecked, music);
    rt::put_int(mw::kWindow, mw::选择框2, prop::kChecked, remind);
    rt::put_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent, reminder);
  }
  static std::string shown() { return rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption).c_str(); }
  static bool idle() {
    return rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) == 0 &&
           std::string(rt::get_text(mw::kWindow, mw::按钮1, prop::kButtonCaption).c_str()) == "定时";
  }

  rt::ClockCallsOverride clock_{{local_time, tick_count64, tick_count}};
  rt::ServiceOverride load_{rt::Service::LoadWindow, load_window};
  rt::ServiceOverride play_{rt::Service::PlaySound, play_sound};
  rt::ServiceOverride stop_{rt::Service::StopSound, stop_sound};
  rt::ServiceOverride box_{rt::Service::MessageBox, message_box};
};

TEST_F(Countdown, FiringFollowsTheThreeBoxes) {
  const struct {
    bool shut_down, music, remind;
    Calls calls;
  } rows[] = {
      {false, false, false, {"box 时间到!"}},
      {false, false, true, {"box 开会"}},
      {false, true, false, {"play", "box 时间到!", "stop"}},
      {false, true, true, {"play", "box 开会", "stop"}},
      {true, false, false, {"confirm"}},
      {true, false, true, {"confirm", "box 开会"}},
      {true, true, false, {"confirm", "play", "box 时间到!", "stop"}},
      {true, true, true, {"confirm", "play", "box 开会", "stop"}},
  };
  for (const auto& row : rows) {
    g_calls.clear();
    start("1", row.shut_down, row.music, row.remind, "开会");
    schedule::on_countdown_tick();
    EXPECT_EQ(g_calls, row.calls) << "关机 " << row.shut_down << " 音乐 " << row.music << " 提醒 " << row.remind;
    EXPECT_EQ(shown(), "0");
    EXPECT_TRUE(idle());
  }
}

// A start count of 0 (a target at the current second or one second back)
// fires on the first tick too, and the label never goes below 0.
TEST_F(Countdown, TheTickThatBringsTheCountToZeroOrBelowFires) {
  const struct {
    const char* count;
    const char* after;
    bool fires;
  } cases[] = {
      {"3600", "3599", false}, {"2", "1", false}, {"1", "0", true}, {"0", "0", true}, {"-4", "0", true},
  };
  for (const auto& c : cases) {
    g_calls.clear();
    start(c.count);
    schedule::on_countdown_tick();
    EXPECT_EQ(shown(), c.after) << "from " << c.count;
    EXPECT_EQ(idle(), c.fires) << "from " << c.count;
    EXPECT_EQ(g_calls, c.fires ? Calls{"box 时间到!"} : Calls{}) << "from " << c.count;
  }
}

TEST_F(Countdown, AScheduleFiresOnce) {
  start("1");
  schedule::on_countdown_tick();
  schedule::on_countdown_tick();  // a tick already under way when 时钟2 stopped
  EXPECT_EQ(g_calls, Calls{"box 时间到!"});
  EXPECT_EQ(shown(), "0");
}

// The system time an hour on, as after the user set the clock: now and
// universal now both.
void an_hour_on(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, rt::universal_now_datetime() + 1.0 / 24); }

// What a step of a row does: 时钟2 goes off, or its interval is written
// again (the same one, or 0 and then 1000: 停止 and 定时).
enum class Step { kTick, kSetAgain, kStopAndStart };

// The count lowers by the seconds that really passed on the tick count since
// 时钟2 started, whatever held its ticks up, and never by the system time.
TEST_F(Countdown, TheCountIsOfSecondsThatReallyPass) {
  struct Tick {
    uint64_t ms;  // after the step before
    const char* shown;
    Step step = Step::kTick;
  };
  const struct {
    const char* what;
    uint64_t start;
    bool xp;  // GetTickCount alone, as on XP
    bool clock_moved;
    std::vector<Tick> ticks;
  } rows[] = {
      {"a second apart", 5000, false, false, {{1000, "99"}, {1000, "98"}, {1000, "97"}}},
      {"held up for 15 s", 5000, false, false, {{1000, "99"}, {15000, "84"}, {1000, "83"}}},
      {"a tick 10 ms early", 5000, false, false, {{990, "99"}, {1000, "98"}, {1010, "97"}}},
      {"a lateness built up tick by tick",
       5000,
       false,
       false,
       {{1100, "99"}, {1100, "98"}, {1100, "97"}, {1100, "96"}, {1100, "95"}, {1100, "94"}, {1100, "93"},
        {1100, "92"}, {1100, "91"}, {1100, "89"}}},
      {"the system time an hour on", 5000, false, true, {{1000, "99"}, {1000, "98"}}},
      {"XP, across the wrap of its count", 0xFFFFF800, true, false, {{1000, "99"}, {3000, "96"}, {1000, "95"}}},
      {"the same interval set again", 5000, false, false, {{600, nullptr, Step::kSetAgain}, {14400, "85"}}},
      {"stopped and started again", 5000, false, false, {{600, nullptr, Step::kStopAndStart}, {14400, "86"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::optional<rt::ClockCallsOverride> xp;
    if (row.xp) xp.emplace(rt::ClockCalls{local_time, nullptr, tick_count});
    std::optional<rt::ServiceOverride> now, universal_now;
    g_ticks = row.start;
    start("100");
    if (row.clock_moved) {
      now.emplace(rt::Service::Now, an_hour_on);
      universal_now.emplace(rt::Service::UniversalNow, an_hour_on);
    }
    for (const Tick& t : row.ticks) {
      if (t.step == Step::kTick) {
        tick_after(t.ms);
        EXPECT_EQ(shown(), t.shown) << "at " << g_ticks - row.start << " ms";
        continue;
      }
      g_ticks += t.ms;
      if (t.step == Step::kStopAndStart) rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 0);
      rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
    }
    EXPECT_EQ(g_calls, Calls{});
  }
}

// A moment that passed while the machine slept fires on the first tick
// after it woke. A shutdown is started only within a minute of its moment;
// later the firing tells that the moment has passed, as without 关机.
TEST_F(Countdown, AMomentPastFiresAtOnceAndAShutdownOnlyWithinAMinute) {
  const struct {
    const char* count;
    bool shut_down, music;
    uint64_t ms;  // from the start to the first tick
    Calls calls;
  } rows[] = {
      {"1800", false, false, 3600 * 1000, {"box 时间到!"}},
      {"1800", true, true, 3600 * 1000, {"play", "box 时间到!", "stop"}},
      {"1", true, false, 62 * 1000, {"box 时间到!"}},  // 61 s late
      {"1", true, false, 60 * 1000, {"confirm"}},      // 59 s late
      {"30", true, false, 90 * 1000, {"confirm"}},     // 60 s late
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.count) + " after " + std::to_string(row.ms) + " ms");
    g_calls.clear();
    start(row.count, row.shut_down, row.music);
    tick_after(row.ms);
    EXPECT_EQ(g_calls, row.calls);
    EXPECT_EQ(shown(), "0");
    EXPECT_TRUE(idle());
  }
}

// The confirmation's ten seconds are ten seconds the user sees: a tick held
// up lowers its count by one, as any other.
TEST_F(Countdown, TheConfirmationMakesUpNoTick) {
  ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));
  schedule::on_confirm_created();
  tick_after(5000, cw::kWindow, cw::kLayout, cw::时钟1, schedule::on_confirm_tick);
  EXPECT_EQ(std::string(rt::get_text(cw::kWindow, cw::按钮1, prop::kButtonCaption).c_str()), "确定(9)");
}

// The clock shows Windows' local time as it is at each tick: a change of
// the zone shows at the next.
TEST_F(Countdown, TheClockFollowsAChangeOfTheZoneAtItsNextTick) {
  g_local = SYSTEMTIME{2026, 12, 2, 8, 9, 30, 15, 0};
  schedule::on_clock_tick();
  EXPECT_EQ(std::string(rt::get_text(mw::kWindow, mw::标签_当前时间, prop::kLabelCaption).c_str()),
            "2026年12月8日9时30分15秒");
  g_local.wHour = 17;  // the same moment, eight hours east
  schedule::on_clock_tick();
  EXPECT_EQ(std::string(rt::get_text(mw::kWindow, mw::标签_当前时间, prop::kLabelCaption).c_str()),
            "2026年12月8日17时30分15秒");
}

// The tray menu's 退出 while the confirmation is open: after 取消 nothing
// is left to read, and the firing ends without a fatal error.
TEST_F(Countdown, FiringEndsQuietlyWhenTheMainWindowWentDuringTheConfirmation) {
  g_exit_while_confirming = true;
  start("1", true, true, true, "开会");
  schedule::on_countdown_tick();
  EXPECT_EQ(g_calls, Calls{"confirm"});
  EXPECT_FALSE(rt::is_loaded(mw::kWindow));
}

}  // namespace
