// What the program keeps of a running schedule, so that it survives Windows
// ending the session (an update's restart, a log-off, a power cut): the
// record is written when the schedule starts, kept current while 关机, 音乐,
// 提醒: or the reminder text change, and removed when the schedule ends: it
// fires (before anything else happens, so that no boot can repeat it), the
// user stops it, or the user ends the program. A session that ends leaves
// it in place.
#pragma once

#include <cstdint>

#include "services.h"

namespace schedule {

// 定时 started a schedule with the moment given: keeps it from the units.
void keep_new_schedule(double moment);
// A schedule brought back: its record is kept already.
void adopt_kept_schedule(const svc::KeptSchedule& kept);
// Rewrites the record when the check boxes or the reminder text differ
// from what it holds.
void keep_schedule_current();
// The schedule has ended.
void forget_kept_schedule();

// The main window's handlers: the session ends (1) or goes on after all
// (0); the window is being destroyed.
void on_session_ends(int32_t ends);
void on_main_destroying();

}  // namespace schedule
