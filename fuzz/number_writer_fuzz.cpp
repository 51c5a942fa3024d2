// The "%.13g" writer (and its other precisions) against the C library's own
// %g: the same digits and layout, except that the exponent has at least three
// digits and infinities and NaNs are written the Windows way.
#include <cmath>
#include <cstring>

#include "fuzz_check.h"
#include "number_text.h"

namespace {

// The C library's %g with its exponent widened to three digits.
std::string reference(double v, int precision) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*g", precision, v);
  std::string s = buf;
  const std::size_t e = s.find('e');
  if (e != std::string::npos && s.size() - e == 4) s.insert(e + 2, "0");  // e+13 -> e+013
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double v;
  std::memcpy(&v, data, sizeof v);
  const int precision = size > sizeof v ? 1 + data[sizeof v] % 17 : 13;
  const std::string written = rt::format_g(v, precision);
  if (std::isnan(v)) {
    FUZZ_CHECK(written == "1.#QNAN" || written == "-1.#IND");
  } else if (std::isinf(v)) {
    FUZZ_CHECK(written == (v < 0 ? "-1.#INF" : "1.#INF"));
  } else {
    FUZZ_CHECK(written == reference(v, precision));
  }
  return 0;
}
