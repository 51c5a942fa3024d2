#include "countdown.h"

#include "builtin_data_win.h"
#include "confirm_window.h"
#include "main_window.h"
#include "property_rules.h"
#include "services.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;
namespace prop = rt::prop;

// The user may be working in another program when a schedule fires: its
// boxes come up in front of every window and take the foreground.
constexpr uint32_t kFiringBox = svc::kBoxInformation | svc::kBoxSetForeground | svc::kBoxTopmost;

// A shutdown is started only this close to its moment. A machine woken
// hours after a shutdown was due, or a program that was held up, must not
// switch off under a user who has just sat down at it: the firing then
// only tells that the moment has passed.
constexpr double kLatestShutdownSeconds = 60;

bool counting() { return rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) != 0; }
bool checked(uint32_t box) { return rt::get_int(mw::kWindow, box, prop::kChecked) != 0; }

// Writes the count lower by the seconds that really passed since the last
// tick (more than one when ticks were held up: the machine slept, or the
// program was busy) and gives the seconds left; 0 or less fires. The label
// shows 0 at the least. A count that started at 0 (a target at the current
// second) runs out on the first tick as well.
double count_down() {
  const rt::Text shown = rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption);
  const int32_t passed = rt::get_int(mw::kWindow, mw::时钟2, prop::kPeriodsDue);
  const double left = static_cast<double>(svc::to_integer(shown.c_str())) - passed;
  const rt::Text text = svc::to_text(left > 0 ? left : 0.0);
  rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, text.c_str());
  return left;
}

// Back to idle: no more ticks, and the button starts a new schedule.
void end_schedule() {
  rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 0);
  rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "定时");
}

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

// `late`: the seconds since the moment, as this tick finds them.
void fire(double late) {
  end_schedule();
  const bool shut_down = checked(mw::选择框1) && late <= kLatestShutdownSeconds;
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
    const rt::Text reminder = rt::get_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent);
    show_reminder(reminder.c_str());
  } else if (music || !shut_down) {
    show_reminder("时间到!");
  }
  if (music) svc::stop_sound();
}

}  // namespace

void on_countdown_tick() {
  // A tick still under way when the schedule stopped belongs to no schedule.
  if (!counting()) return;
  const double left = count_down();
  if (left <= 0) {
    fire(-left);
    return;
  }
  // 关机 may be ticked or cleared while the count runs. A machine that fell
  // asleep by itself would find the moment long past when it woke, and a
  // shutdown scheduled for the night would never come.
  svc::keep_awake(checked(mw::选择框1));
}

}  // namespace schedule
