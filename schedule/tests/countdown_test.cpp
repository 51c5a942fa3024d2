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

uint64_t g_ticks = 0;  // the tick count, in milliseconds
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

  // A timer's Windows timer goes off `ms` after the one before.
  static void go_off(uint64_t ms, uint32_t window, const rt::WindowDef& layout, uint32_t timer) {
    g_ticks += ms;
    SendMessageW(GetDlgItem(gui::frame(window), layouts::unit_index(layout, timer)), WM_TIMER, 1000, 0);
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
  static std::string text(uint32_t window, uint32_t unit, int number) {
    return rt::get_text(window, unit, number).c_str();
  }
  static std::string shown() { return text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption); }
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

// The system time an hour on, as after the user set the clock.
void an_hour_on(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, rt::universal_now_datetime() + 1.0 / 24); }

// 时钟2 goes off at tick counts of the row's choosing, each `ms` after the
// step before (a step without `shown` writes the same interval again). The
// count lowers by the seconds that really passed since it started, whatever
// held its ticks up, never by the system time, and never below 0; the tick
// that brings it to 0 fires once, as the three check boxes say. A moment
// slept through fires at once; a shutdown comes only within a minute of it.
TEST_F(Countdown, TheCountIsOfSecondsThatReallyPass) {
  enum : unsigned { kShutDown = 1, kMusic = 2, kRemind = 4, kXp = 8, kClockMoved = 16 };  // kXp: GetTickCount alone
  struct Tick {
    uint64_t ms;
    const char* shown;
  };
  const struct {
    const char* what;
    const char* count;
    unsigned with;
    std::vector<Tick> ticks;
    Calls calls;
  } rows[] = {
      {"nothing ticked", "1", 0, {{1000, "0"}}, {"box 时间到!"}},
      {"提醒:", "1", kRemind, {{1000, "0"}}, {"box 开会"}},
      {"音乐", "1", kMusic, {{1000, "0"}}, {"play", "box 时间到!", "stop"}},
      {"音乐, 提醒:", "1", kMusic | kRemind, {{1000, "0"}}, {"play", "box 开会", "stop"}},
      {"关机", "1", kShutDown, {{1000, "0"}}, {"confirm"}},
      {"关机, 提醒:", "1", kShutDown | kRemind, {{1000, "0"}}, {"confirm", "box 开会"}},
      {"关机, 音乐", "1", kShutDown | kMusic, {{1000, "0"}}, {"confirm", "play", "box 时间到!", "stop"}},
      {"关机, 音乐, 提醒:", "1", kShutDown | kMusic | kRemind, {{1000, "0"}}, {"confirm", "play", "box 开会", "stop"}},
      {"3600 left", "3600", 0, {{1000, "3599"}}, {}},
      {"2 left", "2", 0, {{1000, "1"}}, {}},
      {"1 left, and a tick after", "1", 0, {{1000, "0"}, {1000, "0"}}, {"box 时间到!"}},
      {"a target at now", "0", 0, {{1000, "0"}}, {"box 时间到!"}},
      {"below 0", "-4", 0, {{1000, "0"}}, {"box 时间到!"}},
      {"held up for 15 s", "100", 0, {{1000, "99"}, {15000, "84"}, {1000, "83"}}, {}},
      {"a tick 10 ms early", "100", 0, {{990, "99"}, {1000, "98"}, {1010, "97"}}, {}},
      {"a lateness built up tick by tick", "100", 0, {{1500, "99"}, {1500, "97"}, {1500, "96"}}, {}},
      {"the system time an hour on", "100", kClockMoved, {{1000, "99"}, {1000, "98"}}, {}},
      {"XP, across the wrap of its count", "100", kXp, {{1000, "99"}, {3000, "96"}, {1000, "95"}}, {}},
      {"the same interval written again", "100", 0, {{600, nullptr}, {14400, "85"}}, {}},
      {"slept through the moment", "1800", 0, {{3600 * 1000, "0"}}, {"box 时间到!"}},
      {"关机 and 音乐, an hour late", "1800", kShutDown | kMusic, {{3600 * 1000, "0"}}, {"play", "box 时间到!", "stop"}},
      {"关机, 61 s late", "1", kShutDown, {{62 * 1000, "0"}}, {"box 时间到!"}},
      {"关机, 59 s late", "1", kShutDown, {{60 * 1000, "0"}}, {"confirm"}},
      {"关机, 60 s late", "30", kShutDown, {{90 * 1000, "0"}}, {"confirm"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    g_calls.clear();
    g_ticks = 0xFFFFF800;  // the 32-bit count wraps two seconds on
    std::optional<rt::ClockCallsOverride> xp;
    if (row.with & kXp) xp.emplace(rt::ClockCalls{local_time, nullptr, tick_count});
    start(row.count, row.with & kShutDown, row.with & kMusic, row.with & kRemind, "开会");
    std::optional<rt::ServiceOverride> now, universal_now;
    if (row.with & kClockMoved) now.emplace(rt::Service::Now, an_hour_on);
    if (row.with & kClockMoved) universal_now.emplace(rt::Service::UniversalNow, an_hour_on);
    for (const Tick& t : row.ticks) {
      if (!t.shown) {
        g_ticks += t.ms;
        rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
        continue;
      }
      go_off(t.ms, mw::kWindow, mw::kLayout, mw::时钟2);
      schedule::on_countdown_tick();
      EXPECT_EQ(shown(), t.shown) << "at " << g_ticks - 0xFFFFF800 << " ms";
    }
    EXPECT_EQ(g_calls, row.calls);
    EXPECT_EQ(idle(), !row.calls.empty());
  }
}

// The confirmation's ten seconds are ten the user sees: it makes up no tick.
TEST_F(Countdown, TheConfirmationMakesUpNoTick) {
  ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));
  schedule::on_confirm_created();
  go_off(5000, cw::kWindow, cw::kLayout, cw::时钟1);
  schedule::on_confirm_tick();
  EXPECT_EQ(text(cw::kWindow, cw::按钮1, prop::kButtonCaption), "确定(9)");
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
  start("1", true, true, true, "开会");
  schedule::on_countdown_tick();
  EXPECT_EQ(g_calls, Calls{"confirm"});
  EXPECT_FALSE(rt::is_loaded(mw::kWindow));
}

}  // namespace
