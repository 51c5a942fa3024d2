// Half-width normalisation: never longer than its input, and a normalised
// text is left as it is.
#include "fuzz_check.h"
#include "halfwidth.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz_text(data, size);
  const std::string once = rt::halfwidth(text.c_str());
  FUZZ_CHECK(once.size() <= text.size());
  FUZZ_CHECK(once.find('\0') == std::string::npos);
  FUZZ_CHECK(rt::halfwidth(once.c_str()) == once);
  return 0;
}
