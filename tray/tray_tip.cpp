#include "tray_tip.h"

namespace tray {
namespace {

// The longest run of whole characters from the start that fits in both
// `max_bytes` bytes and `max_chars` characters.
std::string cut(const char* gbk, std::size_t max_bytes, std::size_t max_chars) {
  if (!gbk) return std::string();
  std::size_t end = 0;  // the end of the last whole character taken
  for (std::size_t chars = 0; gbk[end] != '\0' && chars < max_chars; ++chars) {
    const bool two_bytes = static_cast<unsigned char>(gbk[end]) >= 0x80;
    const std::size_t next = end + (two_bytes ? 2 : 1);
    if (next > max_bytes) break;
    if (two_bytes && gbk[end + 1] == '\0') break;  // a lead byte without its second half
    end = next;
  }
  return std::string(gbk, end);
}

}  // namespace

std::string cut_tip(const char* gbk) { return cut(gbk, kMaxTipBytes, kMaxTipBytes); }

std::string cut_long_tip(const char* gbk) { return cut(gbk, 2 * kMaxTipChars, kMaxTipChars); }

}  // namespace tray
