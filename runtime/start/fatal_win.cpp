// The Windows face of the fatal runtime error: a message box without owner,
// captioned "错误" with the error icon, then exit code -1. Nothing of the
// program runs while the box is open.
#include <windows.h>

#include "fatal.h"
#include "gbk_win.h"
#include "sound/player_win.h"
#include "start_win.h"
#include "system/shutdown_win.h"
#include "window_table_win.h"

namespace rt {
namespace {

void message_box_sink(const std::string& text) {
  win::refuse_events_for_good();
  // Nothing will be shut down now, and the box may stay open all night.
  system::let_system_sleep();
  MessageBoxW(nullptr, to_wide(text).c_str(), to_wide("错误").c_str(), MB_ICONERROR);
  sound::stop_all_and_wait(sound::kEndWaitMs);  // a hanging sound driver holds the exit no longer
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace

void install_fatal_message_box() { set_fatal_sink(&message_box_sink); }

}  // namespace rt
