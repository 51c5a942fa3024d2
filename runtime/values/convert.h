// Conversions between tagged values, numbers and texts. They never fail: a
// text that is not a number reads as 0, an unsupported kind gives 0 or the
// empty text.
#pragma once

#include <cstdint>

#include "owned.h"
#include "value.h"

namespace rt {

// Truncates toward zero and keeps the low 32 bits (values outside the 32-bit
// range wrap around; NaN and infinities give 0).
int32_t truncate_to_int32(double v);

// The text read as a decimal integer in the manner of atoi, after half-width
// normalisation; the digits wrap around in 32 bits and the sign comes last.
int32_t text_to_integer(const char* text);

int32_t to_integer(const Arg& value);
double to_double(const Arg& value);  // numeric kinds, booleans, date-times; else 0
Text to_text(const Arg& value);      // null for the empty text
double absolute_value(double v);

// Text of a date-time. Null until date-time texts are provided by the
// calendar module, which installs its formatter here.
using DateTimeFormatter = Text (*)(double value);
void set_datetime_formatter(DateTimeFormatter formatter);

// Provides to integer, to text and absolute value in the service table.
void provide_value_services();

}  // namespace rt
