// Little-endian appends to a file image held in memory. Both files the
// generator writes (RIFF WAVE and ICO) store every number little-endian.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace assets {

using Bytes = std::vector<uint8_t>;

inline void put_u8(Bytes& out, uint8_t v) { out.push_back(v); }

inline void put_u16(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void put_u32(Bytes& out, uint32_t v) {
  put_u16(out, static_cast<uint16_t>(v));
  put_u16(out, static_cast<uint16_t>(v >> 16));
}

// The characters of `s` without a terminator (chunk identifiers, texts).
// (A loop: GCC 12 wrongly reports an overflow for a range insert here.)
inline void put_chars(Bytes& out, std::string_view s) {
  for (char c : s) out.push_back(static_cast<uint8_t>(c));
}

// Overwrites a 32-bit field written earlier, once its value is known.
inline void patch_u32(Bytes& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace assets
