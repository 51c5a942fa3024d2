// 按钮1 of the main window starts a schedule ("定时") or stops it ("停止").
// A running schedule is the interval of 时钟2, the caption of 按钮1 and the
// number of seconds shown in 标签_剩余时间.
#pragma once

namespace schedule {

void on_schedule_button();

}  // namespace schedule
