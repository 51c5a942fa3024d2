// The clocks the program reads from Windows: the local time the user sees
// (in whatever zone Windows has now, so that a change of zone shows at
// once); the system time in universal time, which a running schedule is
// counted against, so that it follows a clock the user or the time service
// sets; and the tick count, which runs on while the machine sleeps and
// ignores changes of the system time, for telling a tick held up from one
// on time.
//
// All are read through one table of functions, so that tests can set the
// time, the zone and the ticks.
#pragma once

#include <windows.h>

#include <cstdint>

#include "service.h"

namespace rt {

struct ClockCalls {
  void(WINAPI* get_local_time)(SYSTEMTIME* time);
  void(WINAPI* get_system_time)(FILETIME* time);  // universal, 100 ns since 1601
  ULONGLONG(WINAPI* get_tick_count64)();  // null where Windows has none (XP)
  DWORD(WINAPI* get_tick_count)();
};

// The functions of Windows itself; GetTickCount64 is looked up, as XP lacks it.
ClockCalls real_clock_calls();

// Installs `calls` for every later reading and returns the table it replaces.
ClockCalls set_clock_calls(const ClockCalls& calls);

// Replaces the calls for the lifetime of the object (tests).
using ClockCallsOverride = CallsOverride<ClockCalls, &set_clock_calls>;

// Milliseconds on the tick count, in 64 bits. Without GetTickCount64 the
// 32-bit count is extended by adding up the differences between readings:
// unsigned arithmetic keeps each right across its wrap, every 49.7 days, as
// long as readings come more often than that (the clock ticks every second).
// User-interface thread only.
uint64_t tick_count();

// The local time from Windows, as a date-time in whole seconds.
double local_now();

// Provides now from Windows' local time (in place of the C runtime's, which
// reads the zone once, at start), universal now (whole seconds) and the
// universal clock (to the millisecond) from the system time.
void provide_clock_services();

}  // namespace rt
