// A small square canvas for drawing the icon procedurally. Shapes are given
// as signed distance functions (in pixels, negative inside) and painted with
// 4 x 4 supersampling, so edges are anti-aliased and thin strokes keep their
// weight even at 16 pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assets {

// A colour with straight (not premultiplied) alpha, each part 0..1.
struct Colour {
  float r, g, b, a;
};

// The 8-bit form the icon file is written from.
struct Rgba8 {
  uint8_t r, g, b, a;
};

// A finished picture: `size` x `size` pixels, rows top-down.
struct Picture {
  int size = 0;
  std::vector<Rgba8> pixels;
  const Rgba8& at(int x, int y) const { return pixels[static_cast<size_t>(y) * size + x]; }
};

// Distance from a point to a shape's edge, negative inside; coordinates in
// pixels with (0, 0) at the top-left corner of the canvas.
using Shape = std::function<double(double x, double y)>;
// The colour to paint at a point, for gradients.
using Paint = std::function<Colour(double x, double y)>;

class Canvas {
 public:
  explicit Canvas(int size);
  int size() const { return size_; }

  // Paints over what is there ("over" compositing). `softness` widens the
  // edge to that many pixels, for shadows.
  void fill(const Shape& shape, const Paint& paint, double softness = 0);
  void fill(const Shape& shape, Colour colour, double softness = 0);

  Picture picture() const;

 private:
  struct Premultiplied {
    float r = 0, g = 0, b = 0, a = 0;
  };
  double coverage(const Shape& shape, int x, int y, double softness) const;

  int size_;
  std::vector<Premultiplied> pixels_;
};

// Shapes.
Shape disc(double cx, double cy, double radius);
// A stroke from (x0, y0) to (x1, y1), `width` wide, with round ends.
Shape stroke(double x0, double y0, double x1, double y1, double width);

}  // namespace assets
