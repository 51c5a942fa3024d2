// The painters at a larger scale, on memory bitmaps: at 192 DPI every line,
// corner pixel, focus dot, tick and chevron pixel of the 96-DPI drawing is
// a 2 x 2 square, and sizes are doubled; at 144 DPI lines are 2 pixels and
// sizes are scaled and rounded. (The 96-DPI drawing: theme_paint_test.cpp.)
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "theme_test_support.h"

namespace {

using namespace rt::theme;
using tt::Canvas;
using tt::kCheckFrame;
using tt::PixelSet;
using tt::pixels_of;
namespace st = rt::theme::state;

Look look_at(int dpi, uint32_t state, uint32_t style = 0) {
  Look l = tt::look(state, style);
  l.dpi = dpi;
  return l;
}

const Color kFace = GetSysColor(COLOR_BTNFACE);
const tt::SchemeLiterals& kScheme1 = tt::kSchemes[1];

// 160 x 64 at 192 DPI: the face's frame 0..1, the border 2..3, the ring
// 4..7 and the face from 8 on; the corners rounded by 2 x 2 squares.
TEST(ThemeScale, PushButtonAtTwiceTheScale) {
  const int w = 160, h = 64;
  Canvas canvas(w, h), unfocused(w, h);
  canvas.paint(ControlKind::PushButton, look_at(192, st::kFocused, BS_PUSHBUTTON));
  unfocused.paint(ControlKind::PushButton, look_at(192, st::kDefault, BS_PUSHBUTTON));
  const Color border = kScheme1.border;
  for (const int x : {0, 1, w - 2, w - 1}) EXPECT_EQ(canvas.at(x, h / 2), kFace) << x;
  for (const int x : {2, 3, w - 4, w - 3}) EXPECT_EQ(canvas.at(x, h / 2), border) << x;
  for (const int y : {2, 3, h - 4, h - 3}) EXPECT_EQ(canvas.at(w / 2, y), border) << y;
  EXPECT_NE(canvas.at(4, h / 2), border);

  // the top-left corner, 6 x 6: face frame, then the border's rounding
  const PixelSet corner_border = pixels_of(canvas, {0, 0, 6, 6}, border);
  EXPECT_EQ(corner_border, tt::picture({0, 0}, {"...", "..X", ".XX"}, 2)) << "the border's corner, rounded";
  EXPECT_EQ(pixels_of(canvas, {2, 2, 4, 4}, kFace).size(), 4u) << "the rounding's face square";

  // the focus dots, 2 pixels deep, 2 pixels around the face
  PixelSet changed;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (canvas.at(x, y) != unfocused.at(x, y)) changed.insert({x, y});
  int rings[2] = {0, 0};
  for (const auto& [x, y] : changed) {
    const int in = std::min({x, y, w - 1 - x, h - 1 - y});  // how far in from the edge
    EXPECT_TRUE(in == 6 || in == 7) << x << "," << y;
    if (in == 6 || in == 7) ++rings[in - 6];
  }
  EXPECT_GT(rings[0], 100) << "the outer ring of dots";
  EXPECT_GT(rings[1], 100) << "the inner ring of dots";
}

TEST(ThemeScale, CheckBoxBoxAndTickAtTheScale) {
  // 192 DPI, 200 x 48, centred: the box 26 x 26 from (0, 11), its frame 2
  // pixels, the tick doubled in the inner square from (6, 17).
  Canvas big(200, 48);
  big.paint(ControlKind::CheckBox, look_at(192, st::kChecked, BS_AUTOCHECKBOX | BS_VCENTER));
  EXPECT_EQ(pixels_of(big, {0, 0, 26, 48}, kCheckFrame).size(), 26u * 26 - 22u * 22) << "a frame 2 wide";
  EXPECT_EQ(big.at(0, 11), kCheckFrame);
  EXPECT_EQ(big.at(25, 36), kCheckFrame);
  EXPECT_NE(big.at(2, 24), kCheckFrame);
  EXPECT_EQ(pixels_of(big, {6, 17, 20, 31}, tt::kTick), tt::tick({6, 17}, 2));

  // 144 DPI, 150 x 36: 13 x 1.5 rounds to a box of 20 from (0, 8), the
  // frame 2 pixels.
  Canvas mid(150, 36);
  mid.paint(ControlKind::CheckBox, look_at(144, 0, BS_AUTOCHECKBOX | BS_VCENTER));
  for (const int x : {0, 1, 18, 19}) EXPECT_EQ(mid.at(x, 18), kCheckFrame) << x;
  for (const int y : {8, 9, 26, 27}) EXPECT_EQ(mid.at(10, y), kCheckFrame) << y;
  EXPECT_NE(mid.at(2, 18), kCheckFrame);
  EXPECT_NE(mid.at(20, 18), kCheckFrame);
  EXPECT_NE(mid.at(10, 28), kCheckFrame);
}

// 120 x 42 at 192 DPI with a 34-pixel button: both frames 2 pixels, inside
// them (4,4)-(116,38), the strip from 82, its arrow button (84,4)-(116,38)
// around (100, 21) with 2 x 2 corners and the chevron doubled.
TEST(ThemeScale, ComboBoxFramesAndArrowButtonAtTwiceTheScale) {
  Canvas canvas(120, 42);
  Look l = look_at(192, 0);
  l.arrow_width = 34;
  canvas.paint(ControlKind::ComboBox, l);
  const Color window = GetSysColor(COLOR_WINDOW);
  for (const int x : {0, 1, 118, 119}) EXPECT_EQ(canvas.at(x, 21), kScheme1.frame) << x;
  for (const int x : {2, 3, 82, 83}) EXPECT_EQ(canvas.at(x, 21), window) << x;
  EXPECT_EQ(canvas.at(40, 21), tt::kUnpainted) << "the box's own painting stays";

  // the normal arrow button's top-left and bottom-right corner colours
  EXPECT_EQ(pixels_of(canvas, {84, 4, 86, 6}, RGB(231, 239, 255)).size(), 4u);
  EXPECT_EQ(pixels_of(canvas, {114, 36, 116, 38}, RGB(222, 227, 247)).size(), 4u);
  EXPECT_EQ(pixels_of(canvas, {84, 4, 116, 38}, kScheme1.arrow), tt::chevron_down(100, 21, 2));
}

TEST(ThemeScale, EditBoxFramesAreTwoPixelsAt144Dpi) {
  Canvas canvas(90, 30);
  Look l = look_at(144, 0);
  l.ex_style = WS_EX_CLIENTEDGE;
  canvas.paint(ControlKind::Edit, l);
  const Color frame = kScheme1.frame, window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(canvas.at(0, 15), frame);
  EXPECT_EQ(canvas.at(1, 15), frame);
  EXPECT_EQ(canvas.at(2, 15), window);
  EXPECT_EQ(canvas.at(3, 15), window);
  EXPECT_EQ(canvas.at(45, 27), window);
  EXPECT_EQ(canvas.at(45, 28), frame);
  EXPECT_EQ(canvas.at(45, 4), tt::kUnpainted) << "the box's own painting stays";
}

}  // namespace
