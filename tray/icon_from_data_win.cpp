#include "icon_from_data_win.h"

#include <windows.h>

#include <new>

#include "gbk_win.h"
#include "icon_picker.h"
#include "owned.h"

namespace tray {
namespace {

using UniqueFile = rt::UniqueHandle<HANDLE, &CloseHandle>;

// Resource format version 3, which every icon since Windows 3 uses.
constexpr DWORD kIconVersion = 0x00030000;
// An ICO file's images together stay far below this; a larger file is not
// read into memory at all.
constexpr LONGLONG kMaxIconFile = 16 * 1024 * 1024;

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

bool read_whole_file(const char* gbk_name, std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!gbk_name || !*gbk_name) return false;
  const HANDLE h = CreateFileW(rt::to_wide(gbk_name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const UniqueFile file(h);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxIconFile) return false;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return false;
  }
  DWORD got = 0;
  for (std::size_t done = 0; done < bytes.size(); done += got) {
    const DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0) return false;
  }
  return true;
}

rt::UniqueIcon tray_icon_from_arg(const rt::Arg& data) {
  if (data.tag == rt::kTagBlock) {
    const rt::BlockView block = rt::view_block(rt::arg_as_block(data));
    return make_tray_icon(block.data, block.size);
  }
  if (data.tag == rt::kTagText) {
    std::vector<unsigned char> file;
    if (!read_whole_file(rt::arg_as_text(data), file)) return rt::UniqueIcon();
    return make_tray_icon(file.data(), file.size());
  }
  return rt::UniqueIcon();
}

}  // namespace tray
