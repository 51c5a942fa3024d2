// The set tray icon service: any window of the program can show one icon in
// the notification area, change it, or take it down; while it shows, its
// tip can change and balloons can come from it. The tray keeps each
// window's icon itself: it goes with its window when the window is
// destroyed, comes back when the shell recreates the notification area, and
// its mouse reports become the window's tray notification event.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tray_codes.h"

namespace tray {

// Provides set tray icon, set tray tip and show tray balloon in the service
// table and asks the runtime for the destruction of windows, the icon's
// reports and the shell's "TaskbarCreated" broadcast.
void provide_tray_icon_service();

// The icon a window shows now, or null (tests).
HICON shown_icon(uint32_t window_id);

// The tray notification code of an icon's mouse message or balloon report;
// kTrayNothing (no event raised) for any message but the five that count.
TrayCode tray_code(LPARAM mouse_message);

}  // namespace tray
