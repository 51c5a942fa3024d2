#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

constexpr int kSubsamples = 4;  // per axis

uint8_t to_byte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

Canvas::Canvas(int size) : size_(size), pixels_(static_cast<size_t>(size) * size) {}

// Each subsample is itself anti-aliased by its distance to the edge, over a
// band one subsample wide (or `softness` pixels, when wider).
double Canvas::coverage(const Shape& shape, int x, int y, double softness) const {
  const double band = std::max(1.0 / kSubsamples, softness);
  double sum = 0;
  for (int j = 0; j < kSubsamples; ++j)
    for (int i = 0; i < kSubsamples; ++i) {
      const double d = shape(x + (i + 0.5) / kSubsamples, y + (j + 0.5) / kSubsamples);
      sum += std::clamp(0.5 - d / band, 0.0, 1.0);
    }
  return sum / (kSubsamples * kSubsamples);
}

void Canvas::fill(const Shape& shape, const Paint& paint, double softness) {
  for (int y = 0; y < size_; ++y)
    for (int x = 0; x < size_; ++x) {
      const double c = coverage(shape, x, y, softness);
      if (c <= 0) continue;
      const Colour src = paint(x + 0.5, y + 0.5);
      const float a = static_cast<float>(src.a * c);
      Premultiplied& dst = pixels_[static_cast<size_t>(y) * size_ + x];
      dst.r = src.r * a + dst.r * (1 - a);
      dst.g = src.g * a + dst.g * (1 - a);
      dst.b = src.b * a + dst.b * (1 - a);
      dst.a = a + dst.a * (1 - a);
    }
}

void Canvas::fill(const Shape& shape, Colour colour, double softness) {
  fill(shape, [colour](double, double) { return colour; }, softness);
}

Picture Canvas::picture() const {
  Picture out;
  out.size = size_;
  out.pixels.reserve(pixels_.size());
  for (const Premultiplied& p : pixels_) {
    const uint8_t a = to_byte(p.a);
    if (a == 0) {
      out.pixels.push_back({0, 0, 0, 0});
      continue;
    }
    out.pixels.push_back({to_byte(p.r / p.a), to_byte(p.g / p.a), to_byte(p.b / p.a), a});
  }
  return out;
}

Shape disc(double cx, double cy, double radius) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape stroke(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - width / 2;
  };
}

}  // namespace assets
