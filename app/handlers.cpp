#include "handlers.h"

#include "about_box.h"
#include "clock.h"
#include "confirm_countdown.h"
#include "countdown.h"
#include "handler_names.h"
#include "keeping.h"
#include "schedule_setup.h"
#include "startup.h"

namespace app {
namespace {

namespace h = layouts::handler;

// Handlers take no arguments and answer nothing that is looked at.
template <void (*F)()>
int32_t plain(int, const int32_t*) {
  F();
  return 1;
}

// The tray notification handler takes the notification code.
template <void (*F)(int32_t)>
int32_t with_code(int count, const int32_t* args) {
  F(count > 0 ? args[0] : 0);
  return 1;
}

}  // namespace

// Every name the layouts bind (a test holds the layouts against this table).
const rt::HandlerEntry kHandlers[] = {
    {h::kMainCreated, plain<on_main_created>},
    {h::kMainMoved, plain<on_main_moved>},
    {h::kMainTray, with_code<on_tray_notification>},
    {h::kMainTimeChanged, plain<schedule::on_time_changed>},
    {h::kMainSessionEnds, with_code<on_session_ends>},
    {h::kMainDestroying, plain<schedule::on_main_destroying>},
    {h::kMenuShow, plain<show_main_window>},
    {h::kMenuHide, plain<hide_main_window>},
    {h::kMenuExit, plain<close_main_window>},
    {h::kMenuAbout, plain<tray::show_about_box>},
    {h::kScheduleButton, plain<schedule::on_schedule_button>},
    {h::kClockTick, plain<schedule::on_clock_tick>},
    {h::kCountdownTick, plain<schedule::on_countdown_tick>},
    {h::kConfirmCreated, plain<schedule::on_confirm_created>},
    {h::kConfirmTick, plain<schedule::on_confirm_tick>},
    {h::kConfirmShutDown, plain<schedule::on_confirm_shut_down>},
    {h::kConfirmCancel, plain<schedule::on_confirm_cancel>},
};
const int kHandlerCount = sizeof kHandlers / sizeof kHandlers[0];

}  // namespace app
