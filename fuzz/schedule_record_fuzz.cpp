// The kept record's reader: whatever values the registry hands over, a
// record it reads is one whose values, written again, are the very values
// it read; and whatever moment and date a record is written with, the
// values either read back to themselves or are refused.
//
// The input is a run of values, each a name byte (one of the record's nine
// names, or a name the record does not have), a type byte, a 16-bit length
// and that many bytes (fewer where the input ends). Its first 16 bytes are
// also a moment and a date as doubles.
#include <algorithm>
#include <cstring>

#include "fuzz_check.h"
#include "schedule_record.h"

namespace {

using rt::store::RawValue;

const char* const kOtherNames[] = {"Version", "moment"};

std::vector<RawValue> split(const uint8_t* data, std::size_t size) {
  std::vector<RawValue> values;
  std::size_t at = 0;
  while (size - at >= 4) {
    const std::size_t which = data[at] % (rt::store::kRecordValueCount + 2);
    const char* name = which < rt::store::kRecordValueCount ? rt::store::kRecordValueNames[which]
                                                             : kOtherNames[which - rt::store::kRecordValueCount];
    const uint32_t type = data[at + 1] % 12;
    std::size_t length = data[at + 2] | data[at + 3] << 8;
    at += 4;
    length = std::min(length, size - at);
    values.push_back(RawValue{name, type, std::vector<uint8_t>(data + at, data + at + length)});
    at += length;
  }
  return values;
}

const RawValue* named(const std::vector<RawValue>& values, const char* name) {
  for (const RawValue& v : values)
    if (v.name == name) return &v;
  return nullptr;
}

void written_back_as_read(const std::vector<RawValue>& values) {
  const auto record = rt::store::read_record(values);
  if (!record) return;
  const std::vector<RawValue> written = rt::store::record_values(*record);
  FUZZ_CHECK(written.size() == rt::store::kRecordValueCount);
  for (const RawValue& w : written) {
    const RawValue* read = named(values, w.name.c_str());
    FUZZ_CHECK(read && *read == w);
  }
  FUZZ_CHECK(rt::store::read_record(written) == record);
}

double double_at(const uint8_t* data) {
  double d;
  std::memcpy(&d, data, sizeof d);
  return d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  written_back_as_read(split(data, size));
  if (size >= 16) {
    rt::store::ScheduleRecord record;
    record.moment = double_at(data);
    record.date = double_at(data + 8);
    written_back_as_read(rt::store::record_values(record));
  }
  return 0;
}
