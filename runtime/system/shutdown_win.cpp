#include "system/shutdown_win.h"

#include "convert.h"
#include "service.h"
#include "system/shutdown_modes.h"
#include "win_handle.h"

namespace rt::system {
namespace {

static_assert(kExitLogOff == EWX_LOGOFF && kExitShutdown == EWX_SHUTDOWN && kExitReboot == EWX_REBOOT &&
                  kExitForce == EWX_FORCE && kExitPowerOff == EWX_POWEROFF,
              "ExitWindowsEx flags");

ShutdownCalls g_calls = real_shutdown_calls();

// The token is closed through the table too, so that a recording shows it.
void close_token(HANDLE token) { g_calls.close_handle(token); }
using UniqueToken = UniqueHandle<HANDLE, &close_token>;

bool nt_platform() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return g_calls.get_version(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Only the NT platform has privileges. There the account must hold the
// shutdown privilege; enabling it lasts for the rest of the process's life.
// AdjustTokenPrivileges succeeds even when the account lacks the privilege,
// so the last error decides.
bool enable_shutdown_privilege() {
  if (!nt_platform()) return true;
  HANDLE raw = nullptr;
  if (!g_calls.open_process_token(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
  const UniqueToken token(raw);
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!g_calls.lookup_privilege_value(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid)) return false;
  const BOOL adjusted = g_calls.adjust_token_privileges(token.get(), FALSE, &wanted, 0, nullptr, nullptr);
  return adjusted && GetLastError() == ERROR_SUCCESS;
}

bool request(int32_t mode, bool force) {
  if (!is_shutdown_mode(mode)) return false;
  if (!enable_shutdown_privilege()) return false;
  if (is_power_state_mode(mode)) return g_calls.set_system_power_state(mode == kModeSuspend, force) != FALSE;
  const bool nt = mode == kModeShutDown && nt_platform();
  return g_calls.exit_windows(exit_windows_flags(mode, force, nt), 0) != FALSE;
}

void shutdown_service(Result& r, int n, const Arg* args) {
  const bool force = force_requested(arg_at(n, args, 1));
  set_bool(r, request(to_integer(arg_at(n, args, 0)), force));
}

// Windows' idle sleep stops the clock ticks, and a shutdown scheduled for
// the night would never come. The request holds the system, not the
// display, awake until it is taken back; it belongs to the calling thread
// and ends with it. Windows hears only changes: the caller may decide on
// every tick. A failed call is asked again next time.
bool g_awake = false;
DWORD g_awake_thread = 0;  // the thread whose request holds the system

bool keep_awake(bool on) {
  if (on == g_awake) return true;
  const EXECUTION_STATE state = on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS;
  if (g_calls.set_thread_execution_state(state) == 0) return false;
  g_awake = on;
  g_awake_thread = GetCurrentThreadId();
  return true;
}

void keep_awake_service(Result& r, int n, const Arg* args) {
  set_bool(r, keep_awake(to_integer(arg_at(n, args, 0)) != 0));
}

}  // namespace

ShutdownCalls real_shutdown_calls() {
  return ShutdownCalls{&GetVersionExA, &OpenProcessToken, &LookupPrivilegeValueA, &AdjustTokenPrivileges,
                       &CloseHandle,   &ExitWindowsEx,    &SetSystemPowerState,   &SetThreadExecutionState};
}

ShutdownCalls set_shutdown_calls(const ShutdownCalls& calls) {
  const ShutdownCalls old = g_calls;
  g_calls = calls;
  return old;
}

void provide_shutdown_service() {
  provide(Service::ShutdownSystem, shutdown_service);
  provide(Service::KeepAwake, keep_awake_service);
}

void let_system_sleep() {
  if (GetCurrentThreadId() == g_awake_thread) keep_awake(false);
}

}  // namespace rt::system
