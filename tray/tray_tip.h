// The tip text of a notification-area icon. The icon record holds 64
// characters; the tray keeps the GBK text to its first 62 bytes, cut between
// characters so that no half of a two-byte character is left at the end.
#pragma once

#include <cstddef>
#include <string>

namespace tray {

constexpr std::size_t kMaxTipBytes = 62;

// The longest run of whole characters from the start of the GBK text that
// fits in kMaxTipBytes. A byte of 0x80 or above starts a two-byte character;
// one cut off by the end of the text is dropped. Null reads as empty.
std::string cut_tip(const char* gbk);

}  // namespace tray
