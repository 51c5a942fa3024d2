// A kept schedule as the program reads it back: the record of one running
// program, written while its schedule counted. What comes back from the
// registry is outside input (another program, a user with regedit, a disk
// that lost half a write), so the reader takes raw values and checks every
// one; a record it cannot trust is no record.
#pragma once

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
};

// One value of a record as the registry gives it: its name, its type
// (REG_SZ 1, REG_DWORD 4, REG_QWORD 11, anything else as it came) and its
// bytes, unchecked.
struct RawValue {
  std::string name;  // ASCII
  uint32_t type;
  std::vector<uint8_t> bytes;
};

// The record the values hold, or nothing when a value is missing, of
// another type or size, or out of its range.
std::optional<ScheduleRecord> read_record(const std::vector<RawValue>& values);

// The values that hold `record` (the reader's inverse).
std::vector<RawValue> record_values(const ScheduleRecord& record);

// A record's identifier: what names its key, its entry and its lock; a
// short run of hexadecimal digits.
bool is_record_id(const std::string& id);

}  // namespace rt::store
