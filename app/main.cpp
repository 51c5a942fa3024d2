// The program's entry: start the runtime, then run until the last window is
// gone.
#include <windows.h>

#include "start_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  rt::start_runtime();
  return 0;
}
