#include "shell_notify_win.h"

#include <algorithm>

#include "private_messages.h"

namespace tray {
namespace {
ShellNotifyFn g_notify = &Shell_NotifyIconW;

// Copies what fits of `text` into a field of N characters, the last one the
// terminator; the rest of the field stays zero.
template <std::size_t N>
void copy_cut(const std::wstring& text, WCHAR (&field)[N]) {
  const std::size_t n = std::min<std::size_t>(text.size(), N - 1);
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), field);
}

NOTIFYICONDATAW bare_record(HWND window) {
  NOTIFYICONDATAW d{};
  d.cbSize = kRecordSize;
  d.hWnd = window;
  d.uID = kTrayIconId;
  d.uCallbackMessage = rt::msg::kTrayIcon;
  return d;
}

}  // namespace

NOTIFYICONDATAW tray_record(HWND window, HICON icon, const std::wstring& tip) {
  NOTIFYICONDATAW d = bare_record(window);
  if (icon) {
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.hIcon = icon;
  }
  copy_cut(tip, d.szTip);
  return d;
}

NOTIFYICONDATAW tip_record(HWND window, const std::wstring& tip) {
  NOTIFYICONDATAW d = bare_record(window);
  d.uFlags = NIF_TIP;
  copy_cut(tip, d.szTip);
  return d;
}

NOTIFYICONDATAW balloon_record(HWND window, const std::wstring& title, const std::wstring& text) {
  NOTIFYICONDATAW d = bare_record(window);
  d.uFlags = NIF_INFO;
  d.dwInfoFlags = NIIF_INFO;
  // XP keeps a balloon up for 10 to 30 seconds, as asked, and counts only
  // while the user is at the machine; later Windows take the user's own
  // setting instead.
  d.uTimeout = 30000;
  copy_cut(title, d.szInfoTitle);
  copy_cut(text, d.szInfo);
  return d;
}

bool shell_notify(DWORD message, NOTIFYICONDATAW& data) { return g_notify(message, &data) != FALSE; }

ShellNotifyFn set_shell_notify(ShellNotifyFn fn) {
  const ShellNotifyFn old = g_notify;
  g_notify = fn ? fn : &Shell_NotifyIconW;
  return old;
}

}  // namespace tray
