#include "startup.h"

#include "builtin_data_win.h"
#include "keeping.h"
#include "launch.h"
#include "main_window.h"
#include "property_rules.h"
#include "services.h"
#include "tray_codes.h"
#include "window_runtime.h"

namespace app {
namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

constexpr svc::WindowRef kMainWindow{mw::kWindow, mw::kOwn};

// Items read "0", "1", ... with no leading zeros: the text of a double.
void add_number(uint32_t box, int number) {
  const rt::Text item = svc::to_text(static_cast<double>(number));
  svc::add_item({mw::kWindow, box}, item.c_str());
}

}  // namespace

void on_main_created() {
  svc::visual_style(svc::Look::Scheme1);
  for (int i = 1; i <= 24; ++i) add_number(mw::组合框_时, i - 1);
  for (int i = 1; i <= 60; ++i) {
    add_number(mw::组合框_分, i - 1);
    add_number(mw::组合框_秒, i - 1);
  }
  rt::put_int(mw::kWindow, mw::时钟1, prop::kInterval, 1000);
  svc::set_tray_icon(kMainWindow, assets::tray_icon_block(), "定时器");
  carry_out_launch();  // what the command line asked, if anything
}

// Windows moves a window when it minimises it: a minimised main window
// leaves the screen and the taskbar, and lives on in the tray.
void on_main_moved() {
  if (rt::get_int(mw::kWindow, mw::kOwn, prop::kWindowState) == rt::kStateMinimised)
    rt::put_int(mw::kWindow, mw::kOwn, prop::kVisible, 0);
}

// A double-click on the icon brings the window back; a right click opens
// the main window's hidden menu 菜单 at the pointer. A single click (which
// also comes around a double-click) does nothing. A click on a warning
// balloon shows the window in front of the program the user works in, so
// that 停止 is one click away; it stops and confirms nothing itself.
void on_tray_notification(int32_t code) {
  if (code == tray::kTrayDoubleClick) show_main_window();
  if (code == tray::kTrayRightUp) svc::pop_up_menu(kMainWindow, {mw::kWindow, mw::菜单});
  if (code == tray::kTrayBalloonClick) {
    show_main_window();
    // Showing a hidden window activates it, but one already shown may lie
    // behind another program's. Loading a loaded window brings it to the
    // front, which the click on the balloon lets the program do.
    svc::load_window(kMainWindow, false);
  }
}

// The program ends with the session, its schedule kept for the next
// sign-in. Windows would end the process anyway; ending it here makes the
// end the same wherever the session's end waits for programs to go.
void on_session_ends(int32_t ends) {
  schedule::on_session_ends(ends);
  if (ends) close_main_window();
}

// Visible first: the window state only acts on a visible window, and it
// brings back a window that was minimised when it was hidden.
void show_main_window() {
  rt::put_int(mw::kWindow, mw::kOwn, prop::kVisible, 1);
  rt::put_int(mw::kWindow, mw::kOwn, prop::kWindowState, rt::kStateNormal);
}

void hide_main_window() { rt::put_int(mw::kWindow, mw::kOwn, prop::kVisible, 0); }

// The window goes after the current handler has returned.
void close_main_window() { svc::destroy(kMainWindow); }

}  // namespace app
