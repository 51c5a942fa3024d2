#include "driver_remote.h"

namespace drv {

RemoteBlock::RemoteBlock(HWND owner_window, size_t size) {
  DWORD pid = 0;
  GetWindowThreadProcessId(owner_window, &pid);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBlock::~RemoteBlock() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

bool RemoteBlock::read(void* out, size_t size) const {
  SIZE_T done = 0;
  return address_ && ReadProcessMemory(process_, address_, out, size, &done) && done == size;
}

bool RemoteBlock::write(const void* data, size_t size) {
  SIZE_T done = 0;
  return address_ && WriteProcessMemory(process_, address_, data, size, &done) && done == size;
}

}  // namespace drv
