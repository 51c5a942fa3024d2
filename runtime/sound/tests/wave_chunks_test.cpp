// The chunk walk over made-up files: where it finds the format and the
// samples, and that no size field can lead it outside the bytes it is given
// (the sanitizer build checks every read).
#include "sound/wave_chunks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void put32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

struct Chunk {
  std::string id;
  Bytes contents;
  std::optional<uint32_t> declared = std::nullopt;  // a size field that lies
  bool pad = true;                                  // the padding byte after odd contents
};

// 2 channels, 22050 frames per second, 16 bits; `extension` as the 18-byte form's last field.
Bytes pcm_format(std::optional<uint16_t> extension = 0) {
  Bytes f = {1, 0, 2, 0, 0x22, 0x56, 0, 0, 0x88, 0x58, 1, 0, 4, 0, 16, 0};
  if (extension) f.insert(f.end(), {static_cast<unsigned char>(*extension), static_cast<unsigned char>(*extension >> 8)});
  return f;
}

Bytes samples(std::size_t n) {
  Bytes s(n);
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<unsigned char>(1 + i);
  return s;
}

// A RIFF file of `chunks`; the RIFF size is the true one unless given.
Bytes riff(const std::vector<Chunk>& chunks, std::optional<uint32_t> riff_size = std::nullopt, const char* form = "WAVE") {
  Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 0, 0, 0, 0};
  std::copy(form, form + 4, out.begin() + 8);
  for (const Chunk& c : chunks) {
    out.insert(out.end(), c.id.begin(), c.id.end());
    put32(out, c.declared.value_or(static_cast<uint32_t>(c.contents.size())));
    out.insert(out.end(), c.contents.begin(), c.contents.end());
    if (c.pad && c.contents.size() % 2) out.push_back(0);
  }
  const uint32_t size = riff_size.value_or(static_cast<uint32_t>(out.size() - 8));
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<unsigned char>(size >> (8 * i));
  return out;
}

Bytes cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

const Bytes kFmt = pcm_format();
const Bytes kData = samples(40);
const Chunk kList{"LIST", Bytes(26, 'i')};
// fmt at 12, LIST at 38, data at 72: the alarm's layout.
const Bytes kUsual = riff({{"fmt ", kFmt}, kList, {"data", kData}});

struct Case {
  const char* name;
  Bytes file;
  std::optional<Bytes> heard;  // the samples found, or nothing for "not playable"
  // The format record for the device: 18 bytes and the extension its last
  // field announces, never more than the chunk holds.
  size_t extension = 0;
};

Bytes with_extension() {
  Bytes f = pcm_format(4);
  f.insert(f.end(), {9, 9, 9, 9, 7, 7});
  return f;
}

TEST(WaveChunks, FindsTheSamplesOrRefusesTheFile) {
  const Bytes odd(25, 'o');
  const Case cases[] = {
      {"fmt, LIST, data", kUsual, kData},
      {"data before fmt", riff({{"data", kData}, kList, {"fmt ", kFmt}}), kData},
      {"a later data chunk replaces an earlier one", riff({{"data", samples(4)}, {"data", kData}, {"fmt ", kFmt}}), kData},
      {"odd chunk and its padding byte", riff({{"fmt ", kFmt}, {"LIST", odd}, {"data", kData}}), kData},
      {"odd chunk without its padding byte", riff({{"fmt ", kFmt}, {"LIST", odd, std::nullopt, false}, {"data", kData}}),
       std::nullopt},
      {"odd data chunk at the end", riff({{"fmt ", kFmt}, {"data", samples(41)}}), samples(41)},
      {"no data chunk", riff({{"fmt ", kFmt}, kList}), std::nullopt},
      {"no fmt chunk", riff({kList, {"data", kData}}), std::nullopt},
      {"empty data chunk", riff({{"fmt ", kFmt}, {"data", {}}}), std::nullopt},
      {"fmt chunk too short for a format", riff({{"fmt ", Bytes(14, 1)}, {"data", kData}}), std::nullopt},
      {"16-byte PCM format", riff({{"fmt ", pcm_format(std::nullopt)}, {"data", kData}}), kData},
      {"format extension larger than the chunk", riff({{"fmt ", pcm_format(100)}, {"data", kData}}), kData},
      {"format extension of 4 bytes, 2 more after it", riff({{"fmt ", with_extension()}, {"data", kData}}), kData, 4},
      {"form type is not WAVE", riff({{"fmt ", kFmt}, {"data", kData}}, std::nullopt, "AVI "), std::nullopt},
      {"a MIDI file", Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 0,
                             0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       std::nullopt},
      {"35 bytes", cut(riff({{"fmt ", kFmt}, {"data", samples(20)}}), 35), std::nullopt},
      // Truncated files: the walk stops at the end of what is there.
      {"cut inside the data", cut(kUsual, 72 + 8 + 10), samples(10)},
      {"cut inside the data chunk's header", cut(kUsual, 72 + 6), std::nullopt},
      {"cut right after the data chunk's header", cut(kUsual, 72 + 8), std::nullopt},
      {"data size runs past the end", riff({{"fmt ", kFmt}, {"data", kData, 0xFFFFFFF0u}}), kData},
      {"LIST size runs past the end", riff({{"fmt ", kFmt}, {"LIST", Bytes(30), 0xFFFFFFFFu}, {"data", kData}}),
       std::nullopt},
      // RIFF sizes that lie: the walk starts no chunk at or past 12 + the size.
      {"RIFF size ends before data", riff({{"fmt ", kFmt}, kList, {"data", kData}}, 60), std::nullopt},
      {"RIFF size reaches the data header", riff({{"fmt ", kFmt}, kList, {"data", kData}}, 61), kData},
      {"RIFF size 0", riff({{"fmt ", kFmt}, {"data", kData}}, 0), std::nullopt},
      {"RIFF size far past the end", riff({{"fmt ", kFmt}, kList, {"data", kData}}, 0xFFFFFFFFu), kData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // An exact-size copy, so that any read past the end is caught.
    std::unique_ptr<unsigned char[]> exact(new unsigned char[c.file.size()]);
    std::copy(c.file.begin(), c.file.end(), exact.get());
    const auto wave = rt::sound::read_wave(exact.get(), c.file.size());
    ASSERT_EQ(wave.has_value(), c.heard.has_value());
    if (!wave) continue;
    EXPECT_EQ(Bytes(wave->samples, wave->samples + wave->sample_size), *c.heard);
    ASSERT_EQ(wave->format.size(), 18 + c.extension);
    EXPECT_EQ(Bytes(wave->format.begin(), wave->format.begin() + 16), pcm_format(std::nullopt));
    EXPECT_EQ(wave->format[16] | wave->format[17] << 8, static_cast<int>(c.extension));
  }
  EXPECT_FALSE(rt::sound::read_wave(nullptr, 100));
}

}  // namespace
