// The main window's clock: every tick of 时钟1 shows the current date and
// time in 标签_当前时间.
#pragma once

namespace schedule {

void on_clock_tick();

}  // namespace schedule
