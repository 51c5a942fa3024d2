#include "zone_rules.h"

#include <cmath>
#include <initializer_list>

#include "datetime.h"

namespace rt {
namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kMsPerMinute = 60 * kMsPerSecond;
constexpr int64_t kMsPerDay = 1440 * kMsPerMinute;

int64_t floor_div(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0); }

bool time_is_valid(const ZoneChange& c) {
  return c.hour >= 0 && c.hour <= 23 && c.minute >= 0 && c.minute <= 59 && c.second >= 0 && c.second <= 59 &&
         c.milliseconds >= 0 && c.milliseconds <= 999;
}

bool change_is_valid(const ZoneChange& c) {
  if (c.month < 1 || c.month > 12 || !time_is_valid(c)) return false;
  if (c.year != 0) return fields_are_valid(c.year, c.month, c.day, 0, 0, 0);
  return c.day >= 1 && c.day <= 5 && c.day_of_week >= 0 && c.day_of_week <= 6;
}

// The day of the month a recurring change falls on in `year`.
int recurring_day(const ZoneChange& c, int year) {
  const int first_weekday = calendar_fields(build_datetime(year, c.month, 1, 0, 0, 0)).day_of_week - 1;  // 0 Sunday
  int day = 1 + (c.day_of_week - first_weekday + 7) % 7 + 7 * (c.day - 1);
  while (day > days_in_month(year, c.month)) day -= 7;  // week 5: the last one in the month
  return day;
}

// What the clock of the zone reads when the change happens, in milliseconds
// from 1899-12-30.
int64_t change_reading(const ZoneChange& c, int year) {
  const int y = c.year != 0 ? c.year : year;
  const int day = c.year != 0 ? c.day : recurring_day(c, y);
  const int64_t time = ((c.hour * 60LL + c.minute) * 60 + c.second) * kMsPerSecond + c.milliseconds;
  return day_number(y, c.month, day) * kMsPerDay + time;
}

// A year of the zone on the universal time line: the two offsets (local
// minus universal) and the instants at which daylight time begins and ends.
// When daylight time begins later in the year than it ends (the southern
// hemisphere), the year begins and ends in daylight time.
struct ZoneYear {
  int64_t standard;
  int64_t daylight;
  bool has_daylight;
  int64_t daylight_from;
  int64_t standard_from;

  int64_t offset_at(int64_t t) const {
    if (!has_daylight) return standard;
    const bool in_daylight = daylight_from < standard_from ? t >= daylight_from && t < standard_from
                                                           : t >= daylight_from || t < standard_from;
    return in_daylight ? daylight : standard;
  }
};

ZoneYear zone_year(const ZoneRules& rules, int year) {
  ZoneYear z{};
  z.standard = -(rules.bias + rules.standard_bias) * kMsPerMinute;
  z.daylight = -(rules.bias + rules.daylight_bias) * kMsPerMinute;
  z.has_daylight = change_is_valid(rules.to_standard) && change_is_valid(rules.to_daylight);
  if (z.has_daylight) {
    z.daylight_from = change_reading(rules.to_daylight, year) - z.standard;
    z.standard_from = change_reading(rules.to_standard, year) - z.daylight;
  }
  return z;
}

struct Moment {
  int64_t ms;
  LocalTimeKind kind;
  int64_t second_pass_ms;
};

// A local reading names the instants at which one of the two offsets holds
// and gives that reading. Two of them: the clocks went back over it, and
// both are kept, the earlier first. None: the clocks jumped over it, at a
// change whose gap holds it.
Moment universal_ms(const ZoneYear& z, int64_t reading) {
  const int64_t as_standard = reading - z.standard;
  const int64_t as_daylight = reading - z.daylight;
  const bool standard_holds = z.offset_at(as_standard) == z.standard;
  const bool daylight_holds = z.offset_at(as_daylight) == z.daylight;
  if (standard_holds && daylight_holds && as_standard != as_daylight) {
    const bool standard_first = as_standard < as_daylight;
    return {standard_first ? as_standard : as_daylight, LocalTimeKind::kRepeated,
            standard_first ? as_daylight : as_standard};
  }
  if (standard_holds) return {as_standard, LocalTimeKind::kOnce, as_standard};
  if (daylight_holds) return {as_daylight, LocalTimeKind::kOnce, as_daylight};
  for (const int64_t change : {z.daylight_from, z.standard_from}) {
    if (change + z.offset_at(change - 1) <= reading && reading < change + z.offset_at(change)) {
      return {change, LocalTimeKind::kSkipped, change};
    }
  }
  return {as_standard, LocalTimeKind::kOnce, as_standard};  // unreachable with two offsets
}

}  // namespace

UniversalSeconds universal_seconds(const ZoneRules& rules, int year, int month, int day, int hour, int minute,
                                   int second) {
  const int64_t time = ((hour * 60LL + minute) * 60 + second) * kMsPerSecond;
  const int64_t reading = day_number(year, month, day) * kMsPerDay + time;
  const Moment m = universal_ms(zone_year(rules, year), reading);
  // Rounded up: a change may fall inside a second (23:59:59.999), and the
  // moment after its gap is the next whole second.
  return {-floor_div(-m.ms, kMsPerSecond), m.kind, -floor_div(-m.second_pass_ms, kMsPerSecond)};
}

double universal_datetime(const ZoneRules& rules, double local, double now) {
  const CalendarFields f = calendar_fields(local);
  const UniversalSeconds u = universal_seconds(rules, f.year, f.month, f.day, f.hour, f.minute, f.second);
  // Whole seconds, compared as integers: the product is off by about a
  // millionth, which would put a target equal to now on either side of it.
  const int64_t now_seconds = std::llround(linear_days(now) * 86400.0);
  const bool first_passed = u.seconds < now_seconds;
  const int64_t seconds = first_passed && u.second_pass >= now_seconds ? u.second_pass : u.seconds;
  const int64_t day = floor_div(seconds, 86400);
  return datetime_at(static_cast<long>(day), static_cast<int>(seconds - day * 86400));
}

double local_datetime(const ZoneRules& rules, double universal) {
  const int64_t ms = std::llround(linear_days(universal) * static_cast<double>(kMsPerDay));
  const ZoneYear z = zone_year(rules, calendar_fields(universal).year);
  const int64_t seconds = floor_div(ms + z.offset_at(ms), kMsPerSecond);
  const int64_t day = floor_div(seconds, 86400);
  return datetime_at(static_cast<long>(day), static_cast<int>(seconds - day * 86400));
}

}  // namespace rt
