// The chunk walk of a WAVE file: whatever the bytes say, a sound it finds
// lies inside them, and its format record holds what its extension size
// promises.
#include "fuzz_check.h"
#include "sound/wave_chunks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const auto sound = rt::sound::read_wave(data, size);
  if (!sound) return 0;
  FUZZ_CHECK(sound->samples > data && sound->sample_size > 0);
  FUZZ_CHECK(sound->sample_size <= size - static_cast<std::size_t>(sound->samples - data));
  const std::vector<unsigned char>& format = sound->format;
  FUZZ_CHECK(format.size() >= 18);
  FUZZ_CHECK(static_cast<std::size_t>(format[16] | format[17] << 8) == format.size() - 18);
  read_all(sound->samples, sound->sample_size);
  return 0;
}
