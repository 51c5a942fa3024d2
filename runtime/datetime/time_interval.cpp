#include "time_interval.h"

#include <algorithm>
#include <cmath>

#include "convert.h"
#include "datetime.h"

namespace rt {
namespace {

double weeks(double span, const CalendarFields& a, const CalendarFields& b) {
  const long long whole_weeks = static_cast<long long>(std::trunc(span)) / 7;
  if (span > 0.0 && a.day_of_week < b.day_of_week) return static_cast<double>(whole_weeks + 1);
  if (span < 0.0 && b.day_of_week < a.day_of_week) return static_cast<double>(whole_weeks - 1);
  return static_cast<double>(whole_weeks);
}

// The span in a unit of `per_day` parts of a day. The bias keeps a span of
// whole seconds that double arithmetic left a hair short from losing a unit;
// it is no rounding to the nearest unit.
double whole_units(double span, double per_day) { return truncate_to_int32(span * per_day + kHalfSecond); }

}  // namespace

double time_interval(double a, double b, int32_t unit) {
  unit = std::clamp<int32_t>(unit, kIntervalYear, kIntervalSecond);
  if (a == b) return 0.0;
  const double ca = clamp_datetime(a);
  const double cb = clamp_datetime(b);
  const CalendarFields fa = calendar_fields(ca);
  const CalendarFields fb = calendar_fields(cb);
  const int years = fa.year - fb.year;
  const double span = linear_days(ca) - linear_days(cb);
  switch (unit) {
    case kIntervalYear:
      return years;
    case kIntervalQuarter:
      return 4 * years + (fa.month - 1) / 3 - (fb.month - 1) / 3;
    case kIntervalMonth:
      return 12 * years + fa.month - fb.month;
    case kIntervalWeek:
      return weeks(span, fa, fb);
    case kIntervalDay:
      return span;
    case kIntervalHour:
      return whole_units(span, 24.0);
    case kIntervalMinute:
      return whole_units(span, 1440.0);
    default:
      return whole_units(span, 86400.0);
  }
}

}  // namespace rt
