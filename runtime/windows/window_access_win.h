// What Windows modules above the runtime may know of the program's windows
// without the window table: a loaded window's frame, a popup menu made from
// its layout, and notifications of its destruction and of the messages the
// runtime leaves to others, from which a listener may raise the window's own
// events. The runtime never names the modules that listen.
#pragma once

#include <windows.h>

#include <cstdint>

#include "win_handle.h"
#include "window_runtime.h"

namespace rt {
namespace win {
struct LoadedWindow;
}

// The frame of a loaded window, or null.
HWND window_handle(uint32_t window_id);

// The items under one of a window's top-level menus as a popup menu, made as
// the menu bar makes them: layout order, command identifiers 20000 + position
// among the window's menu units, items marked hidden left out. Empty when the
// window is not loaded or the unit is not one of its top-level menus.
UniqueMenu make_popup_menu(uint32_t window_id, uint32_t menu_id);

// A window is being destroyed: called after its about-to-be-destroyed event,
// while its frame still exists.
using DestroyObserver = void (*)(uint32_t window_id) noexcept;
// A private (WM_APP and up) or registered message that reached a loaded
// window's frame; the runtime handles none of those itself.
struct FrameMessage {
  uint32_t window_id;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  win::LoadedWindow& window;  // the window the frame is bound to
};
// Raises an event of the window that received the message, as its frame
// raises its own events: the window is known, nothing is looked up.
EventAnswer raise_window_event(const FrameMessage& m, int event, int argc = 0, const int32_t* args = nullptr);
// Answers whether it took the message (the frame then answers 0).
using MessageObserver = bool (*)(const FrameMessage& m) noexcept;

// Observers are called on the user-interface thread, from the window
// procedure, in the order they were added; adding one twice keeps one.
void add_destroy_observer(DestroyObserver observer);
void add_message_observer(UINT message, MessageObserver observer);

}  // namespace rt
