// How many GDI objects and user handles (windows, menus) this process holds.
#pragma once

#include <windows.h>

namespace soak {

// kind: GR_GDIOBJECTS or GR_USEROBJECTS.
DWORD gui_objects(DWORD kind);

}  // namespace soak
