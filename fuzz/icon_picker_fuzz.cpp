// Picking the tray's image out of ICO data: whatever the directory says, the
// chosen image lies inside the data and names a directory entry.
#include "fuzz_check.h"
#include "icon_picker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  for (int width : {16, 32}) {
    const auto image = tray::pick_icon_image(data, size, width);
    if (!image) continue;
    const int count = data[4] | data[5] << 8;
    FUZZ_CHECK(image->entry >= 0 && image->entry < count);
    FUZZ_CHECK(image->bytes >= data && image->size <= size - static_cast<std::size_t>(image->bytes - data));
    read_all(image->bytes, image->size);
  }
  return 0;
}
