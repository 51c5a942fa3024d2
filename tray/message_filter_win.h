// Lets a registered message through the message filter of Windows Vista and
// later, which keeps messages of programs at a lower level (Explorer of the
// user's session among them) from an elevated program's windows: the
// shell's "TaskbarCreated" broadcast would never reach a 定时器 started as
// administrator, and its tray icon would not come back after Explorer
// restarts. Without elevation the filter lets everything through already,
// so the call changes nothing there and is made always.
#pragma once

#include <windows.h>

namespace tray {

// Windows 7 and later filter per window (ChangeWindowMessageFilterEx), Vista
// per process (ChangeWindowMessageFilter), XP not at all. The build targets
// XP, so both are looked up in user32 when needed; on XP nothing is done.
void let_message_through(HWND window, UINT message);

// How the functions are looked up: GetProcAddress unless a test put a
// recorder in its place. Installs `lookup` (null: GetProcAddress) and
// returns the previous one.
using FunctionLookup = FARPROC(WINAPI*)(HMODULE module, LPCSTR name);
FunctionLookup set_function_lookup(FunctionLookup lookup);

}  // namespace tray
