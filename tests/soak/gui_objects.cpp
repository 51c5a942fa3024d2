#include "gui_objects.h"

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

}  // namespace soak
