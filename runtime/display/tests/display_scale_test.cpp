// 96-DPI numbers to device pixels and back, at the scales Windows offers.
#include <gtest/gtest.h>

#include "display/display_scale.h"

namespace {

using rt::Box;
using rt::Scale;

TEST(DisplayScale, NumbersScaleWithHalvesRoundedAwayFromZero) {
  struct Case {
    int dpi, v, device;
  };
  const Case cases[] = {
      {96, 173, 173},  {96, -7, -7},     {120, 2, 3},      {120, 1, 1},    {120, 173, 216},  // 216.25
      {144, 1, 2},     {144, 3, 5},      {144, -1, -2},    {144, -3, -5},  {144, 173, 260},  // 259.5
      {144, 380, 570}, {168, 1, 2},      {168, 13, 23},    {192, 173, 346}, {192, -50, -100},
      {72, 1, 1},      {72, 2, 2},       {72, 3, 2},       {72, -3, -2},   {288, 13, 39},
  };
  for (const Case& c : cases) EXPECT_EQ(Scale(c.dpi).to_device(c.v), c.device) << c.v << " at " << c.dpi;
}

TEST(DisplayScale, ReadingBackGivesWhatWasWrittenAtAndAbove96Dpi) {
  for (const int dpi : {96, 120, 144, 168, 192, 216, 240, 288, 480}) {
    const Scale s(dpi);
    for (int v = -3000; v <= 3000; ++v) ASSERT_EQ(s.to_base(s.to_device(v)), v) << v << " at " << dpi;
    ASSERT_EQ(s.to_base(s.to_device(32627)), 32627);
    ASSERT_EQ(s.to_base(s.to_device(-32627)), -32627);
  }
}

TEST(DisplayScale, LinesAreWholePixelsAndNeverVanish) {
  const struct {
    int dpi, line;
  } cases[] = {{96, 1}, {120, 1}, {144, 2}, {168, 2}, {192, 2}, {240, 3}, {288, 3}, {72, 1}, {24, 1}};
  for (const auto& c : cases) EXPECT_EQ(Scale(c.dpi).line(), c.line) << c.dpi;
}

TEST(DisplayScale, ADpiOfZeroIsTheBase) {
  EXPECT_EQ(Scale(0).dpi(), 96);
  EXPECT_TRUE(Scale(-1).is_base());
  EXPECT_TRUE(Scale().is_base());
  EXPECT_FALSE(Scale(144).is_base());
}

// The main window's start button and the window itself: place and size each
// scale on their own, so every number comes back.
TEST(DisplayScale, BoxesScalePositionAndSizeOnTheirOwn) {
  const Box button{272, 64, 80, 32};
  EXPECT_EQ(to_device(Scale(144), button), (Box{408, 96, 120, 48}));
  EXPECT_EQ(to_device(Scale(120), button), (Box{340, 80, 100, 40}));
  const Box remaining{291, 40, 40, 20};
  EXPECT_EQ(to_device(Scale(144), remaining), (Box{437, 60, 60, 30}));  // 436.5 up
  for (const int dpi : {96, 120, 144, 192})
    for (const Box& b : {button, remaining, Box{-13, 227, 380, 173}})
      EXPECT_EQ(to_base(Scale(dpi), to_device(Scale(dpi), b)), b) << dpi;
}

}  // namespace
