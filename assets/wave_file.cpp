#include "wave_file.h"

#include <stdexcept>

namespace assets {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kBitsPerSample = 16;

void put_format_chunk(Bytes& out, const WaveFormat& f) {
  const uint16_t align = static_cast<uint16_t>(f.channels * kBitsPerSample / 8);
  put_chars(out, "fmt ");
  put_u32(out, 18);
  put_u16(out, kPcm);
  put_u16(out, f.channels);
  put_u32(out, f.frames_per_second);
  put_u32(out, f.frames_per_second * align);
  put_u16(out, align);
  put_u16(out, kBitsPerSample);
  put_u16(out, 0);  // extension size: plain PCM has none
}

// A RIFF chunk's contents are followed by a pad byte when their size is odd.
void put_info_chunk(Bytes& out, std::string_view comment) {
  const uint32_t text_size = static_cast<uint32_t>(comment.size() + 1);  // with its NUL
  const uint32_t text_padded = text_size + (text_size & 1);
  put_chars(out, "LIST");
  put_u32(out, 4 + 8 + text_padded);
  put_chars(out, "INFO");
  put_chars(out, "ICMT");
  put_u32(out, text_size);
  put_chars(out, comment);
  put_u8(out, 0);
  if (text_size & 1) put_u8(out, 0);
}

void put_data_chunk(Bytes& out, const std::vector<int16_t>& samples) {
  put_chars(out, "data");
  put_u32(out, static_cast<uint32_t>(samples.size() * 2));
  for (int16_t s : samples) put_u16(out, static_cast<uint16_t>(s));
}

}  // namespace

Bytes write_wave(const WaveFormat& format, std::string_view comment, const std::vector<int16_t>& samples) {
  if (format.channels == 0 || samples.size() % format.channels != 0)
    throw std::invalid_argument("wave samples are not whole frames");
  Bytes out;
  out.reserve(64 + comment.size() + samples.size() * 2);
  put_chars(out, "RIFF");
  put_u32(out, 0);  // patched below
  put_chars(out, "WAVE");
  put_format_chunk(out, format);
  put_info_chunk(out, comment);
  put_data_chunk(out, samples);
  patch_u32(out, 4, static_cast<uint32_t>(out.size() - 8));
  return out;
}

}  // namespace assets
