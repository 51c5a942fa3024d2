#include "theme/shapes.h"

#include <cstddef>

namespace rt::theme {

PushButtonRects push_button_rects(const Rect& client, const Scale& s) {
  const Rect border = client.shrunk(s.line());
  const Rect ring = border.shrunk(s.line());
  return {border, ring, ring.shrunk(s.to_device(2))};
}

std::array<CornerPixel, 16> push_button_corners(const Rect& c, const Scale& s) {
  // The square `kx` lines in from the left (or, `right`, from the right)
  // and `ky` lines down from the top (or up from the bottom).
  const int n = s.line();
  const auto at = [&c, n](int kx, bool right, int ky, bool bottom) {
    const int x = right ? c.right - (kx + 1) * n : c.left + kx * n;
    const int y = bottom ? c.bottom - (ky + 1) * n : c.top + ky * n;
    return Rect{x, y, x + n, y + n};
  };
  constexpr bool L = false, R = true, T = false, B = true;
  using Tone = CornerTone;
  return {{
      {at(1, L, 1, T), Tone::Face},
      {at(1, L, 1, B), Tone::Face},
      {at(1, R, 1, B), Tone::Face},
      {at(1, R, 1, T), Tone::Face},
      {at(2, L, 2, T), Tone::BorderInner},
      {at(2, L, 2, B), Tone::BorderInner},
      {at(2, R, 2, B), Tone::BorderInner},
      {at(2, R, 2, T), Tone::BorderInner},
      {at(1, L, 2, T), Tone::BorderEdge},
      {at(2, L, 1, T), Tone::BorderEdge},
      {at(2, R, 1, T), Tone::BorderEdge},
      {at(1, R, 2, T), Tone::BorderEdge},
      {at(2, R, 1, B), Tone::BorderEdge},
      {at(1, R, 2, B), Tone::BorderEdge},
      {at(2, L, 1, B), Tone::BorderEdge},
      {at(1, L, 2, B), Tone::BorderEdge},
  }};
}

CheckBoxPlacement place_check_box(const Rect& k, uint32_t style, const Scale& s) {
  constexpr uint32_t kLeftText = 0x20, kTop = 0x400, kBottom = 0x800;
  const int size = s.to_device(kCheckBoxSize);
  const int gap = s.to_device(18);  // the box and the space after it
  Rect box{}, text = k;
  if (style & kLeftText) {
    box.left = k.right - size;
    text.right -= gap;
  } else {
    box.left = k.left;
    text.left += gap;
  }
  const uint32_t vertical = style & (kTop | kBottom);
  if (vertical == kBottom) {
    box.top = k.bottom - size;
    text.top = k.bottom - gap;
  } else if (vertical == (kTop | kBottom)) {
    box.top = k.top + (k.height() - size) / 2;
  } else {
    box.top = k.top;
    text.top += s.line();
  }
  box.right = box.left + size;
  box.bottom = box.top + size;
  return {box, text};
}

Rect grid_cell(const Rect& a, int columns, int rows, int x, int y) {
  const int w = a.width() > 0 ? a.width() : 0, h = a.height() > 0 ? a.height() : 0;
  return {a.left + x * w / columns, a.top + y * h / rows, a.left + (x + 1) * w / columns,
          a.top + (y + 1) * h / rows};
}

std::array<Rect, 7> tick_strokes(const Rect& inner) {
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  std::array<Rect, 7> strokes{};
  for (int i = 0; i < 7; ++i) {
    const Rect first = grid_cell(inner, 7, 7, i, kTop[i]), last = grid_cell(inner, 7, 7, i, kTop[i] + 2);
    strokes[i] = {first.left, first.top, last.right, last.bottom};
  }
  return strokes;
}

std::array<Polyline, 3> chevron(const Rect& a, Direction d) {
  // Offsets from the centre of a chevron pointing down.
  static constexpr Point kDown[3][3] = {
      {{-4, -2}, {0, 2}, {5, -3}},
      {{-3, -2}, {0, 1}, {4, -3}},
      {{-3, -3}, {0, 0}, {4, -4}},
  };
  const Point c{a.left + (a.right - a.left) / 2, a.top + (a.bottom - a.top) / 2};
  const auto turn = [d](Point p) -> Point {
    switch (d) {
      case Direction::Up:
        return {p.x, -p.y};
      case Direction::Right:
        return {p.y, p.x};
      case Direction::Left:
        return {-p.y, p.x};
      default:
        return p;
    }
  };
  std::array<Polyline, 3> lines{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const Point p = turn(kDown[i][j]);
      lines[i][j] = {c.x + p.x, c.y + p.y};
    }
  return lines;
}

std::array<Rect, kChevronPixels> chevron_pixels(const Rect& button, Direction d, const Scale& s) {
  const Point c{button.left + (button.right - button.left) / 2, button.top + (button.bottom - button.top) / 2};
  const int n = s.line();
  std::array<Rect, kChevronPixels> pixels{};
  std::size_t count = 0;
  const auto put = [&](Point p) {
    const int x = c.x + (p.x - c.x) * n, y = c.y + (p.y - c.y) * n;
    if (count < pixels.size()) pixels[count++] = {x, y, x + n, y + n};
  };
  // Every segment is diagonal: one step on each axis per pixel, its end
  // left out as LineTo leaves it out (the next segment starts there).
  for (const Polyline& line : chevron(button, d))
    for (std::size_t i = 1; i < line.size(); ++i) {
      const Point from = line[i - 1], to = line[i];
      const int steps = to.x > from.x ? to.x - from.x : from.x - to.x;
      const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
      for (int k = 0; k < steps; ++k) put({from.x + k * sx, from.y + k * sy});
    }
  return pixels;
}

Rect combo_button(const Rect& inside, int width) {
  const int w = width < 0 ? 0 : (width > inside.width() ? inside.width() : width);
  return {inside.right - w, inside.top, inside.right, inside.bottom};
}

const std::array<const char*, kCheckBoxSize> kRadioOutline = {{
    "....ooooo....",
    "..oo     oo..",
    ".o         o.",
    ".o         o.",
    "o           o",
    "o           o",
    "o           o",
    "o           o",
    "o           o",
    ".o         o.",
    ".o         o.",
    "..oo     oo..",
    "....ooooo....",
}};

const std::array<const char*, 5> kRadioDot = {{
    ".###.",
    "#####",
    "#####",
    "#####",
    ".###.",
}};

}  // namespace rt::theme
