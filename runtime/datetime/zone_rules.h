// A time zone's rules for one year, in the form Windows describes them, and
// the universal moment of a local wall-clock time under them. Windows
// promises no particular answer for a local time at a change of clocks, so
// the two special cases are decided here: a time the clocks skip counts as
// the first moment after the gap, a time they repeat as its first occurrence.
#pragma once

#include <cstdint>

#include "datetime.h"

namespace rt {

// A change of clocks, as Windows writes it in a SYSTEMTIME. With year 0 it
// recurs: the week-th day_of_week of the month (week 5 is the last one).
// With a year it happens once, on that date. Month 0: no change.
struct ZoneChange {
  int year;
  int month;
  int day_of_week;  // 0 Sunday .. 6 Saturday
  int day;          // the week 1..5 of a recurring change, else the day of the month
  int hour;
  int minute;
  int second;
  int milliseconds;
};

// Universal time = local time + bias + standard_bias, or + daylight_bias in
// daylight time (all in minutes). Daylight time begins at to_daylight, read
// on the standard-time clock, and ends at to_standard, read on the
// daylight-time clock. A zone with a change missing (or not a date) keeps
// standard time all year.
struct ZoneRules {
  int bias;
  int standard_bias;
  int daylight_bias;
  ZoneChange to_standard;
  ZoneChange to_daylight;
};

enum class LocalTimeKind {
  kOnce,
  kSkipped,   // in the gap when the clocks go forward
  kRepeated,  // in the hour the clocks go back over
};

struct UniversalSeconds {
  int64_t seconds;  // from 1899-12-30 00:00:00 universal time
  LocalTimeKind kind;
  int64_t second_pass;  // a repeated time's second occurrence; else `seconds`
};

// The universal moment of a valid local date and time under the rules of
// its year, in whole seconds: a skipped time gives the first whole second
// after the gap, a repeated one both of its occurrences.
UniversalSeconds universal_seconds(const ZoneRules& rules, int year, int month, int day, int hour, int minute,
                                   int second);

// The same for a local date-time (taken to the nearest second), as a
// date-time in universal time. A repeated time is its first occurrence,
// unless that lies before `now` (universal) and its second does not: a
// target read in the second pass of the hour is the one still ahead.
double universal_datetime(const ZoneRules& rules, double local, double now = kEmptyDateTime);

// What the zone's clock reads at a universal date-time, in whole seconds
// (a clock shows the second that has begun), under the rules of its year.
double local_datetime(const ZoneRules& rules, double universal);

}  // namespace rt
