// Reading little-endian fields back out of a generated file image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets_test {

inline uint32_t u16(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
inline uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }
inline std::string tag(const std::vector<uint8_t>& b, size_t at) {
  return std::string(reinterpret_cast<const char*>(&b.at(at)), 4);
}

}  // namespace assets_test
