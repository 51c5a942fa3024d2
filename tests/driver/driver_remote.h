// A block of memory inside the process of a window, for the messages whose
// pointers Windows does not carry across processes (the date-and-time
// picker's): the target writes there, the driver reads it back.
#pragma once

#include <windows.h>

#include <cstddef>

namespace drv {

class RemoteBlock {
 public:
  RemoteBlock(HWND owner_window, size_t size);
  ~RemoteBlock();
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool valid() const { return address_ != nullptr; }
  void* address() const { return address_; }  // in the target's address space
  bool read(void* out, size_t size) const;
  bool write(const void* data, size_t size);

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
};

}  // namespace drv
