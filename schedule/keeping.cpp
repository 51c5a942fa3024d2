#include "keeping.h"

#include <string>

#include "main_window.h"
#include "property_rules.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

// What the record holds, with texts of its own.
struct Kept {
  double moment = 0;
  bool shut_down = false, music = false, remind = false;
  std::string reminder;
  double date = 0;
  std::string hour, minute, second;
};

bool g_kept = false;
Kept g_record;
bool g_session_ends = false;

bool checked(uint32_t box) { return rt::get_int(mw::kWindow, box, prop::kChecked) != 0; }
std::string text(uint32_t unit, int number) { return rt::get_text(mw::kWindow, unit, number).c_str(); }

void read_options(Kept& k) {
  k.shut_down = checked(mw::选择框1);
  k.music = checked(mw::选择框3);
  k.remind = checked(mw::选择框2);
  k.reminder = text(mw::编辑框_提醒, prop::kEditContent);
}

void write(const Kept& k) {
  svc::keep_schedule({k.moment, k.shut_down, k.music, k.remind, k.reminder.c_str(), k.date, k.hour.c_str(),
                      k.minute.c_str(), k.second.c_str()});
}

}  // namespace

void keep_new_schedule(double moment) {
  Kept k;
  k.moment = moment;
  read_options(k);
  k.date = rt::get_double(mw::kWindow, mw::日期框_日期, prop::kSelectedDate);
  k.hour = text(mw::组合框_时, prop::kComboContent);
  k.minute = text(mw::组合框_分, prop::kComboContent);
  k.second = text(mw::组合框_秒, prop::kComboContent);
  write(k);
  g_record = std::move(k);
  g_kept = true;
}

void adopt_kept_schedule(const svc::KeptSchedule& s) {
  g_record = Kept{s.moment, s.shut_down, s.music, s.remind, s.reminder ? s.reminder : "", s.date,
                  s.hour ? s.hour : "", s.minute ? s.minute : "", s.second ? s.second : ""};
  g_kept = true;
}

void keep_schedule_current() {
  if (!g_kept) return;
  Kept now = g_record;
  read_options(now);
  if (now.shut_down == g_record.shut_down && now.music == g_record.music && now.remind == g_record.remind &&
      now.reminder == g_record.reminder)
    return;
  write(now);
  g_record = std::move(now);
}

void forget_kept_schedule() {
  if (!g_kept) return;
  g_kept = false;
  svc::forget_schedule();
}

void on_session_ends(int32_t ends) {
  g_session_ends = ends != 0;
  // What the user changed in the last second goes with the record.
  if (g_session_ends) keep_schedule_current();
}

// Closed by the user (its close button, Esc, 退出): the schedule ends with
// the program. Destroyed as the session ends: it comes back at sign-in.
void on_main_destroying() {
  if (!g_session_ends) forget_kept_schedule();
}

}  // namespace schedule
