// Picking one image out of an ICO file image. The notification area shows a
// single image, so the tray chooses it by a fixed rule: the first directory
// entry of the preferred width with at least 16 colours, else the last entry.
// Every field is read with its bounds checked: data that is cut short or
// whose directory points outside the file gives no image, never a read past
// its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tray {

struct IconImage {
  int entry;                   // index of the chosen directory entry
  const unsigned char* bytes;  // the entry's image, inside the given data
  uint32_t size;
  // From the image's own bitmap header: its width, the height of the icon
  // (the header counts colour rows and mask rows, so half of biHeight) and
  // the colour depth.
  int32_t width;
  int32_t height;
  uint16_t bit_count;
};

// The image the rule chooses for `preferred_width` (16 or 32 pixels), or
// nothing when the data is not a usable icon or cursor file.
std::optional<IconImage> pick_icon_image(const unsigned char* data, std::size_t size, int preferred_width);

}  // namespace tray
