// The icon's file layout: the directory the tray's picking rule reads, the
// DIB headers, and how pixels and mask bits are laid out in each image.
#include "icon_file.h"

#include <gtest/gtest.h>

#include "read_le.h"
#include "timer_icon.h"

namespace {

using assets::Bytes;
using namespace assets_test;

const Bytes& timer_icon() {
  static const Bytes icon = assets::make_timer_icon();
  return icon;
}

struct Expected {
  uint32_t size, bytes, offset, bits;
};
constexpr Expected kImages[] = {
    {16, 1'128, 70, 32},
    {32, 3'240, 1'198, 24},
    {48, 9'640, 4'438, 32},
    {128, 67'624, 14'078, 32},
};

TEST(TimerIcon, HeaderAndDirectoryMatchTheFourImages) {
  const Bytes& ico = timer_icon();
  ASSERT_EQ(ico.size(), 81'702u);
  EXPECT_EQ(u16(ico, 0), 0u);
  EXPECT_EQ(u16(ico, 2), 1u);
  ASSERT_EQ(u16(ico, 4), 4u);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const size_t e = 6 + 16 * i;
    EXPECT_EQ(ico[e], kImages[i].size);
    EXPECT_EQ(ico[e + 1], kImages[i].size);
    EXPECT_EQ(ico[e + 2], 0) << "colour count";
    EXPECT_EQ(ico[e + 3], 0) << "reserved";
    EXPECT_EQ(u16(ico, e + 4), 0u) << "planes";
    EXPECT_EQ(u16(ico, e + 6), 0u) << "bit count";
    EXPECT_EQ(u32(ico, e + 8), kImages[i].bytes);
    EXPECT_EQ(u32(ico, e + 12), kImages[i].offset);
  }
}

TEST(TimerIcon, EveryImageIsAnUncompressedDibOfColourAndMask) {
  const Bytes& ico = timer_icon();
  for (const Expected& im : kImages) {
    SCOPED_TRACE(im.size);
    const size_t h = im.offset;
    EXPECT_EQ(u32(ico, h), 40u);
    EXPECT_EQ(u32(ico, h + 4), im.size);
    EXPECT_EQ(u32(ico, h + 8), 2 * im.size);
    EXPECT_EQ(u16(ico, h + 12), 1u);
    EXPECT_EQ(u16(ico, h + 14), im.bits);
    EXPECT_EQ(u32(ico, h + 16), 0u) << "compression";
    EXPECT_EQ(u32(ico, h + 20), im.bytes - 40) << "image size";
    EXPECT_EQ(u32(ico, h + 32), 0u) << "colours used";
    EXPECT_EQ(u32(ico, h + 36), 0u) << "important colours";
  }
}

// Mask rows are padded to 4 bytes with zero bits; a pixel marked
// transparent in the mask is fully transparent (32-bit) or black (24-bit),
// so drawing with the mask alone shows the same shape without fringes.
TEST(TimerIcon, MaskRowsArePaddedAndAgreeWithTheColours) {
  const Bytes& ico = timer_icon();
  for (const Expected& im : kImages) {
    SCOPED_TRACE(im.size);
    const uint32_t n = im.size, px = im.bits / 8;
    const uint32_t colour_row = (n * px + 3) / 4 * 4, mask_row = (n + 31) / 32 * 4;
    const size_t colours = im.offset + 40, mask = colours + n * colour_row;
    ASSERT_EQ(mask + n * mask_row, size_t{im.offset} + im.bytes);
    int masked = 0, dirty_padding = 0, disagreeing = 0;
    for (uint32_t y = 0; y < n; ++y) {
      for (uint32_t b = (n + 7) / 8; b < mask_row; ++b) dirty_padding += ico[mask + y * mask_row + b] != 0;
      for (uint32_t x = 0; x < n; ++x) {
        const bool transparent = ico[mask + y * mask_row + x / 8] & (0x80 >> (x % 8));
        const uint8_t* p = &ico[colours + y * colour_row + x * px];
        masked += transparent;
        if (im.bits == 32) disagreeing += transparent != (p[3] == 0);
        else disagreeing += transparent && (p[0] | p[1] | p[2]) != 0;
      }
    }
    EXPECT_EQ(dirty_padding, 0);
    EXPECT_EQ(disagreeing, 0);
    EXPECT_GT(masked, 0) << "the round face leaves the corners transparent";
  }
}

// A 3-pixel picture whose only opaque pixel is the top-left one: it lands in
// the last row of the bottom-up DIB, as blue-green-red, with its mask bit
// (the highest of the row's first byte) clear.
TEST(IconFile, WritesRowsBottomUpInBgrWithMaskBitsFromTheLeft) {
  assets::Picture p;
  p.size = 3;
  p.pixels.assign(9, {0, 0, 0, 0});
  p.pixels[0] = {200, 100, 50, 255};
  const Bytes ico = assets::write_icon({{p, 24}});
  const size_t colours = 6 + 16 + 40, row = 12, mask = colours + 3 * row;
  ASSERT_EQ(ico.size(), mask + 3 * 4);
  EXPECT_EQ(ico[colours + 2 * row], 50);
  EXPECT_EQ(ico[colours + 2 * row + 1], 100);
  EXPECT_EQ(ico[colours + 2 * row + 2], 200);
  EXPECT_EQ(ico[mask], 0xE0);
  EXPECT_EQ(ico[mask + 4], 0xE0);
  EXPECT_EQ(ico[mask + 8], 0x60);
}

}  // namespace
