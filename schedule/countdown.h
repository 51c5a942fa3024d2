// The countdown of a running schedule and its firing. Each tick of 时钟2
// lowers the seconds shown in 标签_剩余时间 by the seconds that really
// passed since the tick before (ticks held up by sleep or a busy thread are
// made up); the tick that brings them to 0 fires the schedule once, as the
// three check boxes stand at that moment: 关机 asks for confirmation first
// (unless the moment is more than a minute past), 音乐 plays the alarm while
// the reminder box is open, 提醒: shows the reminder text instead of
// "时间到!".
#pragma once

namespace schedule {

void on_countdown_tick();

}  // namespace schedule
