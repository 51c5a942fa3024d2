// The countdown of a running schedule and its firing. Each tick of 时钟2
// writes into 标签_剩余时间 the seconds from the system clock's now to the
// schedule's moment; the tick that finds them at 0 fires the schedule once,
// as the three check boxes stand at that moment: 关机 asks for
// confirmation first, 音乐 plays the alarm while the reminder box is open,
// 提醒: shows the reminder text instead of "时间到!". A firing more than a
// minute after its moment is a missed one, and only says so.
#pragma once

#include <cstdint>

namespace schedule {

void on_countdown_tick();

// Writes into 标签_剩余时间 the seconds from `now` (universal) to the
// moment, 0 at the least, and what the tray tells of them; gives them,
// below 0 once the moment has passed.
int64_t show_count(double now);
// Back to idle: no more ticks, the button starts a new schedule, the tip
// says no more than the program's name.
void end_schedule();
// The system time or zone was set: the clock and the count show it at once.
void on_time_changed();

}  // namespace schedule
