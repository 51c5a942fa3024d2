#include "system/shutdown_modes.h"

namespace rt::system {

uint32_t exit_windows_flags(int32_t mode, bool force, bool nt_platform) {
  uint32_t flags;
  switch (mode) {
    case kModeShutDown:
      flags = nt_platform ? kExitPowerOff : kExitShutdown;
      break;
    case kModeRestart:
      flags = kExitReboot;
      break;
    case kModeLogOff:
      flags = kExitLogOff;
      break;
    default:
      return 0;
  }
  return force ? flags | kExitForce : flags;
}

}  // namespace rt::system
