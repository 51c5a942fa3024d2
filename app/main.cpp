// The program's entry: start the runtime, load the main window, run until
// the last window is gone.
#include <windows.h>

#include "main_window.h"
#include "program.h"
#include "window_runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::start_program();
  rt::load_startup_window(layouts::main_window::kWindow);
  return rt::run_message_loop();
}
