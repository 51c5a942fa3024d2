// The one road to the shell's notification area. The tray calls
// shell_notify() instead of Shell_NotifyIconW directly, so that a test can
// put a recorder in its place and compare the exact sequence of calls.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace tray {

// The icon identifier within its window (one icon per window) and the
// record size: the first version of the wide record, which every shell
// reads.
constexpr UINT kTrayIconId = 100;
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V1_SIZE;
static_assert(sizeof(void*) != 4 || kRecordSize == 152, "the 32-bit wide record of the first version");

// The record for a window's icon: identifier, callback message, and with an
// icon the flags for message, icon and tip. The tip is cut to the field.
NOTIFYICONDATAW tray_record(HWND window, HICON icon, const std::wstring& tip);

using ShellNotifyFn = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

// Calls the installed function (Shell_NotifyIconW unless a test replaced it).
bool shell_notify(DWORD message, NOTIFYICONDATAW& data);

// Installs `fn` (null: the real Shell_NotifyIconW) and returns the previous.
ShellNotifyFn set_shell_notify(ShellNotifyFn fn);

// Replaces the function for the lifetime of the object (tests).
class ShellNotifyOverride {
 public:
  explicit ShellNotifyOverride(ShellNotifyFn fn) : old_(set_shell_notify(fn)) {}
  ~ShellNotifyOverride() { set_shell_notify(old_); }
  ShellNotifyOverride(const ShellNotifyOverride&) = delete;
  ShellNotifyOverride& operator=(const ShellNotifyOverride&) = delete;

 private:
  ShellNotifyFn old_;
};

}  // namespace tray
