#include "schedule_record.h"

#include <cmath>
#include <cstdio>

#include "datetime.h"

namespace rt::store {
namespace {

enum Index { kMoment, kShutdown, kMusic, kRemind, kReminder, kDate, kHour, kMinute, kSecond };

constexpr int64_t kMsPerDay = 86400000;
constexpr uint64_t kTicksPerMs = 10000;  // file time counts 100 ns
// 1601-01-01, where file time begins, is day -109205 of the date-times.
constexpr int64_t kFileTimeFirstDay = -109205;
// Milliseconds from 1601-01-01 to the last one of 9999-12-31.
constexpr int64_t kLastMs = 3067671 * kMsPerDay - 1;
// What a moment the reader refuses is written as.
constexpr uint64_t kNoFileTime = ~uint64_t{0};

// ---- the moment -----------------------------------------------------------
// A date-time below 0 holds its time of day as the fraction of its absolute
// value, so the straight day count (linear_days) is what is measured in
// milliseconds. The range check comes first: it also turns NaN away.
uint64_t file_time(double moment) {
  const double ms = (linear_days(moment) - static_cast<double>(kFileTimeFirstDay)) * static_cast<double>(kMsPerDay);
  if (!(ms >= -0.5 && ms < static_cast<double>(kLastMs) + 0.5)) return kNoFileTime;
  return static_cast<uint64_t>(std::llround(ms)) * kTicksPerMs;
}

// The date-time of a whole millisecond since 1601.
double moment_of(int64_t ms) {
  const int64_t since = ms + kFileTimeFirstDay * kMsPerDay;  // from 1899-12-30
  int64_t day = since / kMsPerDay;
  int64_t in_day = since % kMsPerDay;
  if (in_day < 0) {
    --day;
    in_day += kMsPerDay;
  }
  return datetime_at_ms(static_cast<long>(day), in_day);
}

// ---- texts ------------------------------------------------------------------
// Code page 936: one byte up to 0x80 (the euro sign), or a lead byte
// 0x81..0xFE with a trail byte 0x40..0xFE other than 0x7F. A zero byte would
// cut the text short on its way back into the program.
bool whole_gbk(const std::vector<uint8_t>& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = bytes[i];
    if (b == 0 || b == 0xFF) return false;
    if (b <= 0x80) continue;
    if (++i == bytes.size()) return false;
    const uint8_t trail = bytes[i];
    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
  }
  return true;
}

bool read_text(const RawValue& v, std::size_t max_bytes, std::string& out) {
  if (v.type != kRegSz || v.bytes.size() > max_bytes || !whole_gbk(v.bytes)) return false;
  out.assign(v.bytes.begin(), v.bytes.end());
  return true;
}

// ---- numbers ----------------------------------------------------------------
uint64_t little_endian(const std::vector<uint8_t>& bytes) {
  uint64_t n = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) n = n << 8 | bytes[i];
  return n;
}

std::vector<uint8_t> bytes_of(uint64_t n, std::size_t size) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) {
    b = static_cast<uint8_t>(n);
    n >>= 8;
  }
  return bytes;
}

bool read_moment(const RawValue& v, double& out) {
  if (v.type != kRegQword || v.bytes.size() != 8) return false;
  const uint64_t ticks = little_endian(v.bytes);
  // Whole milliseconds only: the program writes nothing finer, and what it
  // writes must read back to the very bytes.
  if (ticks % kTicksPerMs != 0 || ticks / kTicksPerMs > static_cast<uint64_t>(kLastMs)) return false;
  out = moment_of(static_cast<int64_t>(ticks / kTicksPerMs));
  return true;
}

bool read_flag(const RawValue& v, bool& out) {
  if (v.type != kRegDword || v.bytes.size() != 4) return false;
  const uint64_t n = little_endian(v.bytes);
  if (n > 1) return false;
  out = n == 1;
  return true;
}

// ---- the date ---------------------------------------------------------------
bool digits(const std::vector<uint8_t>& text, std::size_t from, std::size_t count, int& out) {
  out = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    out = out * 10 + (text[i] - '0');
  }
  return true;
}

bool read_date(const RawValue& v, double& out) {
  const std::vector<uint8_t>& t = v.bytes;
  if (v.type != kRegSz || t.size() != 10 || t[4] != '-' || t[7] != '-') return false;
  int year, month, day;
  if (!digits(t, 0, 4, year) || !digits(t, 5, 2, month) || !digits(t, 8, 2, day)) return false;
  if (year < 1601 || !fields_are_valid(year, month, day, 0, 0, 0)) return false;
  out = static_cast<double>(day_number(year, month, day));
  return true;
}

// The day a date-time falls on is its value truncated toward zero.
std::string date_text(double date) {
  const CalendarFields f = calendar_fields(std::trunc(clamp_datetime(date)));
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", f.year, f.month, f.day);
  return text;
}

RawValue text_value(Index i, const std::string& text) {
  return RawValue{kRecordValueNames[i], kRegSz, std::vector<uint8_t>(text.begin(), text.end())};
}

RawValue flag_value(Index i, bool on) { return RawValue{kRecordValueNames[i], kRegDword, bytes_of(on ? 1 : 0, 4)}; }

}  // namespace

std::optional<ScheduleRecord> read_record(const std::vector<RawValue>& values) {
  const RawValue* found[kRecordValueCount] = {};
  for (const RawValue& v : values) {
    for (std::size_t i = 0; i < kRecordValueCount; ++i) {
      if (v.name != kRecordValueNames[i]) continue;
      if (found[i]) return std::nullopt;
      found[i] = &v;
    }
  }
  for (const RawValue* v : found)
    if (!v) return std::nullopt;

  ScheduleRecord r;
  const bool read = read_moment(*found[kMoment], r.moment) && read_flag(*found[kShutdown], r.shut_down) &&
                    read_flag(*found[kMusic], r.music) && read_flag(*found[kRemind], r.remind) &&
                    read_text(*found[kReminder], kMaxReminderBytes, r.reminder) &&
                    read_date(*found[kDate], r.date) && read_text(*found[kHour], kMaxBoxTextBytes, r.hour) &&
                    read_text(*found[kMinute], kMaxBoxTextBytes, r.minute) &&
                    read_text(*found[kSecond], kMaxBoxTextBytes, r.second);
  if (!read) return std::nullopt;
  return r;
}

std::vector<RawValue> record_values(const ScheduleRecord& r) {
  const std::string date = date_text(r.date);
  return {
      RawValue{kRecordValueNames[kMoment], kRegQword, bytes_of(file_time(r.moment), 8)},
      flag_value(kShutdown, r.shut_down),
      flag_value(kMusic, r.music),
      flag_value(kRemind, r.remind),
      text_value(kReminder, r.reminder),
      text_value(kDate, date),
      text_value(kHour, r.hour),
      text_value(kMinute, r.minute),
      text_value(kSecond, r.second),
  };
}

bool is_record_id(const std::string& id) {
  if (id.empty() || id.size() > 16) return false;
  for (const char c : id)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

}  // namespace rt::store
