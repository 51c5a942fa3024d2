// The names by which the layouts bind events to the program's handlers.
#pragma once

namespace layouts::handler {

// main window
constexpr const char kMainCreated[] = "main.created";          // start-up preparation
constexpr const char kMainMoved[] = "main.moved";              // minimise to the tray
constexpr const char kMainTray[] = "main.tray";                // tray icon notifications
constexpr const char kMainTimeChanged[] = "main.timechanged";  // the clock was set: count again
constexpr const char kMainSessionEnds[] = "main.sessionends";  // Windows ends the session
constexpr const char kMainDestroying[] = "main.destroying";    // the program ends
constexpr const char kMenuShow[] = "menu.show";
constexpr const char kMenuHide[] = "menu.hide";
constexpr const char kMenuExit[] = "menu.exit";
constexpr const char kMenuAbout[] = "menu.about";
constexpr const char kScheduleButton[] = "schedule.button";    // 按钮1: start or stop
constexpr const char kClockTick[] = "clock.tick";              // 时钟1: current time
constexpr const char kCountdownTick[] = "countdown.tick";      // 时钟2: count down, fire

// confirmation window
constexpr const char kConfirmCreated[] = "confirm.created";
constexpr const char kConfirmTick[] = "confirm.tick";
constexpr const char kConfirmShutDown[] = "confirm.shutdown";  // 按钮1
constexpr const char kConfirmCancel[] = "confirm.cancel";      // 按钮2

}  // namespace layouts::handler
