// To integer of a text and of a double. A text reads the same once
// normalised, and the number it gives reads back from its own text; a double
// truncates toward zero and keeps the low 32 bits of the whole number.
#include <cmath>
#include <cstring>

#include "convert.h"
#include "fuzz_check.h"
#include "halfwidth.h"
#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz_text(data, size);
  const int32_t n = rt::to_integer(rt::arg_text(text.c_str()));
  FUZZ_CHECK(rt::text_to_integer(rt::halfwidth(text.c_str()).c_str()) == n);
  FUZZ_CHECK(rt::text_to_integer(rt::format_int(n).c_str()) == n);

  if (size >= sizeof(double)) {
    double d;
    std::memcpy(&d, data, sizeof d);
    const int32_t truncated = rt::to_integer(rt::arg_double(d));
    if (std::isfinite(d) && std::fabs(d) < 9.2e18) {
      const auto low_word = static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(d)));
      FUZZ_CHECK(truncated == static_cast<int32_t>(low_word));
    } else if (!std::isfinite(d)) {
      FUZZ_CHECK(truncated == 0);
    }
  }
  return 0;
}
