#include "texts.h"

#include <cstring>

#include "heap.h"

namespace schedule {

bool texts_equal(const char* a, const char* b) { return std::strcmp(a ? a : "", b ? b : "") == 0; }

rt::Text join_texts(std::initializer_list<const char*> pieces) {
  size_t length = 0;
  for (const char* p : pieces)
    if (p) length += std::strlen(p);
  if (length == 0) return rt::Text();
  char* joined = static_cast<char*>(rt::allocate(static_cast<int32_t>(length + 1)));
  char* at = joined;
  for (const char* p : pieces) {
    if (!p) continue;
    const size_t n = std::strlen(p);
    std::memcpy(at, p, n);
    at += n;
  }
  *at = '\0';
  return rt::Text::adopt(joined);
}

}  // namespace schedule
