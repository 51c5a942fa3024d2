// A PCM RIFF WAVE file image: "fmt " (the 18-byte form with an empty
// extension), a "LIST"/"INFO" chunk holding one comment, then "data".
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "byte_writer.h"

namespace assets {

struct WaveFormat {
  uint16_t channels;
  uint32_t frames_per_second;
};

// `samples` are 16-bit, interleaved by channel; their count must be a whole
// number of frames.
Bytes write_wave(const WaveFormat& format, std::string_view comment, const std::vector<int16_t>& samples);

}  // namespace assets
