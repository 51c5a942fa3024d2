// 按钮1 of the main window starts a schedule ("定时") or stops it ("停止").
// A running schedule is the interval of 时钟2, the caption of 按钮1 and the
// number of seconds shown in 标签_剩余时间.
#pragma once

#include "services.h"

namespace schedule {

void on_schedule_button();

// The date and time boxes, the check boxes and the reminder text as the
// schedule gives them (its moment is not used).
void fill_boxes(const svc::KeptSchedule& boxes);

// A schedule kept when Windows ended the session, brought back at sign-in:
// the boxes as they were when it was set, and the count towards its moment.
// A moment that passed meanwhile fires at the first tick, as a missed one.
void resume_schedule(const svc::KeptSchedule& kept);

}  // namespace schedule
