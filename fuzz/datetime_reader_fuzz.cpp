// Reading a text as a date-time: any bytes give either the empty date-time or
// a moment of the years 100 to 9999 whose own text reads back as itself. The
// moments after midnight of 100-01-01 and of 9999-12-31 lie outside the
// calendar's clamp, so their text is that of the day's midnight.
#include "datetime.h"
#include "datetime_text.h"
#include "fuzz_check.h"

// The code under test reads the program's own bytes: the GBK text
// 2014年11月8日12时0分0秒, spelled out here byte by byte, is a moment.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FUZZ_CHECK(rt::read_datetime("2014\xC4\xEA" "11\xD4\xC2" "8\xC8\xD5" "12\xCA\xB1" "0\xB7\xD6" "0\xC3\xEB") == 41951.5);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz_text(data, size);
  const double value = rt::read_datetime(text.c_str());
  if (value == rt::kEmptyDateTime) return 0;
  FUZZ_CHECK(value > rt::kEmptyDateTime - 1 && value < rt::kLastDateTime + 1);
  const rt::CalendarFields f = rt::calendar_fields(value);
  FUZZ_CHECK(rt::fields_are_valid(f.year, f.month, f.day, f.hour, f.minute, f.second));
  const double read_back = rt::read_datetime(rt::datetime_text(value).c_str());
  FUZZ_CHECK(read_back == rt::clamp_datetime(value));
  return 0;
}
