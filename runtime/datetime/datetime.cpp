#include "datetime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "datetime_text.h"

namespace rt {
namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

struct Date {
  int year;
  int month;
  int day;
};

// Proleptic Gregorian date of a day number (day 0 is 1899-12-30). Counts in
// 400-year eras of years that begin on 1 March, so the leap day is the last
// day of its year.
Date date_of_day(long day_number) {
  const long z = day_number + 693899;  // days since 0000-03-01
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long day_of_era = z - era * 146097;
  const long year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long shifted_month = (5 * day_of_year + 2) / 153;  // 0 is March
  const int day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  const int month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return Date{year, month, day};
}

}  // namespace

double clamp_datetime(double value) {
  if (std::isnan(value)) return kEmptyDateTime;
  if (value > kLastDateTime) return kLastDateTime;
  if (value < kEmptyDateTime) return kEmptyDateTime;
  return value;
}

CalendarFields calendar_fields(double value) {
  const double v = clamp_datetime(value);
  const double rounded = v > 0.0 ? v + kHalfSecond : v - kHalfSecond;
  double day_number = std::trunc(rounded);
  const double magnitude = std::fabs(rounded);
  int seconds = std::min(static_cast<int>((magnitude - std::floor(magnitude)) * kSecondsPerDay), kSecondsPerDay - 1);
  // Below 0 the rounding moves the value away from zero, so a time within
  // half a second of midnight carries into the day number the wrong way
  // (-1.9999999 would land on day -2). The nearest second is the start of
  // the following day.
  if (v < 0.0 && day_number != std::trunc(v)) {
    day_number = std::trunc(v) + 1.0;
    seconds = 0;
  }
  const long day = static_cast<long>(day_number);
  const Date date = date_of_day(day);
  CalendarFields f{};
  f.year = date.year;
  f.month = date.month;
  f.day = date.day;
  f.hour = seconds / 3600;
  f.minute = seconds / 60 % 60;
  f.second = seconds % 60;
  f.day_of_week = static_cast<int>((day + 693958) % 7) + 1;  // 1899-12-30 was a Saturday
  return f;
}

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
  static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && is_leap_year(year) ? 29 : kLength[month - 1];
}

bool fields_are_valid(int year, int month, int day, int hour, int minute, int second) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= days_in_month(year, month) &&
         hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

double build_datetime(int year, int month, int day, int hour, int minute, int second) {
  return datetime_at(day_number(year, month, day), hour * 3600 + minute * 60 + second);
}

long day_number(int year, int month, int day) {
  long days = year * 365L + year / 4 - year / 100 + year / 400 + kDaysBeforeMonth[month - 1] + day - 693959;
  if (is_leap_year(year) && month <= 2) --days;  // this year's leap day is still to come
  return days;
}

double datetime_at(long day, int second_of_day) { return datetime_at_ms(day, second_of_day * int64_t{1000}); }

double datetime_at_ms(long day, int64_t ms_of_day) {
  const double fraction = static_cast<double>(ms_of_day) / (kSecondsPerDay * 1000.0);
  const double whole = static_cast<double>(day);
  return day >= 0 ? whole + fraction : whole - fraction;
}

double linear_days(double value) {
  if (!(value < 0.0)) return value;
  const double magnitude = std::fabs(value);
  return std::trunc(value) + (magnitude - std::floor(magnitude));
}

double from_linear_days(double days) {
  if (!(days < 0.0)) return days;
  const double day = std::floor(days);
  return day == days ? days : day - (days - day);
}

double seconds_between(double from, double to) { return (linear_days(to) - linear_days(from)) * kSecondsPerDay; }

double add_seconds(double value, double seconds) {
  return from_linear_days(linear_days(value) + seconds / kSecondsPerDay);
}

double whole_second(double value) {
  // A millionth of a second of slack: a whole second computed in days may
  // lie a hair below itself.
  return from_linear_days(std::floor(linear_days(value) * kSecondsPerDay + 1e-6) / kSecondsPerDay);
}

double clock_datetime(int year, int month, int day, int hour, int minute, int second) {
  // A leap second (60) shows as the last second of its minute.
  second = std::min(second, 59);
  if (!fields_are_valid(year, month, day, hour, minute, second)) return kEmptyDateTime;
  return build_datetime(year, month, day, hour, minute, second);
}

double now_datetime() {
  const std::time_t t = std::time(nullptr);
  const std::tm* local = std::localtime(&t);
  if (!local) return kEmptyDateTime;
  return clock_datetime(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                        local->tm_sec);
}

double universal_now_datetime() {
  // Seconds since 1970-01-01 00:00:00 universal time, day 25569.
  const long long t = static_cast<long long>(std::time(nullptr));
  const long long day = (t >= 0 ? t : t - (kSecondsPerDay - 1)) / kSecondsPerDay;
  return datetime_at(static_cast<long>(25569 + day), static_cast<int>(t - day * kSecondsPerDay));
}

double datetime_of(const Arg& value) {
  switch (value.tag) {
    case kTagDateTime:
      return arg_as_double_bits(value);
    case kTagText:
      return read_datetime(arg_as_text(value));
    default:
      return kEmptyDateTime;
  }
}

}  // namespace rt
