// The program's entry: start the runtime, read what the command line asks,
// load the main window, run until the last window is gone.
#include <windows.h>

#include "launch.h"
#include "main_window.h"
#include "program.h"
#include "window_runtime.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  app::start_program();
  const int ended = app::prepare_launch();
  if (ended >= 0) return ended;
  rt::load_startup_window(layouts::main_window::kWindow);
  return rt::run_message_loop();
}
