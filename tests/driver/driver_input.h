// Acting on a program as a person does: through the mouse and the keyboard
// (SendInput), on the foreground window of the desktop. Input arrives
// asynchronously; callers wait for its effect with wait_until.
#pragma once

#include <windows.h>

#include <string>

namespace drv {

// Makes `top` the foreground window and waits until it is.
bool bring_to_front(HWND top);

// Modifier keys held while a key is pressed.
enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Screen position of a point in a window's client area.
POINT screen_point(HWND w, POINT client);
// The middle of a window's client area, on the screen.
POINT centre_of(HWND w);

// Moves the pointer there (absolute coordinates) and waits until it is there.
bool move_mouse(POINT screen);
// Left-button clicks at a point of the screen: 1 a click, 2 a double-click.
bool click_screen(POINT screen, int clicks = 1);
// A right-button click there (a tray icon's menu, a context menu).
bool right_click_screen(POINT screen);

// Brings the window's top-level window to the front, then clicks at a point
// of the window's client area (its middle without a point).
bool click(HWND w, POINT client);
bool click(HWND w);
bool double_click(HWND w, POINT client);
bool double_click(HWND w);

// Presses and releases a key with modifiers held, in whatever has the focus.
bool press_key(WORD vk, unsigned modifiers = kNoModifier);
// A key going down, or up, alone: a key held down. A second key-down
// without a key-up between is the key's auto-repeat.
bool send_key(WORD vk, bool up);
// The left button pressed at one point of the screen and let go at another.
bool drag_screen(POINT from, POINT to);
// Types text character by character as Unicode input.
bool type_text(const std::wstring& text);

// The colours of the Wine session, as a user picks a colour scheme: windows
// and their text, the button face and its text. Wine keeps them until its
// server ends, so a test that changes them runs in a session of its own.
struct ColourScheme {
  COLORREF window, window_text, face, face_text;
};
// The dark scheme of the README's picture: black windows and faces, white
// text, as the dark high-contrast themes have them.
constexpr ColourScheme kDarkScheme{RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)};
bool set_colour_scheme(const ColourScheme& scheme);

// Puts text on the clipboard of the driver's desktop, for a Ctrl+V.
bool put_on_clipboard(const std::wstring& text);

// Sets a date-and-time picker's value, as picking it in its calendar would,
// through memory in its process (its messages are not carried across
// processes). Like a calendar pick, it raises no change notification.
bool set_date_box_time(HWND date_box, const SYSTEMTIME& t);

// The first and the last day a date-and-time picker takes: its own limits
// where it has them (DTM_GETRANGE), else found by asking it to show days and
// reading back which it kept. Leaves the box showing a day it took.
bool date_box_extremes(HWND date_box, SYSTEMTIME* first, SYSTEMTIME* last);

}  // namespace drv
