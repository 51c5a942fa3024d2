#include "driver_wait.h"

namespace drv {

bool wait_until(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeout_ms) return done();
    const DWORD left = timeout_ms - spent;
    Sleep(left < 5 ? left : 5);
  }
}

DWORD now_ms() { return GetTickCount(); }

}  // namespace drv
