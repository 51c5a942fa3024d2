// The alarm sound's file layout, field by field: the program and its sound
// player rely on the exact sizes and on the chunks being where they are.
#include "wave_file.h"

#include <gtest/gtest.h>

#include "alarm_sound.h"
#include "read_le.h"

namespace {

using assets::Bytes;
using namespace assets_test;

const Bytes& alarm_wave() {
  static const Bytes wave = assets::make_alarm_wave();
  return wave;
}

TEST(AlarmWave, RiffHeaderSpansTheWholeFile) {
  const Bytes& w = alarm_wave();
  ASSERT_EQ(w.size(), 5'116'388u);
  EXPECT_EQ(tag(w, 0), "RIFF");
  EXPECT_EQ(u32(w, 4), 5'116'380u);
  EXPECT_EQ(tag(w, 8), "WAVE");
}

TEST(AlarmWave, FormatIsStereo16BitPcmAt22050) {
  const Bytes& w = alarm_wave();
  EXPECT_EQ(tag(w, 12), "fmt ");
  EXPECT_EQ(u32(w, 16), 18u);
  EXPECT_EQ(u16(w, 20), 1u);  // PCM
  EXPECT_EQ(u16(w, 22), 2u);
  EXPECT_EQ(u32(w, 24), 22'050u);
  EXPECT_EQ(u32(w, 28), 88'200u);
  EXPECT_EQ(u16(w, 32), 4u);
  EXPECT_EQ(u16(w, 34), 16u);
  EXPECT_EQ(u16(w, 36), 0u);  // extension size
}

// The INFO list holds sub-chunks of printable text only, and they fill it.
TEST(AlarmWave, InfoListHoldsPrintableTextThatFillsIt) {
  const Bytes& w = alarm_wave();
  ASSERT_EQ(tag(w, 38), "LIST");
  ASSERT_EQ(u32(w, 42), 26u);
  EXPECT_EQ(tag(w, 46), "INFO");
  const size_t end = 46 + 26;
  size_t at = 50;
  while (at < end) {
    const uint32_t size = u32(w, at + 4);
    ASSERT_LE(at + 8 + size, end);
    ASSERT_GT(size, 1u);
    EXPECT_EQ(w[at + 8 + size - 1], 0) << "text ends with its NUL";
    for (size_t i = at + 8; i < at + 8 + size - 1; ++i) EXPECT_TRUE(w[i] >= 0x20 && w[i] < 0x7F) << i;
    at += 8 + size + (size & 1);
  }
  EXPECT_EQ(at, end);
}

TEST(AlarmWave, DataChunkHoldsEveryFrameLittleEndianAndEndsTheFile) {
  const Bytes& w = alarm_wave();
  ASSERT_EQ(tag(w, 72), "data");
  ASSERT_EQ(u32(w, 76), 5'116'308u);
  EXPECT_EQ(80 + 5'116'308u, w.size());
  const std::vector<int16_t> samples = assets::synthesize_alarm();
  ASSERT_EQ(samples.size() * 2, 5'116'308u);
  for (size_t i = 0; i < samples.size(); ++i)
    if (static_cast<int16_t>(u16(w, 80 + 2 * i)) != samples[i]) FAIL() << "sample " << i;
}

// A comment of odd length gets the pad byte RIFF asks for, and the chunks
// after it and the RIFF size still line up.
TEST(WaveFile, PadsAnOddCommentAndKeepsTheChunksAligned) {
  const Bytes w = assets::write_wave({1, 8000}, "ab", {1, -2, 3});
  ASSERT_EQ(tag(w, 38), "LIST");
  EXPECT_EQ(u32(w, 42), 4u + 8 + 4);
  EXPECT_EQ(u32(w, 54), 3u);  // the text's own size excludes the pad
  ASSERT_EQ(tag(w, 62), "data");
  EXPECT_EQ(u32(w, 66), 6u);
  EXPECT_EQ(static_cast<int16_t>(u16(w, 72)), -2);
  EXPECT_EQ(w.size(), 76u);
  EXPECT_EQ(u32(w, 4), 68u);
}

}  // namespace
