// One struck chime: a few sine partials, each fading at its own rate, so the
// strike is bright and the ring that follows is a soft, pure tone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

// The mono waveform of one strike at `frequency` Hz, `length` samples long,
// at `rate` samples per second. Its peak lies near 1.0; it fades out over
// its last quarter second, so ending it there makes no click.
std::vector<float> strike_chime(double frequency, uint32_t rate, size_t length);

}  // namespace assets
