// An ICO file image: the 6-byte header, one 16-byte directory entry per
// image, then each image as an uncompressed DIB (40-byte header, colour rows
// bottom-up, then the 1-bit AND mask rows, every row padded to 4 bytes).
#pragma once

#include <vector>

#include "byte_writer.h"
#include "canvas.h"

namespace assets {

struct IconImage {
  Picture picture;
  int bits;  // 32 (colour with alpha) or 24 (colour; the mask alone cuts the shape)
};

// Directory entries leave colour count, planes and bit count 0; the depth is
// in each image's own header. In a 32-bit image the mask marks the fully
// transparent pixels; in a 24-bit one it marks those less than half opaque,
// and their colour is black so that the screen shows through unchanged.
Bytes write_icon(const std::vector<IconImage>& images);

}  // namespace assets
