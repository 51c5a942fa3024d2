// Every C++ allocation of the program (strings and vectors of the runtime
// and the handlers) fails the way the runtime heap does: with the fatal
// runtime error that names the size, never with an exception that would have
// to cross a window procedure.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "fatal.h"
#include "start_win.h"

namespace {

// The message is built without allocating; should the report itself find no
// memory, the fatal error's own guard ends the process.
[[noreturn]] void out_of_memory(std::size_t size) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %lu 字节内存失败!", static_cast<unsigned long>(size));
  rt::fatal_error(message);
}

void* checked(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  out_of_memory(size);
}

}  // namespace

void* operator new(std::size_t size) { return checked(size); }
void* operator new[](std::size_t size) { return checked(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace rt {
// Referred to by the start of the runtime, which keeps this file in every
// program that starts it.
void fail_allocations_fatally() {}
}  // namespace rt
