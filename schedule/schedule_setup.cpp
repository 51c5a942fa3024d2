#include "schedule_setup.h"

#include <cmath>

#include "countdown.h"
#include "datetime.h"
#include "keeping.h"
#include "main_window.h"
#include "moment.h"
#include "property_rules.h"
#include "services.h"
#include "texts.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

void refuse_incomplete() { svc::message_box("未设置完整时间!", svc::kBoxInformation, "提示"); }

// The target moment as the boxes give it: year年month月day日hour时minute分second秒.
rt::Text target_text(const rt::Text& second) {
  const double date = rt::get_double(mw::kWindow, mw::日期框_日期, prop::kSelectedDate);
  const rt::Text year = svc::to_text(svc::year_of(date));
  const rt::Text month = svc::to_text(svc::month_of(date));
  const rt::Text day = svc::to_text(svc::day_of(date));
  const rt::Text hour = rt::get_text(mw::kWindow, mw::组合框_时, prop::kComboContent);
  const rt::Text minute = rt::get_text(mw::kWindow, mw::组合框_分, prop::kComboContent);
  return join_texts({year.get(), "年", month.get(), "月", day.get(), "日", hour.get(), "时", minute.get(), "分",
                     second.get(), "秒"});
}

// The two moments a count is taken between. The count is real seconds, so
// across a change of clocks both must be universal time: the target as the
// zone's rules for its year place it, now from the system clock. In the
// hour the clocks go back over, the target is the occurrence still ahead
// when there is one. No rules reach a target before 1601; its count is
// taken between local times.
struct Moments {
  double target;
  double now;
};

Moments moments_of(double target, double now) {
  const double universal = svc::to_universal_time(target, now);
  if (universal == rt::kEmptyDateTime) return {target, svc::now()};
  return {universal, now};
}

// A count of seconds exists only for a target that reads as a date-time and
// lies within 2147483647 seconds of now. A text that is not a date-time reads
// as 100-01-01, far outside that.
bool count_fits(const Moments& m) {
  const double days = svc::time_interval(m.target, m.now, svc::Interval::Day);
  return std::fabs(days) * 86400.0 < 2147483647.0;
}

void start_schedule() {
  const rt::Text second = rt::get_text(mw::kWindow, mw::组合框_秒, prop::kComboContent);
  if (texts_equal(second.get(), "")) {
    refuse_incomplete();
    return;
  }
  const rt::Text target_text_ = target_text(second);
  const double target = svc::to_datetime(target_text_.c_str());
  // One reading of the clock: the count is taken in the whole seconds it
  // shows, and the moment fixed from the instant itself, so that the ticks
  // a second apart from now on show the count lower by one each.
  const double clock = svc::universal_clock();
  const Moments m = moments_of(target, rt::whole_second(clock));
  if (!count_fits(m)) {
    refuse_incomplete();
    return;
  }
  const double count = svc::absolute(svc::time_interval(m.target, m.now, svc::Interval::Second));
  const rt::Text count_text = svc::to_text(count);
  rt::put_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption, count_text.c_str());
  rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
  rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "停止");
  const double moment = rt::add_seconds(clock, count);
  set_moment(moment);
  keep_new_schedule(moment);
  // A shutdown scheduled must come: no idle sleep before it (each tick
  // decides again).
  svc::keep_awake(rt::get_int(mw::kWindow, mw::选择框1, prop::kChecked) != 0);
}

void stop_schedule() {
  end_schedule();
  svc::keep_awake(false);
  forget_kept_schedule();
}

}  // namespace

void fill_boxes(const svc::KeptSchedule& k) {
  rt::put_double(mw::kWindow, mw::日期框_日期, prop::kSelectedDate, k.date);
  rt::put_text(mw::kWindow, mw::组合框_时, prop::kComboContent, k.hour);
  rt::put_text(mw::kWindow, mw::组合框_分, prop::kComboContent, k.minute);
  rt::put_text(mw::kWindow, mw::组合框_秒, prop::kComboContent, k.second);
  rt::put_int(mw::kWindow, mw::选择框1, prop::kChecked, k.shut_down);
  rt::put_int(mw::kWindow, mw::选择框3, prop::kChecked, k.music);
  rt::put_int(mw::kWindow, mw::选择框2, prop::kChecked, k.remind);
  rt::put_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent, k.reminder);
}

void resume_schedule(const svc::KeptSchedule& k) {
  fill_boxes(k);
  set_moment(k.moment);
  const int64_t left = show_count(svc::universal_clock());
  set_moment(k.moment, left <= 0);
  rt::put_int(mw::kWindow, mw::时钟2, prop::kInterval, 1000);
  rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "停止");
  adopt_kept_schedule(k);
  svc::keep_awake(k.shut_down && left > 0);
}

void on_schedule_button() {
  const rt::Text caption = rt::get_text(mw::kWindow, mw::按钮1, prop::kButtonCaption);
  if (texts_equal(caption.get(), "定时")) {
    start_schedule();
  } else {
    stop_schedule();
  }
}

}  // namespace schedule
