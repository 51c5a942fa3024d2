#include "program.h"

#include "handlers.h"
#include "layouts.h"
#include "popup_menu_win.h"
#include "start_win.h"
#include "tray_icon_win.h"
#include "window_runtime.h"

namespace app {

void start_program() {
  rt::start_runtime();
  // The tray's services: it listens for the destruction and the messages of
  // the program's windows itself.
  tray::provide_tray_icon_service();
  tray::provide_popup_menu_service();
  rt::start_windows(layouts::kAll, layouts::kCount, kHandlers, kHandlerCount);
}

}  // namespace app
