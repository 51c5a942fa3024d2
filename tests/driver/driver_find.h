// Finding the windows of a program under test and the controls on them, by
// caption, class, owning process and position, the way a person picks them
// out on the screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver_wait.h"

namespace drv {

// What a top-level window must match; empty fields match anything.
struct WindowQuery {
  std::wstring caption;
  std::wstring cls;
  DWORD process_id = 0;
  bool visible_only = true;
};

// Matching top-level windows, the topmost first.
std::vector<HWND> find_windows(const WindowQuery& q);
// The topmost match, or null.
HWND find_window(const WindowQuery& q);
// The topmost match once one exists, or null after timeout_ms.
HWND wait_for_window(const WindowQuery& q, DWORD timeout_ms = kPromptMs);

// Direct children of `parent` in stacking order, the top one first.
std::vector<HWND> children(HWND parent);
// The direct child with this control ID, or null.
HWND child_by_id(HWND parent, int id);
// The first direct child of this class (any if empty) with this text.
HWND child_by_text(HWND parent, const std::wstring& cls, const std::wstring& text);
// The visible direct child on top at this point of the parent's client area,
// or null where the parent itself shows.
HWND child_at(HWND parent, POINT client);
// The direct child of `top` that holds `w` (a combo box for its edit field),
// or null when `w` is not inside `top`.
HWND control_holding(HWND top, HWND w);

// A point of a top-level window's frame where Windows reports `hit`
// (HTCLOSE, HTMINBUTTON, HTCAPTION...), searched along the title bar from
// the right; false when the title bar has none.
bool find_title_bar_point(HWND top, LRESULT hit, POINT* screen);

// The middle of a notification-area icon on the virtual desktop's taskbar
// (`Shell_TrayWnd`); position 0 is the icon put up first. The taskbar draws
// the icons in its client area from the right end leftwards, each a small
// icon wide plus a border of 2 pixels either side, centred in its height.
// False when the desktop has no taskbar.
bool find_tray_icon(int position, POINT* screen);

}  // namespace drv
