#include "services.h"

#include "message_box.h"
#include "service.h"
#include "system/shutdown_modes.h"
#include "time_interval.h"
#include "value.h"

namespace svc {
namespace {

using rt::call;
using rt::Service;

static_assert(kBoxInformation == rt::kBoxInformation && kBoxSetForeground == rt::kBoxSetForeground &&
                  kBoxTopmost == rt::kBoxTopmost,
              "the message box service's style bits");
static_assert(static_cast<int32_t>(Interval::Day) == rt::kIntervalDay &&
                  static_cast<int32_t>(Interval::Second) == rt::kIntervalSecond,
              "the time interval service's units");
static_assert(static_cast<int32_t>(Shutdown::PowerOff) == rt::system::kModeShutDown &&
                  static_cast<int32_t>(Shutdown::Hibernate) == rt::system::kModeHibernate,
              "the shut down service's modes");

rt::Arg ref(WindowRef w) { return rt::arg_unit(rt::kTagWindowRef, w.window_id, w.unit_id); }
rt::Arg ref(MenuRef m) { return rt::arg_unit(rt::kTagMenuRef, m.window_id, m.unit_id); }
rt::Arg ref(ComboRef c) { return rt::arg_unit(rt::kTagComboRef, c.window_id, c.unit_id); }

int32_t field(Service service, double datetime) {
  return rt::result_int(call(service, {rt::arg_datetime(datetime)}));
}

}  // namespace

int32_t to_integer(const char* text) { return rt::result_int(call(Service::ToInteger, {rt::arg_text(text)})); }
rt::Text to_text(int32_t value) { return rt::result_text(call(Service::ToText, {rt::arg_int(value)})); }
rt::Text to_text(double value) { return rt::result_text(call(Service::ToText, {rt::arg_double(value)})); }
double absolute(double value) { return rt::result_double(call(Service::Absolute, {rt::arg_double(value)})); }

double now() { return rt::result_double(call(Service::Now, {})); }
double to_datetime(const char* text) { return rt::result_double(call(Service::ToDateTime, {rt::arg_text(text)})); }
rt::Text datetime_text(double datetime) {
  return rt::result_text(call(Service::ToText, {rt::arg_datetime(datetime)}));
}
double time_interval(double a, double b, Interval unit) {
  return rt::result_double(call(Service::TimeInterval, {rt::arg_datetime(a), rt::arg_datetime(b),
                                                        rt::arg_int(static_cast<int32_t>(unit))}));
}
double universal_now() { return rt::result_double(call(Service::UniversalNow, {})); }
double universal_clock() { return rt::result_double(call(Service::UniversalClock, {})); }
double to_local_time(double universal) {
  return rt::result_double(call(Service::ToLocalTime, {rt::arg_datetime(universal)}));
}
double to_universal_time(double local, double now) {
  return rt::result_double(call(Service::ToUniversalTime, {rt::arg_datetime(local), rt::arg_datetime(now)}));
}
int32_t year_of(double datetime) { return field(Service::YearOf, datetime); }
int32_t month_of(double datetime) { return field(Service::MonthOf, datetime); }
int32_t day_of(double datetime) { return field(Service::DayOf, datetime); }

int32_t message_box(const char* text, uint32_t style, const char* caption) {
  return rt::result_int(call(Service::MessageBox,
                             {rt::arg_text(text), rt::arg_int(static_cast<int32_t>(style)), rt::arg_text(caption)}));
}

bool load_window(WindowRef window, bool dialog_mode) {
  return rt::result_bool(call(Service::LoadWindow, {ref(window), rt::omitted(), rt::arg_bool(dialog_mode)}));
}
void destroy(WindowRef window) { call(Service::Destroy, {ref(window), rt::omitted()}); }
void add_item(ComboRef box, const char* text) { call(Service::AddItem, {ref(box), rt::arg_text(text), rt::omitted()}); }
void visual_style(Look look) { call(Service::VisualStyle, {rt::arg_int(static_cast<int32_t>(look))}); }
void pop_up_menu(WindowRef window, MenuRef menu) {
  call(Service::PopupMenu, {ref(window), ref(menu), rt::omitted(), rt::omitted()});
}
void set_tray_icon(WindowRef window, const void* icon_block, const char* tip) {
  call(Service::SetTrayIcon, {ref(window), rt::arg_block(icon_block), rt::arg_text(tip)});
}
void set_tray_tip(WindowRef window, const char* tip) { call(Service::SetTrayTip, {ref(window), rt::arg_text(tip)}); }
void show_tray_balloon(WindowRef window, const char* title, const char* text) {
  call(Service::ShowTrayBalloon, {ref(window), rt::arg_text(title), rt::arg_text(text)});
}

bool play_sound(const void* wave_block) {
  return rt::result_bool(call(Service::PlaySound, {rt::arg_block(wave_block), rt::omitted()}));
}
void stop_sound() { call(Service::StopSound, {}); }

bool shut_down_system(Shutdown mode, bool force) {
  return rt::result_bool(
      call(Service::ShutdownSystem, {rt::arg_int(static_cast<int32_t>(mode)), rt::arg_bool(force)}));
}
bool keep_awake(bool on) { return rt::result_bool(call(Service::KeepAwake, {rt::arg_bool(on)})); }

bool keep_schedule(const KeptSchedule& k) {
  return rt::result_bool(call(Service::KeepSchedule,
                              {rt::arg_datetime(k.moment), rt::arg_bool(k.shut_down), rt::arg_bool(k.music),
                               rt::arg_bool(k.remind), rt::arg_text(k.reminder), rt::arg_datetime(k.date),
                               rt::arg_text(k.hour), rt::arg_text(k.minute), rt::arg_text(k.second)}));
}
void forget_schedule() { call(Service::ForgetSchedule, {}); }

}  // namespace svc
