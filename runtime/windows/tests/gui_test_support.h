// What every test of the Windows runtime needs around its windows: a bounded
// message pump that behaves like the program's loop, and a clean slate.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace gui {

// Dispatches messages (as the runtime's loop does, keys included) until the
// condition holds or the time is up; returns the condition.
bool pump_until(const std::function<bool()>& done, DWORD timeout_ms = 5000);
void pump_for(DWORD ms);

// Destroys every loaded window, forgets that a loop ran, empties the queue.
void close_all_windows();

// The frame of a loaded window, or null.
HWND frame(uint32_t window_id);

// Whether a window is a message box: a dialog of the system's class. (As
// it activates, a box is not yet visible.)
bool is_message_box(HWND w);
// The visible message box of a thread, or null while it shows none.
HWND thread_box(DWORD thread = GetCurrentThreadId());

}  // namespace gui
