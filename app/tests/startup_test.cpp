// The main window as it is created puts up the program's icon in the tray,
// named by its tip: the arguments as the set tray icon service reads them.
// A click on a warning balloon brings it back in front.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "builtin_data_win.h"
#include "convert.h"
#include "main_window_handlers.h"
#include "property_rules.h"
#include "service.h"
#include "startup.h"
#include "tray_codes.h"

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

// Hidden in the tray or shown behind the program the user works in (a
// window of another thread), the window comes in front. The count goes on:
// the click stops and confirms nothing.
TEST_F(MainWindowHandlers, ABalloonClickBringsTheWindowInFrontAndStopsNothing) {
  namespace mw = layouts::main_window;
  rt::put_text(mw::kWindow, mw::按钮1, rt::prop::kButtonCaption, "停止");
  rt::put_int(mw::kWindow, mw::时钟2, rt::prop::kInterval, 1000);
  const HWND main = gui::frame(mw::kWindow);
  HWND volatile other = nullptr;
  std::thread user([&] {
    other = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, 0, 0, 0, 0);
    for (MSG m; GetMessageW(&m, nullptr, 0, 0) > 0;) DispatchMessageW(&m);
  });
  EXPECT_TRUE(gui::pump_until([&] { return other != nullptr; }));
  for (const bool hidden : {true, false}) {
    SCOPED_TRACE(hidden ? "hidden" : "behind");
    rt::put_int(mw::kWindow, mw::kOwn, rt::prop::kVisible, hidden ? 0 : 1);
    SetForegroundWindow(other);
    EXPECT_TRUE(gui::pump_until([&] { return GetForegroundWindow() == other; }));
    app::on_tray_notification(tray::kTrayBalloonClick);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(gui::pump_until([&] { return GetForegroundWindow() == main; }, 2000));
  }
  EXPECT_STREQ(rt::get_text(mw::kWindow, mw::按钮1, rt::prop::kButtonCaption).c_str(), "停止");
  EXPECT_EQ(rt::get_int(mw::kWindow, mw::时钟2, rt::prop::kInterval), 1000);
  PostThreadMessageW(GetWindowThreadProcessId(other, nullptr), WM_QUIT, 0, 0);
  user.join();
}

}  // namespace
