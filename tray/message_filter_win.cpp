#include "message_filter_win.h"

namespace tray {
namespace {

// user32's declarations from Vista on, which the XP headers leave out.
using FilterForWindow = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* status);
using FilterForProcess = BOOL(WINAPI*)(UINT message, DWORD flag);
constexpr DWORD kMsgfltAllow = 1;  // MSGFLT_ALLOW
constexpr DWORD kMsgfltAdd = 1;    // MSGFLT_ADD

FunctionLookup g_lookup = &GetProcAddress;

template <typename F>
F user32_function(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(g_lookup(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void let_message_through(HWND window, UINT message) {
  if (const auto for_window = user32_function<FilterForWindow>("ChangeWindowMessageFilterEx"))
    for_window(window, message, kMsgfltAllow, nullptr);
  else if (const auto for_process = user32_function<FilterForProcess>("ChangeWindowMessageFilter"))
    for_process(message, kMsgfltAdd);
}

FunctionLookup set_function_lookup(FunctionLookup lookup) {
  const FunctionLookup old = g_lookup;
  g_lookup = lookup ? lookup : &GetProcAddress;
  return old;
}

}  // namespace tray
