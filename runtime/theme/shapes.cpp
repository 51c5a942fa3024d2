#include "theme/shapes.h"

namespace rt::theme {

PushButtonRects push_button_rects(const Rect& client) {
  const Rect border = client.shrunk(1);
  const Rect ring = border.shrunk(1);
  return {border, ring, ring.shrunk(2)};
}

std::array<CornerPixel, 16> push_button_corners(const Rect& c) {
  // Relative to the client rectangle; r and b are the last column and row.
  const int l = c.left, t = c.top, r = c.right - 1, b = c.bottom - 1;
  using T = CornerTone;
  return {{
      {{l + 1, t + 1}, T::Face},
      {{l + 1, b - 1}, T::Face},
      {{r - 1, b - 1}, T::Face},
      {{r - 1, t + 1}, T::Face},
      {{l + 2, t + 2}, T::BorderInner},
      {{l + 2, b - 2}, T::BorderInner},
      {{r - 2, b - 2}, T::BorderInner},
      {{r - 2, t + 2}, T::BorderInner},
      {{l + 1, t + 2}, T::BorderEdge},
      {{l + 2, t + 1}, T::BorderEdge},
      {{r - 2, t + 1}, T::BorderEdge},
      {{r - 1, t + 2}, T::BorderEdge},
      {{r - 2, b - 1}, T::BorderEdge},
      {{r - 1, b - 2}, T::BorderEdge},
      {{l + 2, b - 1}, T::BorderEdge},
      {{l + 1, b - 2}, T::BorderEdge},
  }};
}

CheckBoxPlacement place_check_box(const Rect& k, uint32_t style) {
  constexpr uint32_t kLeftText = 0x20, kTop = 0x400, kBottom = 0x800;
  constexpr int kTextGap = 18;  // the box and the space after it
  Rect box{}, text = k;
  if (style & kLeftText) {
    box.left = k.right - kCheckBoxSize;
    text.right -= kTextGap;
  } else {
    box.left = k.left;
    text.left += kTextGap;
  }
  const uint32_t vertical = style & (kTop | kBottom);
  if (vertical == kBottom) {
    box.top = k.bottom - kCheckBoxSize;
    text.top = k.bottom - kTextGap;
  } else if (vertical == (kTop | kBottom)) {
    box.top = k.top + (k.height() - kCheckBoxSize) / 2;
  } else {
    box.top = k.top;
    text.top += 1;
  }
  box.right = box.left + kCheckBoxSize;
  box.bottom = box.top + kCheckBoxSize;
  return {box, text};
}

std::array<Stroke, 7> tick_strokes(const Rect& inner) {
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  std::array<Stroke, 7> strokes{};
  for (int i = 0; i < 7; ++i) strokes[i] = {inner.left + i, inner.top + kTop[i], inner.top + kTop[i] + 3};
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
