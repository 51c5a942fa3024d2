// Date-times as Chinese texts, both ways: 2014年11月8日12时5分3秒.
#pragma once

#include <string>

namespace rt {

// The date as year年month月day日, then the time as hour时minute分second秒 when
// the second is not 0, hour时minute分 when the minute is not 0, hour时 when the
// hour is not 0, else nothing (midnight shows only the date). No leading
// zeros; the value is clamped and rounded to the nearest second first.
std::string datetime_text(double value);

// Reads a text as a date-time, after half-width normalisation: six numbers
// (year of up to 4 digits, then month, day, hour, minute and second of up to
// 2), each of the first five followed by at most one separator ("/", "-",
// ":", "." or the field's own character 年 月 日 时 分, and after the day also
// a space). The text must end after the second or go on with 秒. Missing
// numbers read as 0. A text that does not fit, or whose numbers are not a
// valid moment of the years 100 to 9999, gives kEmptyDateTime.
double read_datetime(const char* text);

}  // namespace rt
