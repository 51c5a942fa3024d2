// The runtime heap: every text or byte block that a service hands out, and
// every text the program joins, comes from here and goes back with release().
#pragma once

#include <cstddef>
#include <cstdint>

namespace rt {

// Returns a block of `size` bytes. Running out of memory is a fatal runtime
// error ("分配 %d 字节内存失败!"); allocate() never returns null.
void* allocate(int32_t size);

// Gives a block back. Null, and anything inside a registered constant range
// (the program's built-in data), is left alone.
void release(const void* block);

// Registers memory that release() must never free: the built-in texts, the
// alarm sound and the icon image. Called at start-up, before any release.
void add_constant_range(const void* begin, std::size_t size);
bool is_constant(const void* p);

// Blocks handed out and not yet given back. Tests use it to prove that every
// path returns what it took.
long live_blocks();

// Test seam: the function that actually obtains memory (std::malloc by
// default). Returns the previous one.
using RawAllocator = void* (*)(std::size_t);
RawAllocator set_raw_allocator(RawAllocator allocator);

}  // namespace rt
