#include "icon_file.h"

#include <stdexcept>

namespace assets {
namespace {

constexpr uint32_t kHeaderBytes = 6;
constexpr uint32_t kEntryBytes = 16;
constexpr uint32_t kDibHeaderBytes = 40;

uint32_t padded_row(uint32_t bytes) { return (bytes + 3) / 4 * 4; }
uint32_t colour_row_bytes(const IconImage& im) { return padded_row(im.picture.size * im.bits / 8); }
uint32_t mask_row_bytes(const IconImage& im) { return padded_row((im.picture.size + 7) / 8); }

uint32_t image_bytes(const IconImage& im) {
  const uint32_t rows = im.picture.size;
  return kDibHeaderBytes + rows * (colour_row_bytes(im) + mask_row_bytes(im));
}

bool transparent(const IconImage& im, const Rgba8& p) { return im.bits == 32 ? p.a == 0 : p.a < 128; }

void put_entry(Bytes& out, const IconImage& im, uint32_t offset) {
  const int n = im.picture.size;
  put_u8(out, static_cast<uint8_t>(n == 256 ? 0 : n));  // width; 0 stands for 256
  put_u8(out, static_cast<uint8_t>(n == 256 ? 0 : n));  // height
  put_u8(out, 0);                                       // colour count
  put_u8(out, 0);                                       // reserved
  put_u16(out, 0);                                      // planes
  put_u16(out, 0);                                      // bit count
  put_u32(out, image_bytes(im));
  put_u32(out, offset);
}

void put_dib_header(Bytes& out, const IconImage& im) {
  const uint32_t n = im.picture.size;
  put_u32(out, kDibHeaderBytes);
  put_u32(out, n);      // width
  put_u32(out, 2 * n);  // height: colour image and mask together
  put_u16(out, 1);      // planes
  put_u16(out, static_cast<uint16_t>(im.bits));
  put_u32(out, 0);  // BI_RGB: uncompressed
  put_u32(out, image_bytes(im) - kDibHeaderBytes);
  for (int i = 0; i < 4; ++i) put_u32(out, 0);  // resolution, palette use
}

void put_colour_rows(Bytes& out, const IconImage& im) {
  const int n = im.picture.size;
  const uint32_t pad = colour_row_bytes(im) - n * im.bits / 8;
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      Rgba8 p = im.picture.at(x, y);
      if (transparent(im, p)) p = {0, 0, 0, 0};
      put_u8(out, p.b);
      put_u8(out, p.g);
      put_u8(out, p.r);
      if (im.bits == 32) put_u8(out, p.a);
    }
    out.insert(out.end(), pad, 0);
  }
}

// One bit per pixel, the leftmost pixel in the highest bit; 1 = transparent.
void put_mask_rows(Bytes& out, const IconImage& im) {
  const int n = im.picture.size;
  for (int y = n - 1; y >= 0; --y) {
    Bytes row(mask_row_bytes(im), 0);
    for (int x = 0; x < n; ++x)
      if (transparent(im, im.picture.at(x, y))) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

Bytes write_icon(const std::vector<IconImage>& images) {
  for (const IconImage& im : images)
    if ((im.bits != 24 && im.bits != 32) || im.picture.size < 1 || im.picture.size > 256)
      throw std::invalid_argument("unsupported icon image");
  Bytes out;
  put_u16(out, 0);  // reserved
  put_u16(out, 1);  // type: icon
  put_u16(out, static_cast<uint16_t>(images.size()));
  uint32_t offset = kHeaderBytes + kEntryBytes * static_cast<uint32_t>(images.size());
  for (const IconImage& im : images) {
    put_entry(out, im, offset);
    offset += image_bytes(im);
  }
  for (const IconImage& im : images) {
    put_dib_header(out, im);
    put_colour_rows(out, im);
    put_mask_rows(out, im);
  }
  return out;
}

}  // namespace assets
