// The kept record's values: the moment as a file time and the date as text,
// both ways; what the reader refuses and what it takes at its edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "schedule_record.h"

namespace {

using rt::store::RawValue;
using Bytes = std::vector<uint8_t>;

constexpr double kMs = 1.0 / 86400000;  // a millisecond in days
constexpr uint64_t kRefused = 1;         // no file time: the values are refused

Bytes le(uint64_t n, std::size_t size) {
  Bytes b;
  for (std::size_t i = 0; i < size; ++i) b.push_back(static_cast<uint8_t>(n >> 8 * i));
  return b;
}
Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// 2026-12-09 22:45:10.123 universal, 关机 and 提醒: ticked, the boxes as typed.
const rt::store::ScheduleRecord kSample{46365 + 81910123 * kMs, true, false, true, "到点了", 46365, "22", "45", ""};

TEST(ScheduleRecord, WritesEveryValueAndReadsItBack) {
  const std::vector<RawValue> values = {
      {"Moment", 11, le(134413299101230000, 8)}, {"Shutdown", 4, le(1, 4)}, {"Music", 4, le(0, 4)},
      {"Remind", 4, le(1, 4)},  {"Reminder", 1, text("到点了")},  {"Date", 1, text("2026-12-09")},
      {"Hour", 1, text("22")},  {"Minute", 1, text("45")},      {"Second", 1, {}}};
  EXPECT_EQ(rt::store::record_values(kSample), values);
  EXPECT_EQ(rt::store::read_record(values), kSample);

  const struct {
    const char* what;
    double moment, date;
    uint64_t file_time;  // kRefused: the values are refused
    const char* day;
  } cases[] = {
      {"1601-01-01, where file time begins", -109205.0, 0, 0, "1899-12-30"},
      {"and a millisecond later", -109205.0 - kMs, 0, 10000, "1899-12-30"},
      {"1899-12-29 06:00, below day 0", -1.25, -1.75, 94352472000000000, "1899-12-29"},
      {"1970-01-01; a date box's time of day", 25569.0, 46365.75, 116444736000000000, "2026-12-09"},
      {"0.4 ms rounds down", 25569 + 0.4 * kMs, 0, 116444736000000000, "1899-12-30"},
      {"0.6 ms rounds up", 25569 + 0.6 * kMs, 0, 116444736000010000, "1899-12-30"},
      {"9999-12-31 23:59:59.999", 2958465 + 86399999 * kMs, 2958465, 2650467743999990000, "9999-12-31"},
      {"a moment before 1601", -109206.0, 0, kRefused, "1899-12-30"},
      {"a moment in 10000", 2958466.0, 0, kRefused, "1899-12-30"},
      {"no moment at all", std::nan(""), 0, kRefused, "1899-12-30"},
      // 2^60 ms on, the file time wraps around to a moment of 2026
      {"a moment far on", kSample.moment + 1152921504606846976.0 * kMs, 0, kRefused, "1899-12-30"},
      {"a date before 1601", 0, -109206.0, kRefused, "1600-12-31"},
  };
  for (const auto& c : cases) {
    rt::store::ScheduleRecord r = kSample;
    r.moment = c.moment;
    r.date = c.date;
    const std::vector<RawValue> written = rt::store::record_values(r);
    EXPECT_EQ(written[5].bytes, text(c.day)) << c.what;
    const auto back = rt::store::read_record(written);
    ASSERT_EQ(back.has_value(), c.file_time != kRefused) << c.what;
    if (!back) continue;
    EXPECT_EQ(written[0].bytes, le(c.file_time, 8)) << c.what;
    EXPECT_NEAR(back->moment, c.moment, 0.5 * kMs) << c.what;
    EXPECT_EQ(rt::store::record_values(*back), written) << c.what;
  }
}

TEST(ScheduleRecord, ReadsOnlyWhatItCanTrust) {
  const struct {
    const char* what;
    const char* name;
    uint32_t type;  // 0: the value removed
    Bytes bytes;
    bool taken;
  } cases[] = {
      {"the moment as a DWORD", "Moment", 4, le(116444736000000000, 8), false},
      {"the moment cut short", "Moment", 11, le(0, 4), false},
      {"the moment in 10000", "Moment", 11, le(2650467744000000000, 8), false},
      {"the moment not a whole millisecond", "Moment", 11, le(116444736000000001, 8), false},
      {"the first moment", "Moment", 11, le(0, 8), true},
      {"关机 2", "Shutdown", 4, le(2, 4), false},
      {"关机 cut short", "Shutdown", 4, le(1, 3), false},
      {"音乐 as a QWORD", "Music", 11, le(1, 8), false},
      {"the reminder as REG_EXPAND_SZ", "Reminder", 2, text("a"), false},
      {"the reminder holding a zero", "Reminder", 1, Bytes{'a', 0, 'b'}, false},
      {"the reminder ending half a character", "Reminder", 1, Bytes{'a', 0xB5}, false},
      {"0xFF", "Reminder", 1, Bytes{0xFF, 0xA1}, false},
      {"a trail byte of 0x7F", "Reminder", 1, Bytes{0x81, 0x7F}, false},
      {"a trail byte below 0x40", "Reminder", 1, Bytes{0xB5, 0x3F}, false},
      {"the lowest trail byte", "Reminder", 1, Bytes{0x81, 0x40}, true},
      {"the euro sign, one byte", "Reminder", 1, Bytes{'a', 0x80}, true},
      {"the reminder over its bound", "Reminder", 1, Bytes(65535, 'a'), false},
      {"the reminder at its bound", "Reminder", 1, Bytes(65534, 0xFE), true},
      {"a date without its zero", "Date", 1, text("2026-2-09"), false},
      {"a date with slashes", "Date", 1, text("2026/12/09"), false},
      {"February 30", "Date", 1, text("2026-02-30"), false},
      {"a date before 1601", "Date", 1, text("1600-12-31"), false},
      {"a date with a letter", "Date", 1, text("2026-12-0x"), false},
      {"a date with a sign", "Date", 1, text("+026-12-09"), false},
      {"a leap day", "Date", 1, text("2028-02-29"), true},
      {"an hour over its bound", "Hour", 1, Bytes(65, '1'), false},
      {"an hour at its bound", "Hour", 1, Bytes(64, '1'), true},
      {"a minute ending half a character", "Minute", 1, Bytes{'4', 0xA3}, false},
      {"the second as a QWORD", "Second", 11, le(0, 8), false},
      {"the second missing", "Second", 0, {}, false},
      {"the moment missing", "Moment", 0, {}, false},
      {"the moment twice", "", 0, {}, false},
      {"values of other names", "Version", 4, le(2, 4), true},
      {"a name in other letters", "moment", 11, le(0, 8), true},
  };
  for (const auto& c : cases) {
    std::vector<RawValue> values = rt::store::record_values(kSample);
    const auto at = std::find_if(values.begin(), values.end(), [&](const RawValue& v) { return v.name == c.name; });
    if (at == values.end()) {
      values.push_back(c.name[0] ? RawValue{c.name, c.type, c.bytes} : values[0]);
    } else if (c.type == 0) {
      values.erase(at);
    } else {
      *at = RawValue{c.name, c.type, c.bytes};
    }
    const auto record = rt::store::read_record(values);
    ASSERT_EQ(record.has_value(), c.taken) << c.what;
    if (!record) continue;
    EXPECT_EQ(rt::store::read_record(rt::store::record_values(*record)), record) << c.what;
  }
}

TEST(ScheduleRecord, IdsAreOneToSixteenUpperCaseHexDigits) {
  for (const char* id : {"0", "F", "0123456789ABCDEF", "00C0FFEE"}) EXPECT_TRUE(rt::store::is_record_id(id)) << id;
  for (const char* id : {"", "0123456789ABCDEF0", "00c0ffee", "12 4", "G1", "..\\1", "-1"})
    EXPECT_FALSE(rt::store::is_record_id(id)) << id;
}

}  // namespace
