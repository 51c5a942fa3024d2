// Schedules that run out and fire through the countdown's own handler, with
// whatever they open answered as a user would: the reminder box with OK, the
// shutdown confirmation with 取消, with its close button, or by letting its
// count run out (its ticks raised as its timer raises them) until it asks
// for the shutdown, which is recorded and refused, and then closing it. The
// alarm plays while the box is open and is stopped, and waited for, after
// each firing.
#pragma once

#include <windows.h>

namespace soak {

// Once, before the first firing: the reminder's text, and shutdown requests
// counted and refused instead of made (a real one would end the Wine
// session).
void prepare_firings();

// Starts a schedule whose target is the current second (a count of 0 or 1)
// and raises 时钟2 ticks until it fires. Firing `n` checks the boxes of one
// of four kinds in turn: 提醒, 音乐, 关机, all three; each round of four
// answers the confirmation another of the three ways. True when it fired as
// that kind must: the confirmation window and the box it should open and no
// other, one shutdown request exactly when the count ran out, the box's
// text, the alarm playing while the box was open, and the schedule idle at
// 0 afterwards. The time boxes are left as they were found.
bool fire(HWND frame, int n);

// Shutdown requests that reached the (counting) system calls, and how many
// confirmations were let run out.
int shutdown_requests();
int run_out_confirmations();

}  // namespace soak
