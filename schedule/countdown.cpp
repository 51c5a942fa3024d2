#include "countdown.h"

#include <string>

#include "builtin_data_win.h"
#include "clock.h"
#include "confirm_window.h"
#include "keeping.h"
#include "main_window.h"
#include "moment.h"
#include "property_rules.h"
#include "services.h"
#include "texts.h"
#include "warnings.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;
namespace prop = rt::prop;

constexpr svc::WindowRef kMainWindow{mw::kWindow, mw::kOwn};

// The user may be working in another program when a schedule fires: its
// boxes come up in front of every window and take the foreground.
constexpr uint32_t kFiringBox = svc::kBoxInformation | svc::kBoxSetForeground | svc::kBoxTopmost;

// A firing this close to its moment is on time. Later (the machine slept
// through the moment, the clock was set past it, the schedule came back
// after it) it is a missed one: nothing is shut down and nothing plays,
// and a box tells what was missed, so that nobody who has just sat down at
// a machine woken in the morning sees it switch itself off.
constexpr double kLatestFiringSeconds = 60;

bool counting() { return rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) != 0; }
bool checked(uint32_t box) { return rt::get_int(mw::kWindow, box, prop::kChecked) != 0; }

// Opens the confirmation window in dialog mode, without a parent, and
// returns once it has closed (unless the shutdown goes ahead). The machine
// stays awake until then.
void confirm_shutdown() {
  svc::keep_awake(true);
  svc::load_window({cw::kWindow, cw::kOwn}, true);
  svc::keep_awake(false);
}

// Waits until the user has closed the box.
void show_reminder(const char* text) { svc::message_box(text, kFiringBox, "提醒"); }

rt::Text reminder_text() { return rt::get_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent); }

// The moment as the clock showed it, what did not happen, and what was to
// be said, on lines of their own.
void tell_missed() {
  const rt::Text when = svc::datetime_text(svc::to_local_time(moment()));
  const rt::Text reminder = checked(mw::选择框2) ? reminder_text() : rt::Text();
  const rt::Text text = join_texts({"错过的定时：", when.get(), "\r\n", checked(mw::选择框1) ? "计算机没有关闭。\r\n" : "",
                                    checked(mw::选择框2) ? reminder.get() : "时间到!"});
  show_reminder(text.c_str());
}

void fire(double late) {
  end_schedule();
  // Before anything else: a shutdown requested must not come back at the
  // next sign-in.
  forget_kept_schedule();
  if (late > kLatestFiringSeconds || moment_missed()) {
    svc::keep_awake(false);
    tell_missed();
    return;
  }
  const bool shut_down = checked(mw::选择框1);
  if (shut_down) {
    confirm_shutdown();
    // The main window answers its tray icon while the confirmation is open:
    // 退出 may have ended the program meanwhile, and then nothing is left to
    // remind of.
    if (!rt::is_loaded(mw::kWindow)) return;
  } else {
    svc::keep_awake(false);  // the count has ended
  }
  const bool music = checked(mw::选择框3);
  if (music) svc::play_sound(assets::alarm_sound_block());
  if (checked(mw::选择框2)) {
    const rt::Text reminder = reminder_text();
    show_reminder(reminder.c_str());
  } else if (music || !shut_down) {
    show_reminder("时间到!");
  }
  if (music) svc::stop_sound();
}

}  // namespace

// While the count runs, the tray tip tells the time left, and with 关机
// ticked a balloon warns as the count passes 10, 5 and 1 minutes (once, of
// the mark it lands under, when it jumps past several).
int64_t show_count(double now) {
  const int64_t left = seconds_left(now);
  const int64_t shown = left > 0 ? left : 0;
  const rt::Text before = rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption);
  const rt::Text text = svc::to_text(static_cast<double>(shown));
  rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, text.c_str());
  if (left > 0) {
    const bool shut_down = checked(mw::选择框1);
    svc::set_tray_tip(kMainWindow, counting_tip(left, shut_down).c_str());
    const int mark = shut_down ? warning_mark(svc::to_integer(before.c_str()), left) : 0;
    if (mark) svc::show_tray_balloon(kMainWindow, "定时器", warning_text(mark).c_str());
  }
  return left;
}

void end_schedule() {
  rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 0);
  rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "定时");
  svc::set_tray_tip(kMainWindow, "定时器");
}

void on_countdown_tick() {
  // A tick still under way when the schedule stopped belongs to no schedule.
  if (!counting()) return;
  const double now = svc::universal_clock();
  // The first tick at the moment fires: in whole seconds, a tick a little
  // early (Windows' timers may come some milliseconds before their period)
  // that finds the count at 0 is at the moment.
  if (show_count(now) <= 0) {
    fire(seconds_late(now));
    return;
  }
  // 关机 may be ticked or cleared while the count runs. A machine that fell
  // asleep by itself would find the moment long past when it woke, and a
  // shutdown scheduled for the night would never come.
  svc::keep_awake(checked(mw::选择框1));
  keep_schedule_current();
}

void on_time_changed() {
  on_clock_tick();
  // The count shows the set clock at once; the next tick fires if the
  // moment has come.
  if (counting()) show_count(svc::universal_clock());
}

}  // namespace schedule
