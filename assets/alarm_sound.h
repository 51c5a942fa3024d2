// The program's alarm: a bright four-note chime rising through a major
// chord, answered by its top two notes, then a pause, repeated for the
// length of the sound. Stereo, with the notes spread a little from left to
// right, and kept well below full scale.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_writer.h"

namespace assets {

constexpr uint16_t kAlarmChannels = 2;
constexpr uint32_t kAlarmFramesPerSecond = 22050;
constexpr uint32_t kAlarmFrames = 1'279'077;  // 58.008 seconds

// The alarm's samples, interleaved left, right.
std::vector<int16_t> synthesize_alarm();

// The alarm as the complete WAVE file that the program embeds.
Bytes make_alarm_wave();

}  // namespace assets
