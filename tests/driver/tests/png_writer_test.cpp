// The screenshot encoder: checksums against published values, and files read
// back chunk by chunk, block by block.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "png_writer.h"

namespace {

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

// Splits a file into chunks, checking the signature and every CRC.
std::vector<Chunk> read_chunks(const std::vector<uint8_t>& png) {
  static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_GE(png.size(), 8u);
  EXPECT_EQ(0, std::memcmp(png.data(), kSignature, 8));
  std::vector<Chunk> chunks;
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = be32(png, at);
    if (at + 12 + length > png.size()) break;
    EXPECT_EQ(be32(png, at + 8 + length), drv::crc32(png.data() + at + 4, length + 4));
    chunks.push_back({std::string(png.begin() + at + 4, png.begin() + at + 8),
                      std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length)});
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size()) << "bytes after the last chunk";
  return chunks;
}

struct Inflated {
  std::vector<uint8_t> bytes;
  std::vector<size_t> block_sizes;
};

// Reads a zlib stream made only of stored blocks.
Inflated inflate_stored(const std::vector<uint8_t>& z) {
  Inflated out;
  EXPECT_EQ(z.at(0), 0x78);
  EXPECT_EQ((z.at(0) * 256 + z.at(1)) % 31, 0) << "zlib header check bits";
  size_t at = 2;
  bool final = false;
  while (!final && at + 5 <= z.size()) {
    final = z[at] & 1;
    EXPECT_EQ(z[at] >> 1, 0) << "stored block type";
    const size_t len = z[at + 1] | z[at + 2] << 8;
    const size_t nlen = z[at + 3] | z[at + 4] << 8;
    EXPECT_EQ(len ^ 0xFFFF, nlen);
    out.bytes.insert(out.bytes.end(), z.begin() + at + 5, z.begin() + at + 5 + len);
    out.block_sizes.push_back(len);
    at += 5 + len;
  }
  EXPECT_TRUE(final);
  EXPECT_EQ(at + 4, z.size());
  EXPECT_EQ(be32(z, at), drv::adler32(out.bytes.data(), out.bytes.size()));
  return out;
}

drv::RgbImage pattern(int w, int h) {
  drv::RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
  for (size_t i = 0; i < image.rgb.size(); ++i) image.rgb[i] = static_cast<uint8_t>(i * 7 + i / 3);
  return image;
}

TEST(PngChecksums, MatchPublishedValues) {
  struct Case {
    const char* text;
    uint32_t crc, adler;
  };
  const Case cases[] = {
      {"", 0x00000000, 0x00000001},
      {"a", 0xE8B7BE43, 0x00620062},
      {"123456789", 0xCBF43926, 0x091E01DE},
      {"Wikipedia", 0xADAAC02E, 0x11E60398},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339, 0x5BDC0FDA},
  };
  for (const Case& c : cases) {
    const auto* p = reinterpret_cast<const uint8_t*>(c.text);
    EXPECT_EQ(drv::crc32(p, std::strlen(c.text)), c.crc) << c.text;
    EXPECT_EQ(drv::adler32(p, std::strlen(c.text)), c.adler) << c.text;
  }
}

TEST(PngChecksums, ContinueAcrossPieces) {
  const char text[] = "The quick brown fox jumps over the lazy dog";
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  const size_t n = sizeof text - 1;
  EXPECT_EQ(drv::crc32(p + 10, n - 10, drv::crc32(p, 10)), 0x414FA339u);
  EXPECT_EQ(drv::adler32(p + 10, n - 10, drv::adler32(p, 10)), 0x5BDC0FDAu);
}

TEST(PngWriter, ReadsBackAsTheImageAtEverySize) {
  struct Case {
    int w, h;
    std::vector<size_t> blocks;  // stored block sizes of the zlib stream
  };
  const Case cases[] = {
      {1, 1, {4}},
      {3, 2, {20}},                  // odd row length
      {1456, 15, {65535}},           // exactly one full block
      {21845, 1, {65535, 1}},        // one byte over
      {200, 120, {65535, 6585}},     // a screenshot-like size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const drv::RgbImage image = pattern(c.w, c.h);
    const std::vector<Chunk> chunks = read_chunks(drv::encode_png(image));
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    ASSERT_EQ(chunks[0].data.size(), 13u);
    EXPECT_EQ(be32(chunks[0].data, 0), static_cast<uint32_t>(c.w));
    EXPECT_EQ(be32(chunks[0].data, 4), static_cast<uint32_t>(c.h));
    EXPECT_EQ(std::vector<uint8_t>(chunks[0].data.begin() + 8, chunks[0].data.end()),
              (std::vector<uint8_t>{8, 2, 0, 0, 0}));
    const Inflated raw = inflate_stored(chunks[1].data);
    EXPECT_EQ(raw.block_sizes, c.blocks);
    const size_t row = static_cast<size_t>(c.w) * 3;
    ASSERT_EQ(raw.bytes.size(), (row + 1) * c.h);
    for (int y = 0; y < c.h; ++y) {
      const auto line = raw.bytes.begin() + y * (row + 1);
      ASSERT_EQ(*line, 0) << "filter of row " << y;
      ASSERT_TRUE(std::equal(line + 1, line + 1 + row, image.rgb.begin() + y * row)) << "row " << y;
    }
  }
}

TEST(PngWriter, RefusesImagesThatDoNotHoldTogether) {
  EXPECT_TRUE(drv::encode_png({}).empty());
  EXPECT_TRUE(drv::encode_png({2, 0, {}}).empty());
  EXPECT_TRUE(drv::encode_png({2, 2, std::vector<uint8_t>(11)}).empty());
}

}  // namespace
