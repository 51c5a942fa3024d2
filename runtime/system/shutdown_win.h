// The shut down system service: enables the shutdown privilege of the
// program's own process, then asks Windows to shut down, restart, log off,
// suspend or hibernate. Beside it, keep awake: while a shutdown is
// scheduled, the machine must not fall asleep before it.
//
// Every Windows call of a request goes through one table of functions, so
// that tests and test programs can record the calls instead: a real
// ExitWindowsEx ends every program of the session, the one that asked
// included.
#pragma once

#include <windows.h>

#include "service.h"

namespace rt::system {

struct ShutdownCalls {
  BOOL(WINAPI* get_version)(OSVERSIONINFOA* info);
  BOOL(WINAPI* open_process_token)(HANDLE process, DWORD access, HANDLE* token);
  BOOL(WINAPI* lookup_privilege_value)(const char* system, const char* name, LUID* luid);
  BOOL(WINAPI* adjust_token_privileges)(HANDLE token, BOOL disable_all, TOKEN_PRIVILEGES* state, DWORD length,
                                        TOKEN_PRIVILEGES* previous, DWORD* returned);
  BOOL(WINAPI* close_handle)(HANDLE handle);
  BOOL(WINAPI* exit_windows)(UINT flags, DWORD reason);
  BOOL(WINAPI* set_system_power_state)(BOOL suspend, BOOL force);
  EXECUTION_STATE(WINAPI* set_thread_execution_state)(EXECUTION_STATE state);
};

// The functions of Windows itself.
ShutdownCalls real_shutdown_calls();

// Installs `calls` for every later request and returns the table it
// replaces.
ShutdownCalls set_shutdown_calls(const ShutdownCalls& calls);

// Replaces the calls for the lifetime of the object (tests).
using ShutdownCallsOverride = CallsOverride<ShutdownCalls, &set_shutdown_calls>;

// Provides shut down system: (integer mode, [boolean force]) -> boolean,
// true when Windows accepted the request; and keep awake: (boolean) ->
// boolean, true when the system now stays awake as asked.
void provide_shutdown_service();

// What keep awake false does, on the thread that made the request (it
// belongs to that thread; another can neither see nor end it). The end of
// the message loop calls it, so that no request outlives the program, and
// so does a fatal error before its box.
void let_system_sleep();

}  // namespace rt::system
