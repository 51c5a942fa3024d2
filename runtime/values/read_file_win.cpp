#include "read_file_win.h"

#include <windows.h>

#include <new>

#include "gbk_win.h"
#include "win_handle.h"

namespace rt {

bool read_whole_file(const char* gbk_name, std::size_t max_size, std::vector<unsigned char>& bytes) {
  bytes.clear();
  if (!gbk_name || !*gbk_name) return false;
  const HANDLE h = CreateFileW(to_wide(gbk_name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const UniqueKernelHandle file(h);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || static_cast<unsigned long long>(size.QuadPart) > max_size) return false;
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

}  // namespace rt
