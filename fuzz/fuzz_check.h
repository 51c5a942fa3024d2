// What the fuzz targets share: a failed property is a crash with a message,
// so libFuzzer keeps the input that broke it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                     \
  do {                                                                            \
    if (!(condition)) {                                                           \
      std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

// The input as a zero-terminated text, cut at its first zero byte as the
// program's texts are.
inline std::string fuzz_text(const uint8_t* data, std::size_t size) {
  std::string s(reinterpret_cast<const char*>(data), size);
  return s.substr(0, s.find('\0'));
}

// Reads every byte, as a user of the found bytes would: AddressSanitizer
// catches a pointer or a size that left the input.
inline void read_all(const unsigned char* bytes, std::size_t size) {
  volatile unsigned sum = 0;
  for (std::size_t i = 0; i < size; ++i) sum = sum + bytes[i];
}
