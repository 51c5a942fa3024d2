#include "clock_win.h"

#include "datetime.h"
#include "service.h"

namespace rt {
namespace {

ClockCalls g_calls = real_clock_calls();

// The 32-bit count's last reading and the sum of its differences.
DWORD g_last_count = 0;
uint64_t g_count_sum = 0;

void now_service(Result& r, int, const Arg*) { set_double(r, local_now()); }

}  // namespace

ClockCalls real_clock_calls() {
  const auto tick_count64 = reinterpret_cast<ULONGLONG(WINAPI*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
  return ClockCalls{&GetLocalTime, tick_count64, &GetTickCount};
}

ClockCalls set_clock_calls(const ClockCalls& calls) {
  const ClockCalls old = g_calls;
  g_calls = calls;
  return old;
}

uint64_t tick_count() {
  if (g_calls.get_tick_count64) return g_calls.get_tick_count64();
  const DWORD count = g_calls.get_tick_count();
  g_count_sum += static_cast<DWORD>(count - g_last_count);
  g_last_count = count;
  return g_count_sum;
}

double local_now() {
  SYSTEMTIME t{};
  g_calls.get_local_time(&t);
  return clock_datetime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

void provide_local_time_service() { provide(Service::Now, &now_service); }

}  // namespace rt
