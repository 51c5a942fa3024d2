#include "tray_test_support.h"

#include <gtest/gtest.h>

#include "layout.h"
#include "message_filter_win.h"
#include "popup_menu_win.h"
#include "start_win.h"
#include "tray_icon_win.h"
#include "window_runtime.h"
#include "win_handle.h"

namespace tt {
namespace {

using rt::UnitClass;
namespace f = rt::unit_flag;
namespace ev = rt::event;

int32_t logged(const std::string& what) {
  steps().push_back(event(what));
  return 1;
}

const rt::HandlerEntry kHandlers[] = {
    {"destroying a", [](int, const int32_t*) { return logged("destroying a"); }},
    {"destroying b", [](int, const int32_t*) { return logged("destroying b"); }},
    {"tray", [](int n, const int32_t* a) { return logged("tray " + std::to_string(n > 0 ? a[0] : -1)); }},
    {"menu 甲", [](int, const int32_t*) { return logged("menu 甲"); }},
    {"menu 丙", [](int, const int32_t*) { return logged("menu 丙"); }},
    {"menu 丁", [](int, const int32_t*) { return logged("menu 丁"); }},
};

constexpr uint32_t kWindowFlags = f::kVisible | f::kSysMenu | f::kMinimizeBox | f::kShowInTaskbar | f::kStartCentred;

const rt::UnitDef kUnitsA[] = {
    {kAOwn, "窗口甲", UnitClass::Window, -1, 0, 0, 240, 120, "托盘甲", 0, kWindowFlags, 0,
     {{{ev::kDestroying, "destroying a"}, {ev::kTray, "tray"}}}},
    // Two top-level menus, hidden from the menu bar like the program's own.
    {kMenu, nullptr, UnitClass::MenuItem, 0, 0, 0, 0, 0, "菜单", 0, 0, 0, {}},
    {kItem甲, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "甲", 0, f::kVisible, 0, {{{0, "menu 甲"}}}},
    {kItem乙, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "乙", 0, 0, 0, {}},
    {kItem丙, nullptr, UnitClass::MenuItem, 1, 0, 0, 0, 0, "丙", 0, f::kVisible, 0, {{{0, "menu 丙"}}}},
    {kOtherMenu, nullptr, UnitClass::MenuItem, 0, 0, 0, 0, 0, "其他", 0, 0, 0, {}},
    {kItem丁, nullptr, UnitClass::MenuItem, 5, 0, 0, 0, 0, "丁", 0, f::kVisible, 0, {{{0, "menu 丁"}}}},
};
const rt::UnitDef kUnitsB[] = {
    {kBOwn, "窗口乙", UnitClass::Window, -1, 0, 0, 240, 120, "托盘乙", 0, kWindowFlags, 0,
     {{{ev::kDestroying, "destroying b"}}}},
};
const rt::WindowDef kWindowA{kA, kUnitsA, sizeof kUnitsA / sizeof kUnitsA[0]};
const rt::WindowDef kWindowB{kB, kUnitsB, 1};
const rt::WindowDef* const kLayouts[] = {&kWindowA, &kWindowB};

int g_stale = 0;
HICON g_showing = nullptr;  // what the shell would show after the calls so far

BOOL WINAPI record(DWORD message, PNOTIFYICONDATAW d) {
  if (g_showing && !icon_alive(g_showing)) ++g_stale;
  if (message == NIM_DELETE) g_showing = nullptr;
  else if (d->hIcon) g_showing = d->hIcon;
  const Step s{"", message, d->cbSize, d->hWnd, d->uID, d->uFlags, d->uCallbackMessage, d->hIcon != nullptr,
               std::wstring(d->szTip, wcsnlen(d->szTip, 128)), d->dwInfoFlags,
               std::wstring(d->szInfoTitle, wcsnlen(d->szInfoTitle, 64)), std::wstring(d->szInfo, wcsnlen(d->szInfo, 256))};
  steps().push_back(s);
  if (d->hIcon) icons().push_back(d->hIcon);
  return refused().count(message) ? FALSE : TRUE;
}

constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

Step call(DWORD message, HWND w, UINT flags, const std::wstring& tip, const std::wstring& title = L"",
          const std::wstring& text = L"") {
  const DWORD info_icon = flags & NIF_INFO ? NIIF_INFO : 0;
  return Step{"", message, 936, w, 100, flags, 0x8064, (flags & NIF_ICON) != 0, tip, info_icon, title, text};
}

const char* message_name(DWORD m) {
  switch (m) {
    case NIM_ADD: return "NIM_ADD";
    case NIM_MODIFY: return "NIM_MODIFY";
    case NIM_DELETE: return "NIM_DELETE";
    default: return "NIM_?";
  }
}

std::string registered_name(UINT message) {
  return message == RegisterWindowMessageW(L"TaskbarCreated") ? "TaskbarCreated" : std::to_string(message);
}

BOOL WINAPI filter_for_window(HWND w, UINT message, DWORD action, void* last) {
  logged("ChangeWindowMessageFilterEx " + std::string(w == frame(kA) ? "a" : "?") + " " + registered_name(message) +
         " " + std::to_string(action) + (last ? " pointer" : " null"));
  return TRUE;
}

BOOL WINAPI filter_for_process(UINT message, DWORD flag) {
  logged("ChangeWindowMessageFilter " + registered_name(message) + " " + std::to_string(flag));
  return TRUE;
}

FARPROC WINAPI user32_lookup(HMODULE module, LPCSTR name) {
  if (module != GetModuleHandleW(L"user32.dll") || !user32_exports().count(name)) return nullptr;
  const std::string n = name;
  if (n == "ChangeWindowMessageFilterEx") return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(filter_for_window));
  if (n == "ChangeWindowMessageFilter") return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(filter_for_process));
  return nullptr;
}

