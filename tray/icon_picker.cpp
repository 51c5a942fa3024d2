#include "icon_picker.h"

namespace tray {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
// biSize, biWidth, biHeight, biPlanes, biBitCount: what the rule reads of the
// image's bitmap header.
constexpr std::size_t kBitmapFieldsRead = 16;

// Little-endian fields; the caller has checked that they lie inside the data.
uint16_t u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const unsigned char* p) { return u16(p) | static_cast<uint32_t>(u16(p + 2)) << 16; }
int32_t i32(const unsigned char* p) { return static_cast<int32_t>(u32(p)); }

// The first entry with enough colours at the preferred width, else the last.
int choose_entry(const unsigned char* directory, int count, int preferred_width) {
  for (int i = 0; i < count; ++i) {
    const unsigned char* e = directory + i * kEntrySize;
    const int width = e[0], colours = e[2];
    if (colours >= 16 && width == preferred_width) return i;
  }
  return count - 1;
}

}  // namespace

std::optional<IconImage> pick_icon_image(const unsigned char* data, std::size_t size, int preferred_width) {
  if (!data || size < kHeaderSize) return std::nullopt;
  const uint16_t reserved = u16(data), type = u16(data + 2), count = u16(data + 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return std::nullopt;
  // The whole directory must be there: the rule may take its last entry.
  if (size - kHeaderSize < std::size_t{count} * kEntrySize) return std::nullopt;

  const unsigned char* directory = data + kHeaderSize;
  const int entry = choose_entry(directory, count, preferred_width);
  const unsigned char* e = directory + entry * kEntrySize;
  const uint32_t image_size = u32(e + 8), image_offset = u32(e + 12);
  if (image_offset > size || image_size > size - image_offset) return std::nullopt;
  if (image_size < kBitmapFieldsRead) return std::nullopt;

  const unsigned char* image = data + image_offset;
  // C++ division truncates toward zero, as the signed halving must.
  return IconImage{entry, image, image_size, i32(image + 4), i32(image + 8) / 2, u16(image + 14)};
}

}  // namespace tray
