// Counts of real seconds to a local target under a zone's rules, across the
// changes of clocks and far from them, taken as the schedule takes them:
// both moments in universal time, the seconds interval, its absolute value.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "datetime.h"
#include "datetime_text.h"
#include "time_interval.h"
#include "zone_rules.h"

namespace {

using namespace rt;
using Kind = LocalTimeKind;

// Daylight time from the 2nd Sunday of March 02:00 to the 1st Sunday of November 02:00.
constexpr ZoneRules kNewYork{300, 0, -60, {0, 11, 0, 1, 2, 0, 0, 0}, {0, 3, 0, 2, 2, 0, 0, 0}};
// The same changes of 2024, written as dates.
constexpr ZoneRules kNewYork2024{300, 0, -60, {2024, 11, 0, 3, 2, 0, 0, 0}, {2024, 3, 0, 10, 2, 0, 0, 0}};
constexpr ZoneRules kShanghai{-480, 0, -60, {}, {}};
// Daylight time from the 1st Sunday of October 02:00 to the 1st Sunday of April 03:00.
constexpr ZoneRules kSydney{-600, 0, -60, {0, 4, 0, 1, 3, 0, 0, 0}, {0, 10, 0, 1, 2, 0, 0, 0}};
// Daylight time from the end of the last Thursday of March (23:59:59.999) to the last Friday of October 01:00.
constexpr ZoneRules kMidnight{-120, 0, -60, {0, 10, 5, 5, 1, 0, 0, 0}, {0, 3, 4, 5, 23, 59, 59, 999}};

// `now` is local, unless the row gives it in universal time (a pass of the repeated hour).
double count(const ZoneRules& zone, const char* now, const char* target, const char* universal_now) {
  const double now_utc = universal_now ? read_datetime(universal_now) : universal_datetime(zone, read_datetime(now));
  const double seconds =
      time_interval(universal_datetime(zone, read_datetime(target), now_utc), now_utc, kIntervalSecond);
  return std::fabs(seconds);
}

Kind kind_of(const ZoneRules& zone, const char* local) {
  const CalendarFields f = calendar_fields(read_datetime(local));
  return universal_seconds(zone, f.year, f.month, f.day, f.hour, f.minute, f.second).kind;
}

TEST(ZoneRules, CountsAreRealSeconds) {
  const struct {
    const char* zone;
    const ZoneRules& rules;
    const char* now;
    const char* target;
    double expected;
    Kind kind;  // of the target
    const char* universal_now = nullptr;
  } rows[] = {
      {"New York", kNewYork, "2024-11-03 00:30:00", "2024-11-03 03:00:00", 12600, Kind::kOnce},
      {"New York", kNewYork, "2024-11-03 00:30:00", "2024-11-03 01:30:00", 3600, Kind::kRepeated},  // the first
      // The repeated hour from its first pass, from its second (to the 01:50 ahead), both past.
      {"New York", kNewYork, "2024-11-03 01:10:00", "2024-11-03 01:50:00", 2400, Kind::kRepeated},
      {"New York", kNewYork, "", "2024-11-03 01:50:00", 2400, Kind::kRepeated, "2024-11-03 06:10:00"},
      {"New York", kNewYork, "", "2024-11-03 01:05:00", 3899, Kind::kRepeated, "2024-11-03 06:10:00"},  // 3900 s back
      // A target at now: now, not the second pass an hour away.
      {"New York", kNewYork, "", "2024-11-03 01:00:03", 0, Kind::kRepeated, "2024-11-03 05:00:03"},
      {"New York", kNewYork, "2024-11-03 00:30:00", "2024-11-03 00:59:59", 1799, Kind::kOnce},
      {"New York", kNewYork, "2024-11-03 00:30:00", "2024-11-03 02:00:00", 9000, Kind::kOnce},
      {"New York", kNewYork, "2024-11-03 03:00:00", "2024-11-03 00:30:00", 12599, Kind::kOnce},  // 12600 s back
      {"New York", kNewYork, "2024-03-10 01:00:00", "2024-03-10 02:30:00", 3600, Kind::kSkipped},  // to 03:00
      {"New York", kNewYork, "2024-03-10 01:00:00", "2024-03-10 02:00:00", 3600, Kind::kSkipped},
      {"New York", kNewYork, "2024-03-10 01:00:00", "2024-03-10 01:59:59", 3599, Kind::kOnce},
      {"New York", kNewYork, "2024-03-10 01:00:00", "2024-03-10 03:00:00", 3600, Kind::kOnce},
      {"New York", kNewYork, "2024-03-10 04:00:00", "2024-03-10 01:00:00", 7199, Kind::kOnce},  // 7200 s back
      {"New York", kNewYork, "2024-03-01 12:00:00", "2024-04-01 12:00:00", 31 * 86400 - 3600, Kind::kOnce},
      {"New York", kNewYork, "2024-07-01 12:00:00", "2024-07-02 12:00:00", 86400, Kind::kOnce},
      {"New York", kNewYork, "2024-01-01 00:00:00", "2025-01-01 00:00:00", 366 * 86400, Kind::kOnce},
      {"New York", kNewYork, "2024-07-01 12:00:00", "2024-07-01 11:59:50", 9, Kind::kOnce},
      {"New York 2024", kNewYork2024, "2024-03-10 01:00:00", "2024-03-10 02:30:00", 3600, Kind::kSkipped},
      {"Shanghai", kShanghai, "2024-11-03 00:30:00", "2024-11-03 03:00:00", 9000, Kind::kOnce},
      {"Shanghai", kShanghai, "2024-03-10 01:00:00", "2024-03-10 02:30:00", 5400, Kind::kOnce},
      {"Sydney", kSydney, "2024-07-01 12:00:00", "2025-01-01 12:00:00", 184 * 86400 - 3600, Kind::kOnce},
      {"Sydney", kSydney, "2024-12-31 23:30:00", "2025-01-01 00:30:00", 3600, Kind::kOnce},
      {"Sydney", kSydney, "2024-04-07 01:00:00", "2024-04-07 02:30:00", 5400, Kind::kRepeated},
      {"Sydney", kSydney, "2024-10-06 01:00:00", "2024-10-06 02:30:00", 3600, Kind::kSkipped},
      {"midnight", kMidnight, "2024-03-28 23:00:00", "2024-03-29 00:30:00", 3600, Kind::kSkipped},  // to 01:00
      {"midnight", kMidnight, "2024-03-28 23:00:00", "2024-03-28 23:59:59", 3599, Kind::kOnce},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(count(r.rules, r.now, r.target, r.universal_now), r.expected)
        << r.zone << " from " << (r.universal_now ? r.universal_now : r.now) << " to " << r.target;
    EXPECT_EQ(static_cast<int>(kind_of(r.rules, r.target)), static_cast<int>(r.kind))
        << r.zone << " " << r.target << " (0 once, 1 skipped, 2 repeated)";
  }
}

// Before 1900 date-times are negative, with the time of day counted the
// other way; a universal time there still lies where the clock says.
TEST(ZoneRules, UniversalTimesBefore1900) {
  EXPECT_EQ(universal_datetime(kNewYork, read_datetime("1899-12-29 20:00:00")), read_datetime("1899-12-30 01:00:00"));
  EXPECT_EQ(universal_datetime(kShanghai, read_datetime("1700-06-01 06:00:00")), read_datetime("1700-05-31 22:00:00"));
}

// What the zone's clock reads at a universal moment: the second that has
// begun, in the offset that holds then (a schedule's missed moment is shown
// so). Away from the changes it undoes universal_datetime.
TEST(ZoneRules, LocalTimesOfUniversalOnes) {
  const struct {
    const ZoneRules& rules;
    const char* universal;
    double ms;  // into the second
    const char* local;
  } rows[] = {
      {kNewYork, "2024-11-03 05:59:59", 999, "2024-11-03 01:59:59"},  // the first pass, daylight time
      {kNewYork, "2024-11-03 06:00:00", 0, "2024-11-03 01:00:00"},    // back an hour
      {kNewYork, "2024-03-10 06:59:59", 500, "2024-03-10 01:59:59"},
      {kNewYork, "2024-03-10 07:00:00", 0, "2024-03-10 03:00:00"},    // on an hour
      {kNewYork, "2025-01-01 04:30:00", 0, "2024-12-31 23:30:00"},
      {kShanghai, "2026-12-09 14:45:10", 250, "2026-12-09 22:45:10"},
      {kSydney, "2024-12-31 13:30:00", 0, "2025-01-01 00:30:00"},     // daylight time across the year's end
      {kNewYork, "1899-12-30 01:00:00", 0, "1899-12-29 20:00:00"},
      {kShanghai, "1700-05-31 22:00:00", 999, "1700-06-01 06:00:00"},
  };
  for (const auto& r : rows) {
    const double universal = add_seconds(read_datetime(r.universal), r.ms / 1000);
    EXPECT_EQ(local_datetime(r.rules, universal), read_datetime(r.local)) << r.universal;
  }
}

// Read off the system clock alone: its seconds since 1970-01-01 00:00:00
// universal time, which is day 25569.
TEST(ZoneRules, UniversalNowIsTheClockInUniversalTime) {
  const double expected = static_cast<double>(std::time(nullptr)) / 86400.0 + 25569;
  EXPECT_NEAR(universal_now_datetime(), expected, 2.0 / 86400);
}

}  // namespace
