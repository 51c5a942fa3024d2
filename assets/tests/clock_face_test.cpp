// The icon picture at each size: a round, filled face whose hands stand out
// from it, so even the 16-pixel image reads as a clock.
#include "clock_face.h"

#include <gtest/gtest.h>

namespace {

int luma(const assets::Rgba8& p) { return (299 * p.r + 587 * p.g + 114 * p.b) / 1000; }

TEST(ClockFace, IsARoundFilledFaceAtEverySize) {
  for (int n : {16, 32, 48, 128}) {
    SCOPED_TRACE(n);
    const assets::Picture pic = assets::draw_clock_face(n);
    ASSERT_EQ(pic.pixels.size(), static_cast<size_t>(n * n));
    int opaque = 0;
    for (const auto& p : pic.pixels) opaque += p.a >= 128;
    // A disc filling the square covers pi/4 of it; the shadow adds a bit.
    EXPECT_GT(opaque, n * n * 55 / 100);
    EXPECT_LT(opaque, n * n * 85 / 100);
    for (int c : {0, n - 1}) {
      EXPECT_EQ(pic.at(c, 0).a, 0);
      EXPECT_EQ(pic.at(c, n - 1).a, 0);
    }
    EXPECT_EQ(pic.at(n / 2, n / 2).a, 255) << "the hands' hub";
  }
}

// At 16 pixels: most of the face light, the hands dark, the rim coloured.
TEST(ClockFace, SmallImageHasLightFaceDarkHandsAndAColouredRim) {
  const assets::Picture pic = assets::draw_clock_face(16);
  int light = 0, dark = 0;
  for (const auto& p : pic.pixels) {
    if (p.a < 255) continue;
    light += luma(p) > 200;
    dark += luma(p) < 90;
  }
  EXPECT_GE(light, 40);
  EXPECT_GE(dark, 8);
  EXPECT_LT(luma(pic.at(8, 8)), 90);
  const assets::Rgba8 rim = pic.at(8, 1);
  EXPECT_EQ(rim.a, 255);
  EXPECT_GT(rim.b, rim.r + 60) << "blue rim at the top";
}

}  // namespace
