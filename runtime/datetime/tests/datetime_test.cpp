// Date-time values: the calendar fields, the range, the rounding, and texts
// read and written through the service table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <string>

#include "convert.h"
#include "datetime.h"
#include "datetime_text.h"
#include "heap.h"
#include "service.h"

namespace {

using namespace rt;

class DateTimes : public ::testing::Test {
 protected:
  void SetUp() override {
    provide_value_services();
    provide_datetime_services();
    live_ = live_blocks();
  }
  void TearDown() override {
    EXPECT_EQ(live_blocks(), live_);
    set_datetime_formatter(nullptr);  // as the other tests of this binary expect
  }

  static double read(const char* text) { return result_double(call(Service::ToDateTime, {arg_text(text)})); }
  static std::string text_of(double v) { return result_text(call(Service::ToText, {arg_datetime(v)})).c_str(); }
  static int field(Service s, double v) { return result_int(call(s, {arg_datetime(v)})); }

  long live_ = 0;
};

uint64_t bits(double v) { return double_to_bits(v); }

TEST_F(DateTimes, KnownMomentsReadAndWrite) {
  const struct {
    const char* text;
    double value;
    const char* shown;
  } cases[] = {
      {"2014年11月8日12时0分0秒", 41951.5, "2014年11月8日12时"},
      {"2014年11月8日", 41951.0, "2014年11月8日"},
      {"1899年12月30日", 0.0, "1899年12月30日"},
      {"1899年12月29日6时", -1.25, "1899年12月29日6时"},
      {"1899年12月29日18时", -1.75, "1899年12月29日18时"},
      {"100年1月1日", -657434.0, "100年1月1日"},
      {"9999年12月31日", 2958465.0, "9999年12月31日"},
      {"2000年2月29日", 36585.0, "2000年2月29日"},
      {"1900年3月1日", 61.0, "1900年3月1日"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(read(c.text), c.value) << c.text;
    EXPECT_EQ(text_of(c.value), c.shown) << c.value;
  }
}

TEST_F(DateTimes, TimeOfDayShowsDownToItsLastNonZeroPart) {
  const struct {
    int hour, minute, second;
    const char* shown;
  } cases[] = {
      {12, 5, 3, "2014年11月8日12时5分3秒"}, {12, 5, 0, "2014年11月8日12时5分"},
      {12, 0, 0, "2014年11月8日12时"},       {0, 0, 0, "2014年11月8日"},
      {0, 0, 5, "2014年11月8日0时0分5秒"},   {12, 0, 5, "2014年11月8日12时0分5秒"},
      {0, 30, 0, "2014年11月8日0时30分"},    {23, 59, 59, "2014年11月8日23时59分59秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(text_of(build_datetime(2014, 11, 8, c.hour, c.minute, c.second)), c.shown);
}

TEST_F(DateTimes, AcceptedSpellings) {
  const double noon = 41951.5, half_past = read("2014年11月8日12时30分0秒");
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"2014年11月8日12时0分0", noon},       // the final 秒 left off
      {"2014年11月8日12时0分0秒以后", noon},  // anything after 秒 is ignored
      {"2014-11-8 12:30:00", half_past},
      {"2014-11-8 12:0:0", noon},
      {"2014/11/08", 41951.0},
      {"2014.11.08.12.30.00", half_past},
      {"20141108", 41951.0},  // no separators: the digit limits split it
      {"201411081230", half_past},
      {"２０１４年１１月８日１２时", noon},  // full-width digits
      {"２０１４－１１－０８　１２：３０：００", half_past},
      {"2014年11月8日时分5秒", 41951.0 + 5.0 / 86400},
      {"2014-11-8-", 41951.0},  // ends after a separator
      {"2014-11-8 12", noon},
      {"0100年1月1日", -657434.0},
  };
  for (const auto& c : cases) EXPECT_EQ(read(c.text), c.value) << c.text;
}

TEST_F(DateTimes, TextsThatAreNotDateTimesReadAsTheEmptyOne) {
  const char* const cases[] = {
      "",
      "2014年2月29日",  // 2014 is no leap year
      "1900年2月29日",  // nor is 1900
      "2014年13月1日",
      "2014年00月1日",
      "2014年11月31日",  // November has 30 days
      "2014年11月0日",
      "2014年11月8日24时0分0秒",
      "2014年11月8日12时60分",
      "2014年11月8日12时0分60秒",
      "99年1月1日",
      "20145年1月1日",  // a fifth year digit is read as the month
      "10000年1月1日",
      "2014年11月",  // no day
      "2014-11-",
      "2014年11月8日 12时0分0秒",  // only one separator is skipped
      "2014年11月8日12时0分0x",   // letters in place of 秒
      " 2014年11月8日",
      "abc",
  };
  for (const char* text : cases) {
    const double v = read(text);
    EXPECT_EQ(bits(v), UINT64_C(0xC124103400000000)) << text;
    EXPECT_EQ(field(Service::YearOf, v), 100) << text;
  }
  EXPECT_EQ(read(nullptr), kEmptyDateTime);
}

TEST_F(DateTimes, ToDateTimeOfOtherKinds) {
  const double odd = 12345.678;
  EXPECT_EQ(bits(result_double(call(Service::ToDateTime, {arg_datetime(odd)}))), bits(odd));
  EXPECT_EQ(result_double(call(Service::ToDateTime, {arg_double(41951.5)})), kEmptyDateTime);
  EXPECT_EQ(result_double(call(Service::ToDateTime, {arg_int(5)})), kEmptyDateTime);
  EXPECT_EQ(result_double(call(Service::ToDateTime, {})), kEmptyDateTime);
}

TEST_F(DateTimes, RangeEndsAndRounding) {
  const double inf = std::numeric_limits<double>::infinity();
  const double last_second_of_november = build_datetime(2014, 11, 30, 23, 59, 59);
  const struct {
    double value;
    const char* shown;
  } cases[] = {
      {std::nextafter(kEmptyDateTime, -inf), "100年1月1日"},
      {-1e9, "100年1月1日"},
      {-inf, "100年1月1日"},
      {std::nan(""), "100年1月1日"},
      {std::nextafter(kLastDateTime, inf), "9999年12月31日"},
      {1e300, "9999年12月31日"},
      {-1e-9, "1899年12月30日"},  // just below 0 is still 1899-12-30 00:00:00
      {last_second_of_november + 0.6 / 86400, "2014年12月1日"},
      {last_second_of_november + 0.4 / 86400, "2014年11月30日23时59分59秒"},
      {2958464.0 + 86399.7 / 86400, "9999年12月31日"},
      // Within half a second of midnight at the end of a day before 1899-12-30
      // the nearest second is the next day's first.
      {-(1.0 + 86399.7 / 86400), "1899年12月30日"},
      {-(86399.7 / 86400), "1899年12月31日"},
      {-(2.0 + 86399.3 / 86400), "1899年12月28日23时59分59秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(text_of(c.value), c.shown) << c.value;

  const double rolled = last_second_of_november + 0.6 / 86400;
  EXPECT_EQ(field(Service::YearOf, rolled), 2014);
  EXPECT_EQ(field(Service::MonthOf, rolled), 12);
  EXPECT_EQ(field(Service::DayOf, rolled), 1);
  EXPECT_EQ(field(Service::MonthOf, inf), 12);
  EXPECT_EQ(field(Service::DayOf, -inf), 1);
}

// Every day of the range: the date of a day number builds back into it, and
// each next day is the next calendar date and the next day of the week.
TEST(Calendar, EveryDayOfTheRange) {
  CalendarFields before = calendar_fields(kEmptyDateTime);
  EXPECT_EQ(before.day_of_week, 6) << "100-01-01 was a Friday";
  for (long d = -657433; d <= 2958465; ++d) {
    const CalendarFields f = calendar_fields(static_cast<double>(d));
    const bool next_day = f.year == before.year && f.month == before.month && f.day == before.day + 1;
    const bool next_month = f.day == 1 && before.day == days_in_month(before.year, before.month) &&
                            ((f.year == before.year && f.month == before.month + 1) ||
                             (f.year == before.year + 1 && f.month == 1 && before.month == 12));
    if (!(next_day || next_month) || f.day_of_week != before.day_of_week % 7 + 1 || f.hour || f.minute || f.second) {
      FAIL() << "day " << d << " is " << f.year << "-" << f.month << "-" << f.day << " weekday " << f.day_of_week;
    }
    if (build_datetime(f.year, f.month, f.day, 0, 0, 0) != d) FAIL() << "day " << d << " builds back wrongly";
    before = f;
  }
  EXPECT_EQ(calendar_fields(41951.0).day_of_week, 7);  // 2014-11-08, a Saturday
  EXPECT_EQ(calendar_fields(41952.0).day_of_week, 1);
}

TEST(Calendar, LeapYears) {
  for (int y : {2000, 2012, 2016, 1600, 400, 9996}) EXPECT_EQ(days_in_month(y, 2), 29) << y;
  for (int y : {1900, 2014, 2100, 100, 9999, 1700}) EXPECT_EQ(days_in_month(y, 2), 28) << y;
}

// A few thousand random moments: text -> value -> fields and value -> text
// -> the same value, bit for bit.
TEST_F(DateTimes, RandomMomentsRoundTrip) {
  std::mt19937 random(20141108);
  auto in = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  for (int i = 0; i < 4000; ++i) {
    const int y = in(100, 9999), mo = in(1, 12), d = in(1, days_in_month(y, mo));
    const int h = in(0, 23), mi = in(0, 59), s = in(0, 59);
    char text[64];
    std::snprintf(text, sizeof text, "%d年%d月%d日%d时%d分%d秒", y, mo, d, h, mi, s);
    const double v = read(text);
    const CalendarFields f = calendar_fields(v);
    ASSERT_TRUE(f.year == y && f.month == mo && f.day == d && f.hour == h && f.minute == mi && f.second == s)
        << text << " read as " << v;
    ASSERT_EQ(bits(read(text_of(v).c_str())), bits(v)) << text;
  }
}

TEST_F(DateTimes, NowIsTheLocalTimeInWholeSeconds) {
  const std::time_t before = std::time(nullptr);
  const double now = result_double(call(Service::Now, {}));
  const std::time_t after = std::time(nullptr);
  const double seconds = (now - std::floor(now)) * 86400;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-4);
  const CalendarFields f = calendar_fields(now);
  bool matched = false;
  for (std::time_t t = before; t <= after; ++t) {
    const std::tm local = *std::localtime(&t);
    matched |= f.year == local.tm_year + 1900 && f.month == local.tm_mon + 1 && f.day == local.tm_mday &&
               f.hour == local.tm_hour && f.minute == local.tm_min && f.second == local.tm_sec;
  }
  EXPECT_TRUE(matched) << text_of(now);
}

// The time line under the date-times, which count the time of day away
// from zero below day 0: seconds between moments, a moment moved, the
// second a clock shows.
TEST(TimeLine, SecondsAcrossDayZeroAndTheClocksSecond) {
  const double before = read_datetime("1899-12-29 18:00:00"), after = read_datetime("1899-12-30 06:00:00");
  EXPECT_EQ(before, -1.75);
  EXPECT_NEAR(seconds_between(before, after), 12 * 3600, 1e-6);
  EXPECT_NEAR(seconds_between(after, before), -12 * 3600, 1e-6);
  EXPECT_EQ(add_seconds(before, 12 * 3600), after);
  EXPECT_EQ(add_seconds(after, -6 * 3600), 0.0);
  EXPECT_EQ(add_seconds(0.0, -6 * 3600), before);
  for (const double moment : {before, after, read_datetime("2026-12-09 22:45:10"), -657434.0}) {
    for (const double ms : {0.0, 1.0, 250.0, 999.0}) {
      EXPECT_EQ(whole_second(add_seconds(moment, ms / 1000)), moment) << moment << " + " << ms << " ms";
      EXPECT_NEAR(seconds_between(moment, add_seconds(moment, ms / 1000)), ms / 1000, 1e-5);
    }
  }
  EXPECT_EQ(from_linear_days(linear_days(-1.25)), -1.25);
  EXPECT_EQ(from_linear_days(-2.0), -2.0);
}

}  // namespace
