// The tip text of a notification-area icon. The tip an icon goes up with is
// kept to its first 62 GBK bytes, as the first-version record (64
// characters) always had it; a tip changed in place while the icon shows
// (the time left of a count, on two lines) may use the whole field of 128
// characters. Both are cut between characters, so that no half of a
// two-byte character is left at the end.
#pragma once

#include <cstddef>
#include <string>

namespace tray {

constexpr std::size_t kMaxTipBytes = 62;
// Characters, each one UTF-16 unit: code page 936 has nothing outside the
// Basic Multilingual Plane. The last of the field's 128 is the terminator.
constexpr std::size_t kMaxTipChars = 127;

// The longest run of whole characters from the start of the GBK text that
// fits in kMaxTipBytes. A byte of 0x80 or above starts a two-byte character;
// one cut off by the end of the text is dropped. Null reads as empty.
std::string cut_tip(const char* gbk);

// The same, in kMaxTipChars characters: a text too long loses its end, so a
// two-line tip keeps its first line and as much of the second as fits.
std::string cut_long_tip(const char* gbk);

}  // namespace tray
