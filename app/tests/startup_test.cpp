// The main window as it is created puts up the program's icon in the tray,
// named by its tip: the arguments as the set tray icon service reads them.
#include <gtest/gtest.h>

#include <string>

#include "builtin_data_win.h"
#include "convert.h"
#include "main_window_handlers.h"
#include "service.h"
#include "startup.h"

namespace {

std::string g_tray;

void set_tray_icon(rt::Result&, int n, const rt::Arg* args) {
  const rt::Arg window = rt::arg_at(n, args, 0), icon = rt::arg_at(n, args, 1);
  const bool program_icon = icon.tag == rt::kTagBlock && rt::arg_as_block(icon) == assets::tray_icon_block();
  g_tray = std::string(window.low == layouts::main_window::kWindow ? "main window" : "another window") +
           (program_icon ? ", the program's icon, " : ", another icon, ") + rt::to_text(rt::arg_at(n, args, 2)).c_str();
}

using MainWindowCreated = MainWindowHandlers;

TEST_F(MainWindowCreated, PutsUpTheProgramsIconWithItsName) {
  const rt::ServiceOverride tray{rt::Service::SetTrayIcon, set_tray_icon};
  app::on_main_created();
  EXPECT_EQ(g_tray, "main window, the program's icon, 定时器");
}

}  // namespace
