// The set tray icon service: any window of the program can show one icon in
// the notification area, change it, or take it down. The tray keeps each
// window's icon itself: it goes with its window when the window is
// destroyed, comes back when the shell recreates the notification area, and
// its mouse reports become the window's tray notification event.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tray_codes.h"

namespace tray {

// Provides set tray icon in the service table and asks the runtime for the
// destruction of windows, the icon's mouse reports and the shell's
// "TaskbarCreated" broadcast.
void provide_tray_icon_service();

// The icon a window shows now, or null (tests).
HICON shown_icon(uint32_t window_id);

// The tray notification code of an icon's mouse message; kTrayNothing (no
// event raised) for any message but the four that count.
TrayCode tray_code(LPARAM mouse_message);

}  // namespace tray
