#include "icon_from_data_win.h"

#include <windows.h>

#include <vector>

#include "icon_picker.h"
#include "owned.h"
#include "read_file_win.h"

namespace tray {
namespace {

// Resource format version 3, which every icon since Windows 3 uses.
constexpr DWORD kIconVersion = 0x00030000;
// An ICO file's images together stay far below this; a larger file is not
// read into memory at all.
constexpr std::size_t kMaxIconFile = 16 * 1024 * 1024;

rt::UniqueIcon icon_from_image(const IconImage& image) {
  const PBYTE bytes = const_cast<PBYTE>(image.bytes);  // Windows only reads them
  HICON icon = CreateIconFromResourceEx(bytes, image.size, TRUE, kIconVersion, image.width, image.height, 0);
  if (!icon && image.bit_count != 16) icon = CreateIconFromResource(bytes, image.size, TRUE, kIconVersion);
  return rt::UniqueIcon(icon);
}

}  // namespace

rt::UniqueIcon make_tray_icon(const unsigned char* data, std::size_t size) {
  for (const int preferred_width : {16, 32}) {
    const std::optional<IconImage> image = pick_icon_image(data, size, preferred_width);
    if (!image) continue;
    if (rt::UniqueIcon icon = icon_from_image(*image)) return icon;
  }
  return rt::UniqueIcon();
}

rt::UniqueIcon tray_icon_from_arg(const rt::Arg& data) {
  if (data.tag == rt::kTagBlock) {
    const rt::BlockView block = rt::view_block(rt::arg_as_block(data));
    return make_tray_icon(block.data, block.size);
  }
  if (data.tag == rt::kTagText) {
    std::vector<unsigned char> file;
    if (!rt::read_whole_file(rt::arg_as_text(data), kMaxIconFile, file)) return rt::UniqueIcon();
    return make_tray_icon(file.data(), file.size());
  }
  return rt::UniqueIcon();
}

}  // namespace tray
