// A kept schedule as the program reads it back: the record of one running
// program, written while its schedule counted. What comes back from the
// registry is outside input (another program, a user with regedit, a disk
// that lost half a write), so the reader takes raw values and checks every
// one; a record it cannot trust is no record.
//
// The values, by name and registry type:
//   Moment    REG_QWORD  the universal moment as a Windows file time (100 ns
//                        since 1601-01-01), a whole millisecond, 1601..9999
//   Shutdown, Music, Remind
//             REG_DWORD  0 or 1
//   Reminder  REG_SZ     the reminder text
//   Date      REG_SZ     the date box's day, "YYYY-MM-DD", 1601..9999
//   Hour, Minute, Second
//             REG_SZ     the time boxes' texts as typed, perhaps empty
// The Windows side hands texts over as GBK bytes without a terminator, and
// writes them as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt::store {

struct ScheduleRecord {
  double moment = 0;  // universal date-time, to the millisecond
  bool shut_down = false;
  bool music = false;
  bool remind = false;
  std::string reminder;  // GBK
  double date = 0;       // the date box (a whole day)
  std::string hour, minute, second;  // the time boxes' texts, GBK

  bool operator==(const ScheduleRecord& o) const {
    return moment == o.moment && shut_down == o.shut_down && music == o.music && remind == o.remind &&
           reminder == o.reminder && date == o.date && hour == o.hour && minute == o.minute && second == o.second;
  }
};

// The registry's types of the values (winnt.h's numbers).
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegQword = 11;

// The value names, in the order record_values gives them.
constexpr const char* kRecordValueNames[] = {"Moment", "Shutdown", "Music",  "Remind", "Reminder",
                                             "Date",   "Hour",     "Minute", "Second"};
constexpr std::size_t kRecordValueCount = sizeof kRecordValueNames / sizeof kRecordValueNames[0];

// The longest texts a record holds, in GBK bytes: the reminder, whatever an
// edit box takes (32,767 characters, two bytes each at most); a time box's
// text, far more than any time.
constexpr std::size_t kMaxReminderBytes = 65534;
constexpr std::size_t kMaxBoxTextBytes = 64;

// One value of a record as the registry gives it: its name, its type
// (REG_SZ 1, REG_DWORD 4, REG_QWORD 11, anything else as it came) and its
// bytes, unchecked.
struct RawValue {
  std::string name;  // ASCII
  uint32_t type;
  std::vector<uint8_t> bytes;

  bool operator==(const RawValue& o) const { return name == o.name && type == o.type && bytes == o.bytes; }
};

// The record the values hold, or nothing when a value is missing, named
// twice, of another type or size, or out of its range; a text that is not
// whole GBK characters, holds a zero byte or is longer than its bound. Names
// are compared exactly; values of other names are ignored.
std::optional<ScheduleRecord> read_record(const std::vector<RawValue>& values);

// The values that hold `record`, in kRecordValueNames' order: the moment
// rounded to the nearest millisecond, the date box's day. A record the
// reader would refuse (a moment outside 1601..9999, a text too long) gives
// values it refuses, so a writer checks with read_record before it keeps.
std::vector<RawValue> record_values(const ScheduleRecord& record);

// A record's identifier: what names its key, its entry and its lock; 1 to
// 16 hexadecimal digits, upper case (the program makes 16).
bool is_record_id(const std::string& id);

}  // namespace rt::store
