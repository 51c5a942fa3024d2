// Every private window message of the program, in one place.
#pragma once

namespace rt::msg {

// A notification-area icon reports a mouse action; lParam is the mouse message.
constexpr unsigned kTrayIcon = 0x8064;
// A window asked to close itself after the current handler (destroy without
// "at once").
constexpr unsigned kDeferredDestroy = 0x8065;

}  // namespace rt::msg
