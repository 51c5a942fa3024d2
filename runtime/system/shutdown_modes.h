// What a shutdown request asks of Windows, by mode: the ExitWindowsEx flags
// of shutting down, restarting and logging off, and which modes are power
// state changes instead (suspend, hibernate).
#pragma once

#include <cstdint>

#include "value.h"

namespace rt::system {

constexpr int32_t kModeShutDown = 1;   // and switch off where the platform can
constexpr int32_t kModeRestart = 2;
constexpr int32_t kModeLogOff = 3;
constexpr int32_t kModeSuspend = 4;
constexpr int32_t kModeHibernate = 5;

// The ExitWindowsEx flags, spelled out here so that this table builds
// without <windows.h> (the Windows side checks they agree).
constexpr uint32_t kExitLogOff = 0;
constexpr uint32_t kExitShutdown = 1;
constexpr uint32_t kExitReboot = 2;
constexpr uint32_t kExitForce = 4;
constexpr uint32_t kExitPowerOff = 8;

// Modes 1 to 5; anything else is refused before Windows is asked.
inline bool is_shutdown_mode(int32_t mode) { return mode >= kModeShutDown && mode <= kModeHibernate; }
// Suspend and hibernate go to SetSystemPowerState, the rest to ExitWindowsEx.
inline bool is_power_state_mode(int32_t mode) { return mode == kModeSuspend || mode == kModeHibernate; }

// The flags for modes 1 to 3 (0 for any other mode). Only the NT platform
// can switch the machine off; elsewhere shutting down stops at "safe to
// switch off". Force closes other programs without asking them.
uint32_t exit_windows_flags(int32_t mode, bool force, bool nt_platform);

// The force argument counts only when it is given and its low word is not 0.
inline bool force_requested(const Arg& force) { return present(force) && force.low != 0; }

}  // namespace rt::system
