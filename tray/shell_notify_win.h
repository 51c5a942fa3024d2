// The one road to the shell's notification area. The tray calls
// shell_notify() instead of Shell_NotifyIconW directly, so that a test can
// put a recorder in its place and compare the exact sequence of calls.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

namespace tray {

// The icon identifier within its window (one icon per window) and the
// record size: the wide record up to its balloon fields, which the shell of
// Windows 2000 and later reads (128 characters of tip, the balloon's title,
// text and icon). No version is ever set on the icon, so the callback
// message carries the mouse messages as it always has.
constexpr UINT kTrayIconId = 100;
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V2_SIZE;
static_assert(sizeof(void*) != 4 || kRecordSize == 936, "the 32-bit wide record with the balloon fields");

// The longest tip the record holds, in UTF-16 units: the last of its 128 is
// the terminator.
constexpr std::size_t kTipField = sizeof(NOTIFYICONDATAW::szTip) / sizeof(WCHAR);

// The record for a window's icon: identifier, callback message, and with an
// icon the flags for message, icon and tip. The tip is cut to the field.
NOTIFYICONDATAW tray_record(HWND window, HICON icon, const std::wstring& tip);
// The record that changes only the tip of a window's icon.
NOTIFYICONDATAW tip_record(HWND window, const std::wstring& tip);
// The record of a balloon from a window's icon, with the information icon.
// Title and text are cut to their fields.
NOTIFYICONDATAW balloon_record(HWND window, const std::wstring& title, const std::wstring& text);

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
