// Number texts that come out byte for byte the same in every build.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

std::string format_int(int64_t v);     // "%d" / "%lld"
std::string format_uint(uint64_t v);   // "%u"

// The printf "%.<precision>g" form with the conventions of the Windows C
// runtime: at most `precision` significant digits, trailing zeros and a
// trailing point dropped, exponent form when the decimal exponent is below -4
// or at least `precision`, and then a signed exponent of at least three
// digits (1e+013). Infinities and NaNs read 1.#INF, -1.#INF, 1.#QNAN, -1.#IND.
std::string format_g(double v, int precision);

}  // namespace rt
