// Finding the samples and their format inside a RIFF WAVE file held in
// memory. Nothing here trusts a size field: every read stays inside the
// bytes the caller gave.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace rt::sound {

struct WaveSound {
  // The wave format record for the device: the "fmt " contents, at least 18
  // bytes long (zero-filled past a 16-byte chunk), its extension size never
  // promising more bytes than the record holds.
  std::vector<unsigned char> format;
  // The contents of the "data" chunk, inside the caller's bytes.
  const unsigned char* samples;
  std::size_t sample_size;
};

// A sound that is a playable WAVE file: at least 36 bytes, "RIFF" with the
// form type "WAVE", a "fmt " chunk of at least 16 bytes and a non-empty
// "data" chunk. Anything else (a standard MIDI file included) gives nothing.
//
// The chunk walk starts at offset 12 and takes chunks in any order, skipping
// those it does not need ("LIST" and the like); a later "fmt " or "data"
// replaces an earlier one, and the walk stops once it has both. It never
// starts a chunk at or past 12 + the RIFF size, nor reads past the end of the
// sound: a chunk whose size runs past the end keeps the bytes that are there.
// A chunk of odd size is followed by one padding byte, as RIFF writers put it.
std::optional<WaveSound> read_wave(const unsigned char* bytes, std::size_t size);

}  // namespace rt::sound
