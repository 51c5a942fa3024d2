// Two small windows of the tests' own and a recorder in place of the shell:
// every call into the notification area and every event of the windows
// lands, in order, in one sequence that a test compares with the one it
// expects. Window A also has menus for the popup menu.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "gui_test_support.h"
#include "shell_notify_win.h"

namespace tt {

constexpr uint32_t kA = 0x52000101, kAOwn = 0x06000100;
// A's menus: 菜单 with 甲, 乙 (hidden) and 丙, then 其他 with 丁.
constexpr uint32_t kMenu = 0x26000101, kItem甲 = 0x26000102, kItem乙 = 0x26000103, kItem丙 = 0x26000104;
constexpr uint32_t kOtherMenu = 0x26000105, kItem丁 = 0x26000106;
constexpr uint32_t kB = 0x52000102, kBOwn = 0x06000110;

// One thing that happened: a call into the notification area (event empty)
// or an event of one of the windows ("destroying a", "tray 2", ...).
struct Step {
  std::string event;
  DWORD message = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
  DWORD size = 0;
  HWND window = nullptr;
  UINT id = 0, flags = 0, callback = 0;
  bool icon = false;
  std::wstring tip;
  DWORD info_icon = 0;  // the balloon's
  std::wstring title, text;

  bool operator==(const Step& o) const {
    return event == o.event && message == o.message && size == o.size && window == o.window && id == o.id &&
           flags == o.flags && callback == o.callback && icon == o.icon && tip == o.tip && info_icon == o.info_icon &&
           title == o.title && text == o.text;
  }
};
void PrintTo(const Step& s, std::ostream* os);
using Steps = std::vector<Step>;

// The calls as the tray must make them: record size 936, identifier 100,
// callback message 0x8064; with an icon the flags message, icon and tip.
Step added(HWND w, const std::wstring& tip);
Step modified(HWND w, const std::wstring& tip);
Step deleted(HWND w, const std::wstring& tip = L"");
// The tip alone changed; a balloon with the information icon.
Step tip_changed(HWND w, const std::wstring& tip);
Step balloon(HWND w, const std::wstring& title, const std::wstring& text);
Step event(const std::string& what);

Steps& steps();
// Every icon handle that reached the shell, in order.
std::vector<HICON>& icons();
// Calls with these messages fail, as the shell fails them.
std::set<DWORD>& refused();
// The message filter functions that user32 has, by name: none, as on XP,
// unless a test names them. Calls of them land in steps() as events:
// "ChangeWindowMessageFilterEx a TaskbarCreated 1 null" (window, message,
// action, last argument), "ChangeWindowMessageFilter TaskbarCreated 1".
std::set<std::string>& user32_exports();
// Calls made while the icon the shell showed until then had already been
// destroyed (the old icon must go only after the shell has let go of it).
int stale_calls();

// Starts the runtime with the test layouts and the recorders in place of the
// shell and of user32's message filter; finish() destroys every window and
// puts both back.
void start();
void finish();
using gui::frame;
using gui::pump_until;

// Whether the handle is still a live icon, and its width in pixels.
bool icon_alive(HICON icon);
int icon_width(HICON icon);

}  // namespace tt
