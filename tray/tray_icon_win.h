// The set tray icon service: any window of the program can show one icon in
// the notification area, change it, or take it down. The icon goes with its
// window when the window is destroyed, and comes back when the shell
// recreates the notification area.
#pragma once

namespace tray {

// Provides set tray icon in the service table, installs the removal that
// the runtime runs for a window being destroyed, and listens for the shell's
// "TaskbarCreated" broadcast.
void provide_tray_icon_service();

}  // namespace tray
