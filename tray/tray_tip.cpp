#include "tray_tip.h"

namespace tray {

std::string cut_tip(const char* gbk) {
  if (!gbk) return std::string();
  std::size_t end = 0;  // the end of the last whole character taken
  while (gbk[end] != '\0') {
    const bool two_bytes = static_cast<unsigned char>(gbk[end]) >= 0x80;
    const std::size_t next = end + (two_bytes ? 2 : 1);
    if (next > kMaxTipBytes) break;
    if (two_bytes && gbk[end + 1] == '\0') break;  // a lead byte without its second half
    end = next;
  }
  return std::string(gbk, end);
}

}  // namespace tray
