// The measures the benchmarks take of a program, taken of the test's own
// process through the same roads they take to another one.
#include "process_measures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND make_window() {
  return CreateWindowExW(0, L"STATIC", L"measured", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h) CloseHandle(h);
  }
};

ULONGLONG thread_cpu_ms() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  const auto ticks = [](const FILETIME& f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return (ticks(kernel) + ticks(user)) / 10000;
}

TEST(ProcessMeasures, AWindowCountsOnceItIsVisibleAndTheCheapLookSeesOnlyTheActivatedOne) {
  const DWORD thread = GetCurrentThreadId();
  const HWND quiet = make_window(), active = make_window();
  ASSERT_TRUE(quiet && active);
  EXPECT_EQ(bench::first_visible_window(thread, true), nullptr) << "hidden windows do not count";

  ShowWindow(quiet, SW_SHOWNA);  // visible, not activated
  EXPECT_EQ(bench::first_visible_window(thread, false), nullptr);
  EXPECT_EQ(bench::first_visible_window(thread, true), quiet);

  ShowWindow(active, SW_SHOW);
  EXPECT_EQ(bench::first_visible_window(thread, false), active);
  EXPECT_EQ(bench::first_visible_window(GetCurrentThreadId() + 4, true), nullptr) << "another thread's windows";
  DestroyWindow(quiet);
  DestroyWindow(active);
}

TEST(ProcessMeasures, TheWorkingSetGrowsByTheMemoryTouched) {
  const Handle self{OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, GetCurrentProcessId())};
  ASSERT_NE(self.h, nullptr);
  const double before = bench::working_set_mb(self.h);
  EXPECT_GT(before, 1.0);
  const size_t size = 16u << 20;
  auto* block = static_cast<volatile char*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(block, nullptr);
  for (size_t i = 0; i < size; i += 4096) block[i] = 1;
  EXPECT_GT(bench::working_set_mb(self.h), before + 15.0);
  VirtualFree(const_cast<char*>(block), 0, MEM_RELEASE);
}

TEST(ProcessMeasures, CpuTimeIsWhatTheProcessUsed) {
  const double before = bench::cpu_ms(GetCurrentProcessId());
  const ULONGLONG start = thread_cpu_ms();
  const DWORD began = GetTickCount();
  volatile unsigned spin = 0;
  while (thread_cpu_ms() - start < 300 && GetTickCount() - began < 10000) ++spin;
  const double used = static_cast<double>(thread_cpu_ms() - start);
  ASSERT_GE(used, 300.0) << "the loop could not burn enough CPU";
  EXPECT_GE(bench::cpu_ms(GetCurrentProcessId()) - before, used - 30.0);
  EXPECT_EQ(bench::cpu_ms(0xFFFFFFF0u), 0.0) << "no such process";
}

}  // namespace