tray::ShellNotifyFn g_saved = nullptr;
tray::FunctionLookup g_saved_lookup = nullptr;

}  // namespace

void PrintTo(const Step& s, std::ostream* os) {
  if (!s.event.empty()) {
    *os << "event \"" << s.event << '"';
    return;
  }
  *os << message_name(s.message) << " size " << s.size << " window " << s.window << " id " << s.id << " flags "
      << s.flags << " callback 0x" << std::hex << s.callback << std::dec << (s.icon ? " icon" : " no icon") << " tip "
      << ::testing::PrintToString(s.tip);
  if (s.flags & NIF_INFO) *os << " balloon " << s.info_icon << ::testing::PrintToString(s.title + L"/" + s.text);
}

Step added(HWND w, const std::wstring& tip) { return call(NIM_ADD, w, kIconFlags, tip); }
Step modified(HWND w, const std::wstring& tip) { return call(NIM_MODIFY, w, kIconFlags, tip); }
Step deleted(HWND w, const std::wstring& tip) { return call(NIM_DELETE, w, 0, tip); }
Step tip_changed(HWND w, const std::wstring& tip) { return call(NIM_MODIFY, w, NIF_TIP, tip); }
Step balloon(HWND w, const std::wstring& title, const std::wstring& text) {
  return call(NIM_MODIFY, w, NIF_INFO, L"", title, text);
}
Step event(const std::string& what) {
  Step s;
  s.event = what;
  return s;
}

Steps& steps() {
  static Steps s;
  return s;
}
std::vector<HICON>& icons() {
  static std::vector<HICON> v;
  return v;
}
std::set<DWORD>& refused() {
  static std::set<DWORD> s;
  return s;
}
std::set<std::string>& user32_exports() {
  static std::set<std::string> s;
  return s;
}

int stale_calls() { return g_stale; }

void start() {
  g_stale = 0;
  g_showing = nullptr;
  rt::start_runtime();
  tray::provide_tray_icon_service();
  tray::provide_popup_menu_service();
  rt::start_windows(kLayouts, 2, kHandlers, sizeof kHandlers / sizeof kHandlers[0]);
  steps().clear();
  icons().clear();
  refused().clear();
  user32_exports().clear();
  g_saved = tray::set_shell_notify(record);
  g_saved_lookup = tray::set_function_lookup(user32_lookup);
}

void finish() {
  gui::close_all_windows();
  tray::set_shell_notify(g_saved);
  tray::set_function_lookup(g_saved_lookup);
}

bool icon_alive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  rt::UniqueGdiObject colour(info.hbmColor), mask(info.hbmMask);
  return true;
}

int icon_width(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  rt::UniqueGdiObject colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  return bm.bmWidth;
}

}  // namespace tt
