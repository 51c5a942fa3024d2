// The shutdown confirmation window "关机": ten seconds counted down on its
// confirm button, then a forced shutdown; its cancel button closes it.
#pragma once

namespace schedule {

// Created: the count starts again at 10 (the button shows 确定(10) from its
// layout).
void on_confirm_created();
// Each second: 确定(9) ... 确定(0), and on the tick after 确定(0) the shutdown.
// A tick held up (the machine slept) stops the count: 确定 then waits for a
// click.
void on_confirm_tick();
// 按钮1, and the end of the count: stop counting and ask Windows to shut
// down. The window stays; if Windows refuses, a click asks again.
void on_confirm_shut_down();
// 按钮2: stop counting and close the window after this handler.
void on_confirm_cancel();

}  // namespace schedule
