#include "sound/wave_chunks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace rt::sound {
namespace {

constexpr std::size_t kMinWaveFile = 36;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormat = 16;  // tag, channels, rate, bytes per second, alignment, bits
constexpr std::size_t kFormatRecord = 18;  // the same and the extension size

uint32_t le32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool is_id(const unsigned char* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// The record a device reads: the extension size (a 16-bit field at offset 16)
// is cut to the bytes that follow it, so the device never reads past it.
std::vector<unsigned char> format_record(const unsigned char* contents, std::size_t size) {
  std::vector<unsigned char> record(contents, contents + std::min<std::size_t>(size, kFormatRecord + 0xFFFF));
  if (record.size() < kFormatRecord) record.resize(kFormatRecord, 0);
  const std::size_t extension = std::min<std::size_t>(record[16] | record[17] << 8, record.size() - kFormatRecord);
  record[16] = static_cast<unsigned char>(extension);
  record[17] = static_cast<unsigned char>(extension >> 8);
  record.resize(kFormatRecord + extension);
  return record;
}

}  // namespace

std::optional<WaveSound> read_wave(const unsigned char* bytes, std::size_t size) {
  if (!bytes || size < kMinWaveFile || !is_id(bytes, "RIFF") || !is_id(bytes + 8, "WAVE")) return std::nullopt;
  const uint64_t riff_size = le32(bytes + 4);
  const unsigned char* format = nullptr;
  std::size_t format_size = 0;
  const unsigned char* samples = nullptr;
  std::size_t sample_size = 0;
  // 64-bit offsets: a size field near 4 GB must not wrap the walk around.
  for (uint64_t at = 12; at - 12 < riff_size && at + kChunkHeader <= size && !(format && samples);) {
    const unsigned char* chunk = bytes + at;
    const uint64_t declared = le32(chunk + 4);
    const std::size_t present = static_cast<std::size_t>(std::min<uint64_t>(declared, size - at - kChunkHeader));
    if (is_id(chunk, "fmt ")) {
      format = chunk + kChunkHeader;
      format_size = present;
    } else if (is_id(chunk, "data")) {
      samples = chunk + kChunkHeader;
      sample_size = present;
    }
    at += kChunkHeader + declared + (declared & 1);
  }
  if (!format || format_size < kPcmFormat || !samples || sample_size == 0) return std::nullopt;
  return WaveSound{format_record(format, format_size), samples, sample_size};
}

}  // namespace rt::sound
