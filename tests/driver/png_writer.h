// A small PNG encoder for the driver's screenshots: 8-bit RGB, one IDAT
// chunk whose zlib stream holds stored (uncompressed) deflate blocks. The
// files are larger than a compressing encoder's, but any viewer opens them.
// Platform-independent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace drv {

// Checksums of the PNG chunks and the zlib stream.
uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel, no padding
};

// The complete PNG file; empty when the image is empty or inconsistent.
std::vector<uint8_t> encode_png(const RgbImage& image);

}  // namespace drv
