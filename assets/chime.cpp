#include "chime.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Partial {
  double ratio;      // of the fundamental
  double amplitude;  // at the strike
  double decay;      // seconds to fall to 1/e
};

// The low partials are harmonic and ring longest; the two slightly
// inharmonic upper ones give the metallic strike and die within a beat.
constexpr Partial kPartials[] = {
    {1.0, 1.00, 1.10},
    {2.0, 0.42, 0.55},
    {3.0, 0.18, 0.30},
    {4.16, 0.10, 0.12},
    {5.43, 0.05, 0.07},
};

constexpr double kAttackSeconds = 0.004;  // soft enough not to click
constexpr double kReleaseSeconds = 0.25;  // fade-out at the end of the strike

double envelope(size_t i, size_t length, uint32_t rate) {
  const double t = static_cast<double>(i) / rate;
  const double left = static_cast<double>(length - i) / rate;
  double gain = 1.0;
  if (t < kAttackSeconds) gain *= 0.5 - 0.5 * std::cos(kPi * t / kAttackSeconds);
  if (left < kReleaseSeconds) gain *= left / kReleaseSeconds;
  return gain;
}

}  // namespace

std::vector<float> strike_chime(double frequency, uint32_t rate, size_t length) {
  std::vector<float> wave(length);
  for (const Partial& p : kPartials) {
    const double f = frequency * p.ratio;
    if (f >= rate / 2.0) continue;  // would alias
    const double step = 2 * kPi * f / rate;
    const double fade = std::exp(-1.0 / (p.decay * rate));
    double gain = p.amplitude;
    for (size_t i = 0; i < length; ++i) {
      wave[i] += static_cast<float>(gain * std::sin(step * static_cast<double>(i)));
      gain *= fade;
    }
  }
  for (size_t i = 0; i < length; ++i) wave[i] *= static_cast<float>(envelope(i, length, rate));
  return wave;
}

}  // namespace assets
