// The countdown tick on the loaded main window, with the services it calls
// at firing recorded in order: the confirmation window, the alarm, the box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtin_data_win.h"
#include "confirm_window.h"
#include "countdown.h"
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

  // A running schedule with `count` shown and the boxes as given.
  static void start(const char* count, bool shut_down = false, bool music = false, bool remind = false,
                    const char* reminder = "") {
    rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, count);
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
