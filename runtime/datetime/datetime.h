// Date-time values: a double counting days from 1899-12-30 (day 0), the
// fraction being the time of day, in local wall-clock time. Below 0 the day
// is the value truncated toward zero and the time is the fraction of the
// absolute value, so -1.25 is 1899-12-29 06:00:00.
#pragma once

#include <cstdint>

#include "value.h"

namespace rt {

// 100-01-01 00:00:00: the earliest moment the calendar services know, and
// what a text that is not a date-time reads as.
constexpr double kEmptyDateTime = -657434.0;
// 9999-12-31 00:00:00: the latest.
constexpr double kLastDateTime = 2958465.0;
// Half a second in days (1/172800). Calendar fields are taken after moving a
// value this far away from zero, which rounds it to the nearest second.
constexpr double kHalfSecond = 5.787037037037037e-6;

// A value outside kEmptyDateTime..kLastDateTime is moved to the nearer end;
// NaN, which is no moment at all, becomes kEmptyDateTime.
double clamp_datetime(double value);

struct CalendarFields {
  int year;
  int month;        // 1..12
  int day;          // 1..31
  int hour;         // 0..23
  int minute;       // 0..59
  int second;       // 0..59
  int day_of_week;  // 1 Sunday .. 7 Saturday
};

// The fields of the clamped value, rounded to the nearest second.
CalendarFields calendar_fields(double value);

bool is_leap_year(int year);
int days_in_month(int year, int month);  // 0 for a month outside 1..12

// True when every field lies in its range: year 100..9999, month 1..12, day
// within the month, hour 0..23, minute and second 0..59.
bool fields_are_valid(int year, int month, int day, int hour, int minute, int second);

// The date-time of valid fields.
double build_datetime(int year, int month, int day, int hour, int minute, int second);

// Days from 1899-12-30 to a valid date (negative before it).
long day_number(int year, int month, int day);

// The date-time `second_of_day` (0..86399) seconds into day `day`: the value
// build_datetime gives for the same moment.
double datetime_at(long day, int second_of_day);
// The same to the millisecond (0..86399999 into the day).
double datetime_at_ms(long day, int64_t ms_of_day);

// A value as a day count on a straight time line: below 0 the time of day
// is added to the (negative) day, so -1.25 becomes -0.75.
double linear_days(double value);

// A day count on the straight time line back as a date-time (the inverse of
// linear_days).
double from_linear_days(double days);

// The seconds from `from` to `to` along the time line (to − from), with
// their fraction.
double seconds_between(double from, double to);

// `value` moved `seconds` along the time line.
double add_seconds(double value, double seconds);

// The whole second that has begun at `value`, as a clock shows it.
double whole_second(double value);

// A clock's reading as a date-time: a leap second shows as the last second
// of its minute, and fields out of range give the empty date-time.
double clock_datetime(int year, int month, int day, int hour, int minute, int second);

// The current local time, in whole seconds.
double now_datetime();

// The current universal time, in whole seconds, from the same clock.
double universal_now_datetime();

// The date-time an argument stands for: a date-time as it is, a text read as
// a date-time, anything else the empty date-time.
double datetime_of(const Arg& value);

// Provides to date-time, now, universal now, time interval, year of, month
// of and day of, and makes to text write date-times. To universal time needs
// the system's zone rules: zone_rules_win.h provides it.
void provide_datetime_services();

}  // namespace rt
