// The colour tables' shared entries and disabled shades, and where the
// themed painting puts its boxes, corners and strokes. (Which entry each
// state takes is checked on the painted pixels, theme_paint_test.cpp.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "theme/scheme_colors.h"
#include "theme/shapes.h"

namespace {

using namespace rt::theme;

TEST(ThemeChoice, DisabledColoursStepDownEachChannelAndStopAtZero) {
  EXPECT_EQ(darker(rgb(212, 208, 200), kDisabledBorderStep), rgb(180, 176, 168));
  EXPECT_EQ(darker(rgb(240, 240, 240), kDisabledEdgeCornerStep), rgb(223, 223, 223));
  // A face darker than the step: no channel borrows from the next.
  EXPECT_EQ(darker(rgb(0x10, 0x40, 0x05), kDisabledBorderStep), rgb(0, 0x20, 0));
  EXPECT_EQ(rgb(1, 2, 3), 0x030201u) << "laid out as a GDI colour";
}

TEST(ThemeChoice, SchemesShareTheHotAndCheckedRingsAndFallBackToTheFirst) {
  const auto same = [](const Gradient& a, const Gradient& b) {
    return a.top_left == b.top_left && a.top_right == b.top_right && a.bottom_left == b.bottom_left &&
           a.bottom_right == b.bottom_right;
  };
  for (int scheme : {2, 3}) {
    SCOPED_TRACE(scheme);
    const SchemeColors& s = scheme_colors(scheme);
    EXPECT_TRUE(same(s.button[1], scheme_colors(1).button[1]));
    EXPECT_TRUE(same(s.button[2], scheme_colors(1).button[2]));
    EXPECT_NE(&s, &scheme_colors(1));
    EXPECT_NE(s.button_border, scheme_colors(1).button_border);
    EXPECT_NE(s.frame, scheme_colors(1).frame);
    // Every state of an arrow button is told apart from the others.
    std::set<Color> fills;
    for (int a = 0; a < 4; ++a) fills.insert(s.arrow_button[a].bottom_left);
    EXPECT_EQ(fills.size(), 4u);
  }
  for (int other : {0, 4, -1}) EXPECT_EQ(&scheme_colors(other), &scheme_colors(1));
}

TEST(ThemeShapes, PushButtonRingsAndCornersAreSymmetric) {
  const Rect client{10, 20, 85, 43};  // 75 x 23, not at the origin
  const PushButtonRects p = push_button_rects(client);
  EXPECT_EQ(p.border, (Rect{11, 21, 84, 42}));
  EXPECT_EQ(p.ring, (Rect{12, 22, 83, 41}));
  EXPECT_EQ(p.face, (Rect{14, 24, 81, 39}));

  const auto corners = push_button_corners(client);
  std::set<std::pair<int, int>> seen;
  for (const CornerPixel& c : corners) {
    const Point at{c.at.left, c.at.top};
    EXPECT_EQ(c.at, (Rect{at.x, at.y, at.x + 1, at.y + 1})) << "one pixel at 96 DPI";
    EXPECT_TRUE(seen.insert({at.x, at.y}).second) << "each corner pixel once";
    // Mirrored across both middle lines, a pixel finds one of the same tone.
    const int mx = client.left + client.right - 1 - at.x, my = client.top + client.bottom - 1 - at.y;
    for (const Point m : {Point{mx, at.y}, Point{at.x, my}}) {
      bool found = false;
      for (const CornerPixel& o : corners) found |= o.at.left == m.x && o.at.top == m.y && o.tone == c.tone;
      EXPECT_TRUE(found) << "(" << at.x << "," << at.y << ")";
    }
    EXPECT_TRUE(at.x - client.left <= 2 || client.right - 1 - at.x <= 2);
  }
  EXPECT_EQ(corners[0].at, (Rect{11, 21, 12, 22}));
  EXPECT_EQ(corners[0].tone, CornerTone::Face);
}

TEST(ThemeShapes, CheckBoxPlacementByStyleBits) {
  constexpr uint32_t kLeftText = 0x20, kTop = 0x400, kBottom = 0x800, kVCentre = 0xC00;
  const Rect k{0, 0, 100, 30};
  struct Case {
    uint32_t style;
    Rect box, text;
  };
  const Case cases[] = {
      {0, {0, 0, 13, 13}, {18, 1, 100, 30}},  // top left, text 1 lower
      {kTop, {0, 0, 13, 13}, {18, 1, 100, 30}},
      {kVCentre, {0, 8, 13, 21}, {18, 0, 100, 30}},
      {kBottom, {0, 17, 13, 30}, {18, 12, 100, 30}},
      {kLeftText | kVCentre, {87, 8, 100, 21}, {0, 0, 82, 30}},
      {kLeftText | 0x3 | 0x2000, {87, 0, 100, 13}, {0, 1, 82, 30}},  // other bits change nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
    const CheckBoxPlacement p = place_check_box(k, c.style);
    EXPECT_EQ(p.box, c.box);
    EXPECT_EQ(p.text, c.text);
  }
  EXPECT_EQ(check_box_inner(Rect{0, 8, 13, 21}), (Rect{3, 11, 10, 18})) << "the tick's 7 x 7 square";
}

TEST(ThemeShapes, ComboButtonIsTheRightmostStripAndNeverWiderThanTheBox) {
  const Rect inside{2, 2, 38, 19};
  EXPECT_EQ(combo_button(inside, 17), (Rect{21, 2, 38, 19}));
  EXPECT_EQ(combo_button(inside, 50), inside);
  EXPECT_EQ(combo_button(inside, -3), (Rect{38, 2, 38, 19}));
}

TEST(ThemeShapes, ChevronsAreDiagonalAndTurnWithTheirDirection) {
  const Rect button{100, 50, 117, 67};  // centre (108, 58)
  const auto down = chevron(button, Direction::Down);
  EXPECT_EQ(down[0][0], (Point{104, 56}));
  EXPECT_EQ(down[0][1], (Point{108, 60})) << "the tip below the centre";
  for (const Direction d : {Direction::Down, Direction::Up, Direction::Left, Direction::Right}) {
    const auto lines = chevron(button, d);
    for (const Polyline& l : lines)
      for (size_t i = 1; i < l.size(); ++i)  // 45 degrees: every rasteriser draws the same pixels
        EXPECT_EQ(std::abs(l[i].x - l[i - 1].x), std::abs(l[i].y - l[i - 1].y));
  }
  const auto up = chevron(button, Direction::Up), right = chevron(button, Direction::Right);
  for (size_t i = 0; i < 3; ++i)
    for (size_t j = 0; j < 3; ++j) {
      EXPECT_EQ(up[i][j], (Point{down[i][j].x, 2 * 58 - down[i][j].y}));
      EXPECT_EQ(right[i][j], (Point{108 + (down[i][j].y - 58), 58 + (down[i][j].x - 108)}));
    }
}

// At 144 DPI lines are 2 pixels, corner pixels 2 x 2 squares, and sizes
// scale with halves rounded up: the ring 3, the check box 20 and its gap 27.
TEST(ThemeShapes, AtALargerScaleLinesAreWiderAndSizesScaled) {
  const Scale s(144);
  const PushButtonRects p = push_button_rects({0, 0, 120, 48}, s);
  EXPECT_EQ(p.border, (Rect{2, 2, 118, 46}));
  EXPECT_EQ(p.ring, (Rect{4, 4, 116, 44}));
  EXPECT_EQ(p.face, (Rect{7, 7, 113, 41}));
  const auto corners = push_button_corners({0, 0, 120, 48}, s);
  EXPECT_EQ(corners[0].at, (Rect{2, 2, 4, 4}));
  EXPECT_EQ(corners[2].at, (Rect{116, 44, 118, 46})) << "mirrored at the bottom right";
  EXPECT_EQ(corners[4].at, (Rect{4, 4, 6, 6}));

  const CheckBoxPlacement c = place_check_box({0, 0, 150, 36}, 0xC00, s);  // BS_VCENTER
  EXPECT_EQ(c.box, (Rect{0, 8, 20, 28}));
  EXPECT_EQ(c.text, (Rect{27, 0, 150, 36}));
  EXPECT_EQ(check_box_inner(c.box, s), (Rect{5, 13, 15, 23}));
}

// The chevron's pixels are those its polylines draw at 96 DPI; at 192 each
// is a 2 x 2 square as far from the centre again.
TEST(ThemeShapes, ChevronPixelsAreThePolylinesPixelsMagnified) {
  const Rect button{100, 50, 117, 67};  // centre (108, 58)
  std::set<std::pair<int, int>> at96;
  for (const Rect& p : chevron_pixels(button, Direction::Down)) {
    EXPECT_EQ(p.width() * p.height(), 1);
    at96.insert({p.left, p.top});
  }
  EXPECT_EQ(at96.size(), size_t{kChevronPixels}) << "no pixel twice";
  EXPECT_TRUE(at96.count({104, 56}) && at96.count({108, 60}) && at96.count({112, 56})) << "ends and tip";
  EXPECT_FALSE(at96.count({113, 55})) << "the last point of a polyline is left out";
  std::set<std::pair<int, int>> at192;
  for (const Rect& p : chevron_pixels(button, Direction::Down, Scale(192))) {
    EXPECT_EQ(p.width(), 2);
    EXPECT_EQ(p.height(), 2);
    at192.insert({108 + (p.left - 108) / 2, 58 + (p.top - 58) / 2});
  }
  EXPECT_EQ(at192, at96);
}

}  // namespace
