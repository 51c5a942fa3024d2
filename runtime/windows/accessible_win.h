// What the program tells users who do not read its picture. Screen readers
// get a name for every input (the caption a sighted user reads beside it)
// and the static-text role for labels, through oleacc's accessibility
// property service (IAccPropServices, on Windows from XP); a window that
// comes up unasked (the shutdown confirmation) plays the system's warning
// sound and raises an alert event, so that it is heard and read out.
//
// Names and roles are given on demand: the property service costs most
// users over half a megabyte of memory for nothing, and whether an
// assistive program listens cannot be told beforehand (Wine, and Windows
// whenever any program hooks events, say one does). An assistive program
// asks a window for its accessible object (WM_GETOBJECT) before it reads
// anything of it, so a window's units are named on the first question that
// any of its windows hears, before the question is answered; a run that
// nobody reads never makes the service.
//
// Every call goes through one table, so that tests can record them: Wine's
// property service answers E_NOTIMPL to every method, and its MessageBeep
// only rings the display bell.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include "service.h"

namespace rt::win {

struct AccessCalls {
  // IAccPropServices::SetHwndPropStr, SetHwndProp and ClearHwndProps of the
  // one property service, made at the first call.
  HRESULT (*set_prop_text)(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const wchar_t* text);
  HRESULT (*set_prop)(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const VARIANT& value);
  HRESULT (*clear_props)(HWND w, DWORD object, DWORD child, const MSAAPROPID* props, int count);
  BOOL(WINAPI* message_beep)(UINT type);
  void(WINAPI* notify_win_event)(DWORD event, HWND w, LONG object, LONG child);
};

// The property service and the functions of Windows itself.
AccessCalls real_access_calls();

// Installs `calls` for every later call and returns the table it replaces.
AccessCalls set_access_calls(const AccessCalls& calls);

// Replaces the calls for the lifetime of the object (tests).
using AccessCallsOverride = CallsOverride<AccessCalls, &set_access_calls>;

}  // namespace rt::win
