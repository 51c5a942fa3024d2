// Where the themed painting puts things: the rings of a push button and its
// rounded corners, the place of a check box by its style bits, the tick,
// the chevron of an arrow button and the round outline of a radio button.
// Rectangles are GDI's: right and bottom are exclusive.
//
// Every shape is drawn at the scale of its control's window. At 96 DPI
// (the default Scale) a line is 1 pixel; at a larger scale a line, a
// corner pixel or a pixel of the chevron is a square of Scale::line()
// pixels, and sizes (the check box, the gaps) are scaled and rounded.
#pragma once

#include <array>
#include <cstdint>

#include "display/display_scale.h"

namespace rt::theme {

using rt::Scale;

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
PushButtonRects push_button_rects(const Rect& client, const Scale& s = Scale());

// The 16 pixels that round a push button's corners, with the colour each
// takes: the background face, or one of two shades of the border. At a
// larger scale each is a square as wide as a line.
enum class CornerTone { Face, BorderInner, BorderEdge };
struct CornerPixel {
  Rect at;
  CornerTone tone;
};
std::array<CornerPixel, 16> push_button_corners(const Rect& client, const Scale& s = Scale());

// A check box's box (13 x 13 at 96 DPI) and its text rectangle inside the
// client rectangle, placed by the style's BS_LEFTTEXT, BS_TOP and BS_BOTTOM
// bits.
constexpr int kCheckBoxSize = 13;
struct CheckBoxPlacement {
  Rect box;
  Rect text;
};
CheckBoxPlacement place_check_box(const Rect& client, uint32_t style, const Scale& s = Scale());

// Inside the box's frame: the square its gradient fills, and 2 pixels
// further in the square of the tick and the flat fills.
inline Rect check_box_gradient(const Rect& box, const Scale& s = Scale()) { return box.shrunk(s.line()); }
inline Rect check_box_inner(const Rect& box, const Scale& s = Scale()) {
  return box.shrunk(s.line() + s.to_device(2));
}

// The cell (x, y) of a grid of `columns` x `rows` laid over `area`: the
// pictures below drawn at the size of their area, each of their pixels a
// cell (at 96 DPI a single pixel).
Rect grid_cell(const Rect& area, int columns, int rows, int x, int y);

// The tick, drawn into the inner square as a picture of 7 x 7: seven
// vertical strokes of 3 pixels, one per column.
std::array<Rect, 7> tick_strokes(const Rect& inner);

// Three polylines of three points, drawn as LineTo draws (the last point
// left out), around the centre of `button`: the chevron at 96 DPI.
enum class Direction { Down, Up, Left, Right };
using Polyline = std::array<Point, 3>;
std::array<Polyline, 3> chevron(const Rect& button, Direction pointing = Direction::Down);
// The pixels that those polylines draw, each a square as wide as a line of
// the scale, laid out around the same centre.
constexpr int kChevronPixels = 23;
std::array<Rect, kChevronPixels> chevron_pixels(const Rect& button, Direction pointing, const Scale& s = Scale());

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
