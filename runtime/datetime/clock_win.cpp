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

// 1601-01-01, where file times begin, as a day from 1899-12-30.
constexpr long kFileTimeDay = -109205;
constexpr uint64_t kMsPerDay = 86400000;

// The system time as a date-time, to the millisecond or in the whole
// seconds that have begun.
double system_time(bool whole_seconds) {
  FILETIME t{};
  g_calls.get_system_time(&t);
  const uint64_t ms = ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000;
  const uint64_t ms_of_day = ms % kMsPerDay;
  return datetime_at_ms(kFileTimeDay + static_cast<long>(ms / kMsPerDay),
                        static_cast<int64_t>(whole_seconds ? ms_of_day / 1000 * 1000 : ms_of_day));
}

void universal_clock_service(Result& r, int, const Arg*) { set_double(r, system_time(false)); }
void universal_now_service(Result& r, int, const Arg*) { set_double(r, system_time(true)); }

}  // namespace

ClockCalls real_clock_calls() {
  const auto tick_count64 = reinterpret_cast<ULONGLONG(WINAPI*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
  return ClockCalls{&GetLocalTime, &GetSystemTimeAsFileTime, tick_count64, &GetTickCount};
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

void provide_clock_services() {
  provide(Service::Now, &now_service);
  provide(Service::UniversalNow, &universal_now_service);
  provide(Service::UniversalClock, &universal_clock_service);
}

}  // namespace rt
