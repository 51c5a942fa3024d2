// The picking rule over the program's own icon and over small ICO images
// built here: which entry each attempt takes, and that data cut short or
// pointing outside itself gives no image.
#include "icon_picker.h"

#include <gtest/gtest.h>

#include <vector>

#include "timer_icon.h"

namespace {

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, size_t at, uint32_t v) {
  b.at(at) = static_cast<unsigned char>(v);
  b.at(at + 1) = static_cast<unsigned char>(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

struct Entry {
  unsigned char width, colours;
  int32_t bi_width, bi_height;
  uint16_t bits;
};

// An ICO image whose entries each point at a 40-byte bitmap header and eight
// bytes of pixels.
Bytes make_ico(const std::vector<Entry>& entries, uint16_t type = 1) {
  constexpr uint32_t kImage = 48;
  const size_t n = entries.size();
  Bytes b(6 + 16 * n + kImage * n, 0);
  put16(b, 2, type);
  put16(b, 4, static_cast<uint32_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const size_t e = 6 + 16 * i, image = 6 + 16 * n + kImage * i;
    b[e] = entries[i].width;
    b[e + 1] = entries[i].width;
    b[e + 2] = entries[i].colours;
    put32(b, e + 8, kImage);
    put32(b, e + 12, static_cast<uint32_t>(image));
    put32(b, image, 40);
    put32(b, image + 4, static_cast<uint32_t>(entries[i].bi_width));
    put32(b, image + 8, static_cast<uint32_t>(entries[i].bi_height));
    put16(b, image + 12, 1);
    put16(b, image + 14, entries[i].bits);
  }
  return b;
}

std::optional<tray::IconImage> pick(const Bytes& b, int width) { return tray::pick_icon_image(b.data(), b.size(), width); }

// All four entries of the program's icon have colour count 0, so neither
// attempt finds a match and both take the last entry, the 128-pixel image.
TEST(IconPicker, TheProgramsIconGivesItsLargestImage) {
  const Bytes icon = assets::make_timer_icon();
  for (int width : {16, 32}) {
    SCOPED_TRACE(width);
    const auto image = pick(icon, width);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->entry, 3);
    EXPECT_EQ(image->bytes, icon.data() + 14'078);
    EXPECT_EQ(image->size, 67'624u);
    EXPECT_EQ(image->width, 128);
    EXPECT_EQ(image->height, 128);
    EXPECT_EQ(image->bit_count, 32);
  }
}

struct RuleCase {
  const char* what;
  std::vector<Entry> entries;
  int for_16, for_32;  // the entry each attempt takes
};

TEST(IconPicker, TakesTheFirstEntryOfThePreferredWidthWithSixteenColoursOrMore) {
  const RuleCase cases[] = {
      {"exact matches", {{16, 0, 16, 32, 32}, {16, 16, 16, 32, 4}, {32, 16, 32, 64, 4}, {48, 0, 48, 96, 32}}, 1, 2},
      {"the first of two matches", {{16, 255, 16, 32, 8}, {16, 16, 16, 32, 4}, {32, 17, 32, 64, 8}}, 0, 2},
      {"too few colours: the last entry", {{16, 8, 16, 32, 4}, {32, 15, 32, 64, 4}, {48, 2, 48, 96, 1}}, 2, 2},
      {"only one width matches", {{16, 16, 16, 32, 4}, {48, 0, 48, 96, 32}}, 0, 1},
      {"a single entry", {{64, 0, 64, 128, 32}}, 0, 0},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes ico = make_ico(c.entries);
    const auto a = pick(ico, 16), b = pick(ico, 32);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->entry, c.for_16);
    EXPECT_EQ(b->entry, c.for_32);
    // the fields come from the chosen image's own header
    EXPECT_EQ(a->width, c.entries[c.for_16].bi_width);
    EXPECT_EQ(a->bit_count, c.entries[c.for_16].bits);
    EXPECT_EQ(b->height, c.entries[c.for_32].bi_height / 2);
  }
}

TEST(IconPicker, HeightIsHalfTheBitmapHeightRoundedTowardZero) {
  const struct {
    int32_t bi_height, height;
  } cases[] = {{64, 32}, {33, 16}, {-64, -32}, {-33, -16}, {1, 0}, {0, 0}};
  for (const auto& c : cases) {
    const auto image = pick(make_ico({{16, 0, 16, c.bi_height, 32}}), 16);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, c.height) << c.bi_height;
  }
}

TEST(IconPicker, IconsAndCursorsOnly) {
  for (uint16_t type : {0, 1, 2, 3, 0x100}) {
    const bool usable = type == 1 || type == 2;
    EXPECT_EQ(pick(make_ico({{16, 0, 16, 32, 32}}, type), 16).has_value(), usable) << type;
  }
  Bytes reserved = make_ico({{16, 0, 16, 32, 32}});
  put16(reserved, 0, 1);
  EXPECT_FALSE(pick(reserved, 16));
  EXPECT_FALSE(pick(make_ico({}), 16)) << "no images";
}

// Every cut and every lying field is refused before anything outside the
// data is read (the sanitizer build would catch a read past the end).
TEST(IconPicker, DataCutShortOrPointingOutsideItselfGivesNoImage) {
  const Bytes good = make_ico({{16, 0, 16, 32, 32}, {32, 0, 32, 64, 32}});
  const size_t last_entry = 6 + 16, last_image = 6 + 32 + 48;
  ASSERT_TRUE(pick(good, 16));
  EXPECT_FALSE(tray::pick_icon_image(nullptr, 100, 16));

  // Each prefix in a heap block of its own size, so that the sanitizer sees
  // any read beyond it: the header, then the directory, then the image.
  for (size_t size : {size_t{0}, size_t{5}, size_t{6}, size_t{21}, size_t{37}, last_image + 15}) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_FALSE(pick(cut, 16)) << size;
  }
  Bytes smallest(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(last_image + 16));
  put32(smallest, last_entry + 8, 16);
  EXPECT_TRUE(pick(smallest, 16)) << "sixteen bytes hold every header field that is read";

  const struct {
    const char* what;
    size_t at;
    int width;  // bytes of the field
    uint32_t value;
  } lies[] = {
      {"count beyond the directory", 4, 2, 3},
      {"offset past the end", last_entry + 12, 4, static_cast<uint32_t>(good.size())},
      {"size past the end", last_entry + 8, 4, 49},
      {"offset and size wrap around", last_entry + 8, 4, 0xFFFFFFF0u},
      {"image too small for its header fields", last_entry + 8, 4, 15},
  };
  for (const auto& lie : lies) {
    Bytes bad = good;
    if (lie.width == 2) put16(bad, lie.at, lie.value);
    else put32(bad, lie.at, lie.value);
    EXPECT_FALSE(pick(bad, 16)) << lie.what;
  }
}

}  // namespace
