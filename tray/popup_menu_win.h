// The pop up menu service: one of a window's top-level menus shown as a
// popup menu at the mouse pointer, as the tray icon's right click wants it.
#pragma once

#include <windows.h>

namespace tray {

// The Windows calls that showing a popup menu makes, in this order: the
// pointer position, the owner brought to the foreground (a menu whose owner
// is not in the foreground stays open when the user clicks elsewhere), the
// menu tracked, and a WM_NULL posted to the owner afterwards so that the
// next click elsewhere goes where it was aimed. Tests put recorders here.
struct PopupCalls {
  BOOL(WINAPI* cursor_pos)(LPPOINT point);
  BOOL(WINAPI* set_foreground)(HWND window);
  BOOL(WINAPI* track)(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
  BOOL(WINAPI* post)(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

// GetCursorPos, SetForegroundWindow, TrackPopupMenu and PostMessageW.
PopupCalls windows_popup_calls();
// Installs `calls` and returns the ones it replaces.
PopupCalls set_popup_calls(const PopupCalls& calls);

// pop up menu: (window reference, reference to one of its top-level menus,
// [horizontal], [vertical] screen position). The menu's items appear 3
// pixels right of and below the pointer unless a position is given; a
// chosen item comes back to the window as its menu command. A menu of
// another window, or a unit that is not a top-level menu, shows nothing.
void provide_popup_menu_service();

}  // namespace tray
