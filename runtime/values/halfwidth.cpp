#include "halfwidth.h"

namespace rt {

std::string halfwidth(const char* text) {
  std::string out;
  if (!text) return out;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    const unsigned char lead = *p++;
    if (lead < 0x80) {
      out += static_cast<char>(lead);
      continue;
    }
    const unsigned char trail = *p;
    if (trail == 0) break;  // a lone lead byte at the end is dropped
    ++p;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out += static_cast<char>(trail & 0x7F);
    } else if (lead == 0xA1 && trail == 0xA1) {
      out += ' ';
    } else if (lead == 0xA1 && trail == 0xAB) {
      out += '~';
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out += '*';
    } else {
      out += static_cast<char>(lead);
      out += static_cast<char>(trail);
    }
  }
  return out;
}

}  // namespace rt
