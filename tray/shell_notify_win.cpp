#include "shell_notify_win.h"

#include <algorithm>

#include "private_messages.h"

namespace tray {
namespace {
ShellNotifyFn g_notify = &Shell_NotifyIconW;
}

NOTIFYICONDATAW tray_record(HWND window, HICON icon, const std::wstring& tip) {
  NOTIFYICONDATAW d{};
  d.cbSize = kRecordSize;
  d.hWnd = window;
  d.uID = kTrayIconId;
  d.uCallbackMessage = rt::msg::kTrayIcon;
  if (icon) {
    d.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.hIcon = icon;
  }
  // The first-version record has 64 characters of tip, the last one the
  // terminator; the rest of the field stays zero.
  const std::size_t n = std::min<std::size_t>(tip.size(), 63);
  std::copy(tip.begin(), tip.begin() + static_cast<std::ptrdiff_t>(n), d.szTip);
  return d;
}

bool shell_notify(DWORD message, NOTIFYICONDATAW& data) { return g_notify(message, &data) != FALSE; }

ShellNotifyFn set_shell_notify(ShellNotifyFn fn) {
  const ShellNotifyFn old = g_notify;
  g_notify = fn ? fn : &Shell_NotifyIconW;
  return old;
}

}  // namespace tray
