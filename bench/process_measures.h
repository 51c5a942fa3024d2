// What the benchmarks read of a program they started, from outside: its
// first visible window, its working set and the CPU time it has used.
#pragma once

#include <windows.h>

namespace bench {

// A visible top-level window of the thread, or null. Every look costs the
// Wine server requests that a measured program then waits behind, so `full`
// chooses: false asks only which window the thread has activated (one
// request), true also looks through all of the thread's windows, for a
// program that shows one without activating it.
HWND first_visible_window(DWORD thread_id, bool full);

// The process's working set in MB (2^20 bytes); 0 when it cannot be read.
// The handle needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
double working_set_mb(HANDLE process);

// CPU time (user and kernel) that the process's threads have used so far, in
// milliseconds; Wine counts it in 10 ms steps. 0 for an unknown process.
double cpu_ms(DWORD process_id);

}  // namespace bench
