// What this process holds: GDI objects, user handles (windows, menus),
// kernel handles (threads, events, files...) and private memory.
#pragma once

#include <windows.h>

namespace soak {

// kind: GR_GDIOBJECTS or GR_USEROBJECTS.
DWORD gui_objects(DWORD kind);

// Open kernel handles of this process.
DWORD kernel_handles();

// Committed memory of this process's own (heaps, stacks, buffers), in bytes.
SIZE_T private_bytes();

}  // namespace soak
