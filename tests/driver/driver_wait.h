// Waiting for a condition with a bound: the driver never sleeps and hopes.
#pragma once

#include <windows.h>

#include <functional>

namespace drv {

// The bound for things a responsive program does at once (a window appears,
// the focus moves, a text changes).
constexpr DWORD kPromptMs = 5000;

// Checks `done` until it holds or `timeout_ms` has passed; returns its last
// answer. Checks are a few milliseconds apart.
bool wait_until(const std::function<bool()>& done, DWORD timeout_ms = kPromptMs);

// Milliseconds since some fixed moment, for measuring (never for asserting).
DWORD now_ms();

}  // namespace drv
