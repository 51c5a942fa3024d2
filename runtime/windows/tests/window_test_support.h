// Small layouts of the tests' own, handlers that record what happens, and
// a bounded message pump.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "layout.h"
#include "window_runtime.h"
#include "window_table_win.h"

namespace wt {

// Window A: everything a window can have; B: a small one with a running timer.
constexpr uint32_t kA = 0x52000001, kAOwn = 0x06000000;
constexpr uint32_t kMenu = 0x26000001, kItem1 = 0x26000002, kItem2 = 0x26000003;
constexpr uint32_t kButton = 0x16000004, kTimerA = 0x16000005, kLabel = 0x16000006, kCheck = 0x16000007;
constexpr uint32_t kEdit = 0x16000008, kComboEdit = 0x16000009, kComboList = 0x1600000A, kDate = 0x1600000B;
constexpr uint32_t kB = 0x52000002, kBOwn = 0x06000010, kTimerB = 0x16000011, kButtonB = 0x16000012;

// What happened, in order: "created", "moved", "clicked", ...
std::vector<std::string>& log();

// Test-specific behaviour of some handlers, reset before every test.
struct Hooks {
  std::function<void()> on_click;          // A's button
  std::function<void()> on_tick_a;         // A's timer
  std::function<void()> on_tick_b;         // B's timer
  std::function<void()> on_created_b;
  std::function<void()> on_shown;          // A shown
  std::function<void()> on_moved;          // A moved
  std::function<int32_t()> close_requested = [] { return 1; };
  std::function<int32_t()> may_close = [] { return 1; };
};
Hooks& hooks();

// Starts the runtime with the test layouts, empty log, default hooks.
void start();
// Destroys every window and empties the message queue.
void finish();

using gui::frame;
using gui::pump_for;
using gui::pump_until;
HWND control(uint32_t window_id, uint32_t unit_id);

std::wstring window_text(HWND w);

}  // namespace wt
