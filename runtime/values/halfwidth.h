// Half-width normalisation of GBK text, run before a text is read as a number
// or a date-time: full-width digits and punctuation become their ASCII forms.
#pragma once

#include <string>

namespace rt {

// Bytes below 0x80 are kept. A byte of 0x80 or above starts a two-byte
// character: A3 A1..A3 FE become the trail byte without its top bit, A1 A1
// (ideographic space) a space, A1 AB (wave dash) '~', A1 EE and A1 EF (stars)
// '*'; any other pair is kept. A lead byte with nothing after it is dropped.
// Null reads as the empty text.
std::string halfwidth(const char* text);

}  // namespace rt
