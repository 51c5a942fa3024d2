#include "heap.h"

#include <atomic>
#include <cstdlib>
#include <string>

#include "fatal.h"
#include "number_text.h"

namespace rt {
namespace {

std::atomic<long> g_live{0};
RawAllocator g_raw = &std::malloc;

// A handful of ranges, written once at start-up before any other thread runs.
struct Range {
  uintptr_t begin;
  uintptr_t end;
};
constexpr int kMaxRanges = 8;
Range g_ranges[kMaxRanges];
int g_range_count = 0;

}  // namespace

void* allocate(int32_t size) {
  void* p = size >= 0 ? g_raw(size > 0 ? static_cast<std::size_t>(size) : 1u) : nullptr;
  if (!p) {
    const std::string message = "分配 " + format_int(size) + " 字节内存失败!";
    fatal_error(message.c_str());
  }
  g_live.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void release(const void* block) {
  if (!block || is_constant(block)) return;
  g_live.fetch_sub(1, std::memory_order_relaxed);
  std::free(const_cast<void*>(block));
}

void add_constant_range(const void* begin, std::size_t size) {
  if (g_range_count == kMaxRanges) fatal_error("常量数据区过多");
  const uintptr_t b = reinterpret_cast<uintptr_t>(begin);
  g_ranges[g_range_count++] = Range{b, b + size};
}

bool is_constant(const void* p) {
  const uintptr_t v = reinterpret_cast<uintptr_t>(p);
  for (int i = 0; i < g_range_count; ++i)
    if (v >= g_ranges[i].begin && v < g_ranges[i].end) return true;
  return false;
}

long live_blocks() { return g_live.load(std::memory_order_relaxed); }

RawAllocator set_raw_allocator(RawAllocator allocator) {
  RawAllocator old = g_raw;
  g_raw = allocator ? allocator : &std::malloc;
  return old;
}

}  // namespace rt
