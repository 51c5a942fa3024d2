// The main window's own behaviour: the preparation when it has been created,
// withdrawing into the tray when minimised, its tray icon's notifications,
// showing, hiding and closing.
#pragma once

#include <cstdint>

namespace app {

void on_main_created();
void on_main_moved();
void on_tray_notification(int32_t code);
// Windows ends the session (1), or goes on after all (0).
void on_session_ends(int32_t ends);

void show_main_window();
void hide_main_window();
void close_main_window();

}  // namespace app
