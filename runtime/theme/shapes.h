// Where the themed painting puts things: the rings of a push button and its
// rounded corners, the place of a check box by its style bits, the tick,
// the chevron of an arrow button and the round outline of a radio button.
// Rectangles are GDI's: right and bottom are exclusive.
#pragma once

#include <array>
#include <cstdint>

namespace rt::theme {

struct Point {
  int x, y;
  friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
};

struct Rect {
  int left, top, right, bottom;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  Rect shrunk(int n) const { return {left + n, top + n, right - n, bottom - n}; }
  Rect grown(int n) const { return shrunk(-n); }
  Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

// A push button over its client rectangle: a frame in the background, the
// border inside it, the state ring, and the face 2 pixels further in.
struct PushButtonRects {
  Rect border;  // framed in the border colour
  Rect ring;    // filled with the state's ring
  Rect face;    // filled with the face; the text goes here
};
PushButtonRects push_button_rects(const Rect& client);

// The 16 pixels that round a push button's corners, with the colour each
// takes: the background face, or one of two shades of the border.
enum class CornerTone { Face, BorderInner, BorderEdge };
struct CornerPixel {
  Point at;
  CornerTone tone;
};
std::array<CornerPixel, 16> push_button_corners(const Rect& client);

// A check box's 13 x 13 box and its text rectangle inside the client
// rectangle, placed by the style's BS_LEFTTEXT, BS_TOP and BS_BOTTOM bits.
constexpr int kCheckBoxSize = 13;
struct CheckBoxPlacement {
  Rect box;
  Rect text;
};
CheckBoxPlacement place_check_box(const Rect& client, uint32_t style);

// Inside the box's frame: the square its gradient fills, and 2 pixels
// further in the square of the tick and the flat fills.
inline Rect check_box_gradient(const Rect& box) { return box.shrunk(1); }
inline Rect check_box_inner(const Rect& box) { return box.shrunk(3); }

// The tick: vertical strokes of 3 pixels, from `top` to `bottom` (exclusive).
struct Stroke {
  int x, top, bottom;
};
std::array<Stroke, 7> tick_strokes(const Rect& inner);

// Three polylines of three points, drawn as LineTo draws (the last point
// left out), around the centre of `button`.
enum class Direction { Down, Up, Left, Right };
using Polyline = std::array<Point, 3>;
std::array<Polyline, 3> chevron(const Rect& button, Direction pointing = Direction::Down);

// The drop-down button of a combo box: the rightmost strip of `inside` (the
// window rectangle less its two frames), `width` wide, never wider than
// `inside` itself.
Rect combo_button(const Rect& inside, int width);

// A radio button's round outline in its 13 x 13 box, and the dot of a
// checked one (5 x 5, centred): one text row per pixel row, 'o' where the
// outline goes, '#' the dot, '.' outside the circle, ' ' inside.
extern const std::array<const char*, kCheckBoxSize> kRadioOutline;
extern const std::array<const char*, 5> kRadioDot;

}  // namespace rt::theme
