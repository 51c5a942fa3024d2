// WAVE file images made up by the sound tests: PCM, stereo, 16 bits.
#pragma once

#include <cstdint>
#include <vector>

namespace sound_test {

constexpr std::size_t kHeaderBytes = 44;  // RIFF, "fmt " of 16 bytes, "data" header

// A WAVE file with `n` data bytes that change from byte to byte, so that
// pieces out of place show, at `rate` samples per second.
inline std::vector<unsigned char> pcm_wave(uint32_t n, uint32_t rate = 22050) {
  std::vector<unsigned char> f;
  auto put = [&f](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto id = [&f](const char* s) { f.insert(f.end(), s, s + 4); };
  id("RIFF"), put(36 + n, 4), id("WAVE"), id("fmt "), put(16, 4);
  put(1, 2), put(2, 2), put(rate, 4), put(rate * 4, 4), put(4, 2), put(16, 2);
  id("data"), put(n, 4);
  for (uint32_t i = 0; i < n; ++i) f.push_back(static_cast<unsigned char>(i * 7 + i / 251));
  return f;
}

}  // namespace sound_test
