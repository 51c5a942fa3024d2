#include "clock_face.h"

#include <algorithm>
#include <cmath>

namespace assets {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr Colour rgb(int r, int g, int b, float a = 1.0f) {
  return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Colour mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const auto m = [t](float x, float y) { return static_cast<float>(x + (y - x) * t); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

constexpr Colour kRimTop = rgb(64, 144, 222);
constexpr Colour kRimBottom = rgb(22, 74, 152);
constexpr Colour kFaceCentre = rgb(255, 255, 255);
constexpr Colour kFaceEdge = rgb(222, 229, 238);
constexpr Colour kInk = rgb(38, 43, 52);
constexpr Colour kTick = rgb(92, 102, 118);
constexpr Colour kRed = rgb(214, 48, 38);

// The face's geometry for one size, in pixels.
struct Face {
  double c;       // centre, on both axes
  double outer;   // radius of the rim's outside
  double inner;   // radius of the white face
  double n;       // the icon size
  // The point `fraction` of the face radius out from the centre, in the
  // direction of the clock hour `hour` (0 to 12, 12 at the top).
  double x(double hour, double fraction) const { return c + fraction * inner * std::sin(hour * kPi / 6); }
  double y(double hour, double fraction) const { return c - fraction * inner * std::cos(hour * kPi / 6); }
};

Face layout(int size) {
  Face f;
  f.n = size;
  f.c = size / 2.0;
  f.outer = size < 48 ? size / 2.0 - 0.3 : size * 0.45;
  f.inner = f.outer - std::max(1.6, size * 0.085);
  return f;
}

void draw_body(Canvas& canvas, const Face& f) {
  if (f.n >= 48) canvas.fill(disc(f.c, f.c + f.n * 0.025, f.outer), rgb(0, 0, 0, 0.35f), f.n * 0.05);
  const double top = f.c - f.outer, height = 2 * f.outer;
  canvas.fill(disc(f.c, f.c, f.outer),
              [=](double, double y) { return mix(kRimTop, kRimBottom, (y - top) / height); });
  canvas.fill(disc(f.c, f.c, f.inner), [=](double x, double y) {
    return mix(kFaceCentre, kFaceEdge, std::hypot(x - f.c, y - f.c) / f.inner);
  });
}

void draw_ticks(Canvas& canvas, const Face& f) {
  if (f.n < 32) return;
  for (int hour = 0; hour < 12; ++hour) {
    const bool quarter = hour % 3 == 0;
    const double from = quarter ? 0.70 : 0.78;
    const double width = std::max(1.0, f.n * (quarter ? 0.045 : 0.025));
    canvas.fill(stroke(f.x(hour, from), f.y(hour, from), f.x(hour, 0.88), f.y(hour, 0.88), width), kTick);
  }
}

// Three o'clock: both hands lie on the pixel grid through the centre, so at
// 16 pixels they are crisp two-pixel strokes rather than grey smears.
// Below 32 pixels the hands are shorter, so their round tips keep a light
// pixel between them and the rim.
void draw_hands(Canvas& canvas, const Face& f) {
  const double hour = f.n < 32 ? 0.45 : 0.52, minute = f.n < 32 ? 0.66 : 0.80;
  canvas.fill(stroke(f.c, f.c, f.x(3, hour), f.y(3, hour), std::max(2.0, f.n * 0.075)), kInk);
  canvas.fill(stroke(f.c, f.c, f.x(0, minute), f.y(0, minute), std::max(2.0, f.n * 0.055)), kInk);
  if (f.n >= 48) {
    const double second = 7.2;
    canvas.fill(stroke(f.x(second, -0.18), f.y(second, -0.18), f.x(second, 0.86), f.y(second, 0.86),
                       std::max(1.0, f.n * 0.018)),
                kRed);
  }
  canvas.fill(disc(f.c, f.c, std::max(1.1, f.n * 0.055)), kInk);
  if (f.n >= 48) canvas.fill(disc(f.c, f.c, f.n * 0.025), kRed);
}

}  // namespace

Picture draw_clock_face(int size) {
  Canvas canvas(size);
  const Face f = layout(size);
  draw_body(canvas, f);
  draw_ticks(canvas, f);
  draw_hands(canvas, f);
  return canvas.picture();
}

}  // namespace assets
