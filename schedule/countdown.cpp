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

bool counting() { return rt::get_int(mw::kWindow, mw::时钟2, prop::kInterval) != 0; }
bool checked(uint32_t box) { return rt::get_int(mw::kWindow, box, prop::kChecked) != 0; }

// Writes the count one lower and tells whether the schedule runs on. A count
// that started at 0 or below (a target at the current second or one second
// back) runs out on this tick as well, and shows 0.
bool count_down() {
  const rt::Text shown = rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption);
  const double left = svc::to_integer(shown.c_str()) - 1.0;
  const rt::Text text = svc::to_text(left > 0 ? left : 0.0);
  rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, text.c_str());
  return left > 0;
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

void fire() {
  end_schedule();
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
  if (!count_down()) {
    fire();
    return;
  }
  // 关机 may be ticked or cleared while the count runs: the machine's idle
  // sleep would stop the count, and a shutdown scheduled for the night would
  // never come.
  svc::keep_awake(checked(mw::选择框1));
}

}  // namespace schedule
