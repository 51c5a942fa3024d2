#include "alarm_sound.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "chime.h"
#include "wave_file.h"

namespace assets {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Note {
  double at;         // seconds from the start of the phrase
  double frequency;  // Hz
  double pan;        // -1 left .. +1 right
};

constexpr double kC5 = 523.25, kE5 = 659.26, kG5 = 783.99, kC6 = 1046.50;

constexpr Note kPhrase[] = {
    {0.00, kC5, -0.30}, {0.18, kE5, -0.10}, {0.36, kG5, 0.10}, {0.54, kC6, 0.30},
    {1.00, kG5, 0.10},  {1.18, kC6, 0.30},
};

constexpr int kPhrases = 24;              // each about 2.4 s, filling the sound exactly
constexpr double kStrikeSeconds = 2.0;    // how long one strike rings
constexpr double kEndFadeSeconds = 0.3;   // the last phrase's ring fades out
constexpr double kPeak = 0.70;            // of full scale: about -3 dBFS

using Mix = std::vector<float>;  // interleaved, full scale 1.0

void add_strike(Mix& mix, const std::vector<float>& strike, size_t start_frame, double pan) {
  const double angle = (pan + 1) * kPi / 4;  // constant-power pan
  const float left = static_cast<float>(std::cos(angle));
  const float right = static_cast<float>(std::sin(angle));
  const size_t frames = mix.size() / kAlarmChannels;
  const size_t end = std::min(frames, start_frame + strike.size());
  for (size_t f = start_frame; f < end; ++f) {
    const float s = strike[f - start_frame];
    mix[2 * f] += s * left;
    mix[2 * f + 1] += s * right;
  }
}

Mix mix_phrases() {
  Mix mix(size_t{kAlarmFrames} * kAlarmChannels, 0.0f);
  const size_t strike_frames = static_cast<size_t>(kStrikeSeconds * kAlarmFramesPerSecond);
  std::map<double, std::vector<float>> strikes;  // one rendering per pitch
  for (const Note& n : kPhrase)
    if (!strikes.count(n.frequency))
      strikes[n.frequency] = strike_chime(n.frequency, kAlarmFramesPerSecond, strike_frames);
  const size_t phrase_frames = kAlarmFrames / kPhrases;
  for (int p = 0; p < kPhrases; ++p)
    for (const Note& n : kPhrase) {
      const size_t at = p * phrase_frames + static_cast<size_t>(n.at * kAlarmFramesPerSecond);
      add_strike(mix, strikes[n.frequency], at, n.pan);
    }
  return mix;
}

void fade_out_end(Mix& mix) {
  const size_t fade = static_cast<size_t>(kEndFadeSeconds * kAlarmFramesPerSecond);
  for (size_t i = 0; i < fade; ++i) {
    const float gain = static_cast<float>(i) / fade;  // 0 on the very last frame
    const size_t f = kAlarmFrames - 1 - i;
    mix[2 * f] *= gain;
    mix[2 * f + 1] *= gain;
  }
}

}  // namespace

std::vector<int16_t> synthesize_alarm() {
  Mix mix = mix_phrases();
  fade_out_end(mix);
  float peak = 0;
  for (float s : mix) peak = std::max(peak, std::fabs(s));
  const double scale = peak > 0 ? kPeak * 32767.0 / peak : 0.0;
  std::vector<int16_t> samples(mix.size());
  for (size_t i = 0; i < mix.size(); ++i)
    samples[i] = static_cast<int16_t>(std::lround(mix[i] * scale));
  return samples;
}

Bytes make_alarm_wave() {
  return write_wave({kAlarmChannels, kAlarmFramesPerSecond}, "Alarm chimes.", synthesize_alarm());
}

}  // namespace assets
