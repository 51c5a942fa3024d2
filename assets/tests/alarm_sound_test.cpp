// The alarm must be heard and must not distort: levels measured over the
// whole sound, per channel, and in short windows for silent stretches.
#include "alarm_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using assets::kAlarmFrames;
using assets::kAlarmFramesPerSecond;

const std::vector<int16_t>& alarm() {
  static const std::vector<int16_t> samples = assets::synthesize_alarm();
  return samples;
}

double dbfs(double level) { return 20 * std::log10(std::max(level, 1e-9) / 32768.0); }

// RMS of one channel over frames [from, to).
double rms(int channel, size_t from, size_t to) {
  double sum = 0;
  for (size_t f = from; f < to; ++f) {
    const double s = alarm()[2 * f + channel];
    sum += s * s;
  }
  return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(AlarmSound, FillsEveryFrameOfBothChannels) { EXPECT_EQ(alarm().size(), 2u * kAlarmFrames); }

// Loud enough to be an alarm, with headroom left so nothing ever clips.
TEST(AlarmSound, PeaksWellBelowFullScale) {
  int peak = 0;
  for (int16_t s : alarm()) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_LT(dbfs(peak), -1.0);
  EXPECT_GT(dbfs(peak), -6.0);
}

TEST(AlarmSound, BothChannelsAreClearlyAudibleOverTheWholeSound) {
  const double left = dbfs(rms(0, 0, kAlarmFrames));
  const double right = dbfs(rms(1, 0, kAlarmFrames));
  EXPECT_GT(left, -22.0);
  EXPECT_GT(right, -22.0);
  EXPECT_LT(std::fabs(left - right), 3.0) << "one channel much quieter";
}

// The pauses between phrases still ring; no stretch of 50 ms windows is
// near-silent for longer than a beat, up to the fade at the very end.
TEST(AlarmSound, NeverFallsSilentBetweenPhrases) {
  const size_t window = kAlarmFramesPerSecond / 20;
  const size_t end = kAlarmFrames - kAlarmFramesPerSecond / 2;
  size_t run = 0, longest = 0;
  for (size_t f = 0; f + window <= end; f += window) {
    const bool quiet = std::max(dbfs(rms(0, f, f + window)), dbfs(rms(1, f, f + window))) < -40.0;
    run = quiet ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LE(longest * window, kAlarmFramesPerSecond / 4) << "silent for " << longest * window << " frames";
}

// The first and last samples sit at zero, so neither starting nor the end
// of playback clicks; and the signal is centred on zero.
TEST(AlarmSound, StartsAndEndsAtRestWithoutOffset) {
  const std::vector<int16_t>& s = alarm();
  for (int c = 0; c < 2; ++c) {
    EXPECT_LE(std::abs(s[c]), 16) << "channel " << c;
    EXPECT_LE(std::abs(s[s.size() - 2 + c]), 16) << "channel " << c;
  }
  double sum = 0;
  for (int16_t v : s) sum += v;
  EXPECT_LT(std::fabs(sum / static_cast<double>(s.size())), 32.0);
}

}  // namespace
