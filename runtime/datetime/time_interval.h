// The time between two date-times, counted in one of eight units.
#pragma once

#include <cstdint>

namespace rt {

enum IntervalUnit : int32_t {
  kIntervalYear = 1,
  kIntervalQuarter = 2,
  kIntervalMonth = 3,
  kIntervalWeek = 4,
  kIntervalDay = 5,
  kIntervalHour = 6,
  kIntervalMinute = 7,
  kIntervalSecond = 8,
};

// A − B in `unit` (below 1 counts as years, above 8 as seconds). Equal
// values give 0; otherwise both are clamped to the calendar's range.
// - years, quarters, months: the difference of the calendar fields;
// - weeks: whole days div 7, plus one when the later moment falls earlier in
//   its week than the other (a Sunday boundary was crossed), minus one the
//   other way round;
// - days: the span itself, fraction included;
// - hours, minutes, seconds: the span in that unit plus a small upward bias
//   of 1/172800, truncated toward zero and wrapped to 32 bits.
double time_interval(double a, double b, int32_t unit);

}  // namespace rt
