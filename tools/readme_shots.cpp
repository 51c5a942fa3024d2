// Takes the README's pictures of the real program, in the Wine virtual
// desktop that scripts/screenshots starts it in:
//
//   readme_shots TIMER-EXE LAYOUT-HOST-EXE OUT-DIR
//   readme_shots --main-window [--dark-scheme] TIMER-EXE OUT-DIR NAME
//
// writes OUT-DIR\main_window.png (the main window once its clock shows the
// time), tray_menu.png (the tray icon's popup menu with the corner of the
// taskbar it opened from) and confirm_window.png (the shutdown confirmation
// window, loaded alone). Exits 0 with all three, 3 when the tray icon opened
// no menu (the other two are written), 1 on any other failure. With
// --main-window only the main window is taken, as OUT-DIR\NAME.png (on a
// display set to another scale, the main window at that scale); with
// --dark-scheme the Wine session's colours are set to the dark scheme
// first, and last until its server ends.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver.h"
#include "timer_windows.h"

namespace {

// A start takes longer than a prompt reaction on a busy machine.
constexpr DWORD kStartMs = 20000;

int fail(const char* what) {
  std::fprintf(stderr, "readme_shots: %s\n", what);
  return 1;
}

// Where the program's icon shows: Wine's taskbar draws the notification
// area's icons itself, from its right end leftwards, one square of the
// taskbar's height each; the program's is the only one.
bool tray_icon_rect(RECT* icon) {
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) return false;
  const RECT bar = drv::screen_rect(taskbar);
  const LONG side = bar.bottom - bar.top;
  *icon = RECT{bar.right - side, bar.top, bar.right, bar.bottom};
  return side > 0;
}

bool main_window_shot(HWND window, const std::wstring& out, const std::wstring& name = L"main_window") {
  const HWND now_label = drv::child_by_id(window, timer::main_window::kNowLabel);
  if (!drv::wait_until([&] { return !drv::text_of(now_label).empty(); }, kStartMs)) return false;
  return drv::save_window_shot(window, out + L"\\" + name + L".png");
}

// A right click on the tray icon; the picture holds the menu and the corner
// of the taskbar with the icon, and the menu is closed again.
bool tray_menu_shot(DWORD process_id, const std::wstring& out) {
  RECT icon{};
  if (!tray_icon_rect(&icon)) return false;
  if (!drv::right_click_screen({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2})) return false;
  const HWND menu = drv::wait_for_window({L"", L"#32768", process_id}, 3000);
  if (!menu) return false;
  const RECT m = drv::screen_rect(menu);
  // some of the taskbar to the left, so that the corner reads as the tray
  constexpr LONG kMargin = 24, kTaskbarShown = 160;
  const RECT corner{std::max(0L, std::min(m.left, icon.left) - kTaskbarShown),
                    std::max(0L, std::min(m.top, icon.top) - kMargin),
                    std::max(m.right, icon.right), std::max(m.bottom, icon.bottom)};
  drv::RgbImage image;
  const bool saved = drv::capture_settled(corner, &image) && drv::save_png(out + L"\\tray_menu.png", image);
  drv::press_key(VK_ESCAPE);
  if (!drv::wait_until([&] { return !IsWindowVisible(menu); })) drv::click_screen({kMargin, kMargin});
  return saved;
}

bool confirm_window_shot(const std::wstring& layout_host, const std::wstring& out) {
  namespace cw = timer::confirm_window;
  drv::Process host = drv::Process::start(layout_host, {cw::kId});
  if (!host.started()) return false;
  const HWND window = drv::wait_for_window({cw::kCaption, timer::kFrameClass, host.id()}, kStartMs);
  // Shot at once, as the user sees it once they turn to it (it comes up
  // without the foreground), closed at once: it counts down to a shutdown.
  const bool saved =
      window && drv::bring_to_front(window) && drv::save_window_shot(window, out + L"\\confirm_window.png");
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (!host.wait_exit(drv::kPromptMs)) host.end();
  return saved;
}

// timer.exe started, and its main window once it shows.
HWND start_timer(drv::Process& timer, const std::wstring& timer_exe) {
  timer = drv::Process::start(timer_exe);
  if (!timer.started()) return nullptr;
  return drv::wait_for_window({timer::main_window::kCaption, timer::kFrameClass, timer.id()}, kStartMs);
}

// The main window alone, as NAME.png.
int main_window_only(const std::wstring& timer_exe, const std::wstring& out, const std::wstring& name) {
  drv::Process timer;
  const HWND window = start_timer(timer, timer_exe);
  if (!window) return fail("timer.exe showed no main window");
  const bool saved = main_window_shot(window, out, name);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!timer.wait_exit(drv::kPromptMs)) return fail("timer.exe did not close");
  return saved ? 0 : fail("no picture of the main window");
}

}  // namespace

int main() {
  const drv::CommandLine line = drv::command_line();
  const std::vector<std::wstring>& args = line.positional;
  if (line.has(L"main-window") && args.size() == 3) {
    if (line.has(L"dark-scheme") && !drv::set_colour_scheme(drv::kDarkScheme)) return fail("cannot set the colours");
    return main_window_only(drv::windows_path(args[0]), drv::windows_path(args[1]), args[2]);
  }
  if (args.size() != 3)
    return fail(
        "usage: readme_shots TIMER-EXE LAYOUT-HOST-EXE OUT-DIR | --main-window [--dark-scheme] TIMER-EXE OUT-DIR NAME");
  const std::wstring timer_exe = drv::windows_path(args[0]), layout_host = drv::windows_path(args[1]),
                     out = drv::windows_path(args[2]);

  drv::Process timer;
  const HWND window = start_timer(timer, timer_exe);
  if (!window) return fail("timer.exe showed no main window");
  if (!main_window_shot(window, out)) return fail("no picture of the main window");
  const bool menu = tray_menu_shot(timer.id(), out);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (!timer.wait_exit(drv::kPromptMs)) return fail("timer.exe did not close");

  if (!confirm_window_shot(layout_host, out)) return fail("no picture of the confirmation window");
  if (!menu) {
    std::fprintf(stderr, "readme_shots: the tray icon opened no menu: no tray_menu.png\n");
    return 3;
  }
  return 0;
}
