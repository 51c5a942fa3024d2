#include "process_objects.h"

namespace soak {
namespace {

HANDLE slot(unsigned i) { return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(i)); }

// Wine answers 0 to GetGuiResources. Its handles name a slot of its handle
// tables in their low word, and a handle whose upper word is 0 is taken for
// whatever object the slot holds now: every slot is asked.
DWORD count_gdi_slots() {
  DWORD n = 0;
  for (unsigned i = 1; i <= 0xFFFF; ++i)
    if (GetObjectType(slot(i))) ++n;
  return n;
}

DWORD count_user_slots() {
  DWORD n = 0;
  for (unsigned i = 0x20; i <= 0xFFFF; i += 2) {
    const HWND w = static_cast<HWND>(slot(i));
    DWORD process = 0;
    if (IsWindow(w)) {
      GetWindowThreadProcessId(w, &process);
      if (process == GetCurrentProcessId()) ++n;
    } else if (IsMenu(static_cast<HMENU>(slot(i)))) {
      ++n;
    }
  }
  return n;
}

}  // namespace

DWORD gui_objects(DWORD kind) {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), kind)) return n;
  return kind == GR_GDIOBJECTS ? count_gdi_slots() : count_user_slots();
}

// Wine answers 0 to GetProcessHandleCount. A kernel handle is a multiple of
// 4 that indexes the process's handle table, and GetHandleInformation
// answers for a live one only: every index up to the table's limit is asked.
DWORD kernel_handles() {
  DWORD n = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &n) && n) return n;
  for (UINT_PTR h = 4; h < 0x10000; h += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) ++n;
  }
  return n;
}

// The committed private regions of the address space, added up: Windows's
// private bytes, read the same way under Wine as on Windows.
SIZE_T private_bytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION m;
  const char* at = nullptr;
  while (VirtualQuery(at, &m, sizeof m) == sizeof m) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    const char* next = static_cast<const char*>(m.BaseAddress) + m.RegionSize;
    if (next <= at) break;  // the end of the address space
    at = next;
  }
  return total;
}

}  // namespace soak
