// Loads one window of the program on its own, with the program's layouts and
// handlers, so that tests can look at windows the program only opens late.
//   layout_host WINDOW-ID-HEX [EVENT-LOG-FILE]
// With a log file, every event the runtime raises is appended as a line
// "WINDOW-ID UNIT-ID EVENT" (%08X %08X %d). Exits 0 when the window is closed,
// 2 when the window cannot be loaded. The themed look is on, as it is in
// the program once its main window has been created.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "program.h"
#include "service.h"
#include "window_runtime.h"

namespace {

FILE* g_log = nullptr;

void log_event(uint32_t window_id, uint32_t unit_id, int event) {
  std::fprintf(g_log, "%08X %08X %d\n", static_cast<unsigned>(window_id), static_cast<unsigned>(unit_id), event);
  std::fflush(g_log);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const uint32_t window_id = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 16));
  if (argc > 2 && (g_log = std::fopen(argv[2], "a"))) rt::set_event_observer(log_event);
  app::start_program();
  rt::call(rt::Service::VisualStyle, {rt::arg_int(1)});
  if (!rt::load_window(window_id, 0, false)) return 2;
  return rt::run_message_loop();
}
