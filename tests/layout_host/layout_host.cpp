// Loads one window of the program on its own, with the program's layouts and
// handlers, so that tests can look at windows the program only opens late.
//   layout_host WINDOW-ID-HEX [EVENT-LOG-FILE] [--again] [--real-shutdown]
// With a log file, every event the runtime raises is appended as a line
// "WINDOW-ID UNIT-ID EVENT" (%08X %08X %d).
// A shutdown request never reaches Windows unless --real-shutdown is given
// (a real one ends every program of the Wine session, the test driver
// included): the privilege is enabled for real, then the request is logged
// as "ExitWindowsEx FLAGS" or "SetSystemPowerState SUSPEND FORCE" and
// answered as accepted; execution states are set and logged alike.
// The window is loaded as the program loads its main window: closing it
// ends the run and takes every window it opened with it. --again loads it
// once more after that.
// Exits 0 when the window is closed, 2 when no window identifier is given;
// an identifier of no window is the runtime's fatal error, as at the
// program's own start.
// The themed look is on, as it is in the program once its main window has
// been created.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "command_line.h"
#include "program.h"
#include "service.h"
#include "system/shutdown_win.h"
#include "window_runtime.h"

namespace {

FILE* g_log = nullptr;

void log_event(uint32_t window_id, uint32_t unit_id, int event) {
  std::fprintf(g_log, "%08X %08X %d\n", static_cast<unsigned>(window_id), static_cast<unsigned>(unit_id), event);
  std::fflush(g_log);
}

void log_line(const char* format, unsigned a, unsigned b) {
  if (!g_log) return;
  std::fprintf(g_log, format, a, b);
  std::fflush(g_log);
}

BOOL WINAPI record_exit_windows(UINT flags, DWORD) {
  log_line("ExitWindowsEx %u\n", flags, 0);
  return TRUE;
}

BOOL WINAPI record_power_state(BOOL suspend, BOOL force) {
  log_line("SetSystemPowerState %u %u\n", static_cast<unsigned>(suspend), static_cast<unsigned>(force));
  return TRUE;
}

EXECUTION_STATE WINAPI record_execution_state(EXECUTION_STATE state) {
  log_line("SetThreadExecutionState %08X\n", static_cast<unsigned>(state), 0);
  return SetThreadExecutionState(state);
}

}  // namespace

int main() {
  const drv::CommandLine args = drv::command_line();
  const bool again = args.has(L"again"), real_shutdown = args.has(L"real-shutdown");
  if (args.positional.empty()) return 2;
  const uint32_t window_id = static_cast<uint32_t>(std::wcstoul(args.positional[0].c_str(), nullptr, 16));
  if (args.positional.size() > 1 && (g_log = _wfopen(args.positional[1].c_str(), L"a"))) {
    rt::set_event_observer(log_event);
  }
  app::start_program();
  if (!real_shutdown) {
    rt::system::ShutdownCalls recorded = rt::system::real_shutdown_calls();
    recorded.exit_windows = record_exit_windows;
    recorded.set_system_power_state = record_power_state;
    recorded.set_thread_execution_state = record_execution_state;
    rt::system::set_shutdown_calls(recorded);
  }
  rt::call(rt::Service::VisualStyle, {rt::arg_int(1)});
  for (int opened = 0; opened < (again ? 2 : 1); ++opened) {
    rt::load_startup_window(window_id);
    rt::run_message_loop();
  }
  return 0;
}
