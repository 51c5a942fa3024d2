// The countdown of a running schedule and its firing. Each tick of 时钟2
// lowers the seconds shown in 标签_剩余时间; the tick that brings them to 0
// fires the schedule once, as the three check boxes stand at that moment:
// 关机 asks for confirmation first, 音乐 plays the alarm while the reminder
// box is open, 提醒: shows the reminder text instead of "时间到!".
#pragma once

namespace schedule {

void on_countdown_tick();

}  // namespace schedule
