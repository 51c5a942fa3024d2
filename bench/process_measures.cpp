#include "process_measures.h"

#include <psapi.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {
namespace {

BOOL CALLBACK take_if_visible(HWND w, LPARAM found) {
  if (!IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(found) = w;
  return FALSE;
}

// What NtQuerySystemInformation(SystemProcessInformation) lists for each
// process, followed by its threads (the 32-bit layout; the fields between are
// not read). Wine answers GetProcessTimes of another process with zero times,
// but fills in the threads' times here.
struct ThreadTimes {
  LARGE_INTEGER kernel, user, created;
  ULONG wait_time;
  void* start_address;
  HANDLE process_id, thread_id;
  LONG priority, base_priority;
  ULONG context_switches, state, wait_reason;
};
struct ProcessEntry {
  ULONG next_offset;
  ULONG thread_count;
  BYTE unused1[48];
  USHORT name_length, name_capacity;
  wchar_t* name;
  LONG base_priority;
  HANDLE process_id;
  BYTE unused2[112];
  ThreadTimes threads[1];
};
static_assert(sizeof(void*) != 4 || offsetof(ProcessEntry, threads) == 184, "the 32-bit layout");
constexpr ULONG kSystemProcessInformation = 5;
using QuerySystem = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

}  // namespace

HWND first_visible_window(DWORD thread_id, bool full) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(thread_id, &gui) && gui.hwndActive && IsWindowVisible(gui.hwndActive)) return gui.hwndActive;
  HWND found = nullptr;
  if (full) EnumThreadWindows(thread_id, take_if_visible, reinterpret_cast<LPARAM>(&found));
  return found;
}

double working_set_mb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS c{};
  c.cb = sizeof c;
  if (!GetProcessMemoryInfo(process, &c, sizeof c)) return 0;
  return static_cast<double>(c.WorkingSetSize) / (1024.0 * 1024.0);
}

double cpu_ms(DWORD process_id) {
  static const auto query = reinterpret_cast<QuerySystem>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return 0;
  std::vector<unsigned char> buffer(1 << 20);
  ULONG needed = 0;
  while (query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0) {
    if (buffer.size() >= (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  for (size_t at = 0;;) {
    const auto* p = reinterpret_cast<const ProcessEntry*>(buffer.data() + at);
    if (reinterpret_cast<uintptr_t>(p->process_id) == process_id) {
      ULONGLONG ticks = 0;
      for (ULONG t = 0; t < p->thread_count; ++t)
        ticks += static_cast<ULONGLONG>(p->threads[t].kernel.QuadPart + p->threads[t].user.QuadPart);
      return static_cast<double>(ticks) / 10000.0;
    }
    if (!p->next_offset) return 0;
    at += p->next_offset;
  }
}

}  // namespace bench
