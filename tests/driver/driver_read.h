// Reading what a window or control of another process shows and how it is
// made. Messages go with a bound (a hung program fails the scenario instead
// of hanging the driver); texts come back as UTF-16.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace drv {

// SendMessageTimeout with the driver's bound; nothing when the target did
// not answer. Only for messages whose pointers Windows carries across
// processes (or that have none).
std::optional<LRESULT> ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0);

std::wstring text_of(HWND w);  // WM_GETTEXT
std::wstring class_of(HWND w);
DWORD style_of(HWND w);
DWORD ex_style_of(HWND w);
int control_id(HWND w);
// The outer rectangle on the screen.
RECT screen_rect(HWND w);
// The outer rectangle in the parent's client coordinates (on the screen for
// a top-level window).
RECT rect_in_parent(HWND w);
SIZE client_size(HWND w);
bool is_visible(HWND w);
bool is_enabled(HWND w);
bool has_menu_bar(HWND top);
// Fonts cannot be read: under Wine WM_GETFONT answers 0 across processes.
// Screenshots show them.

// The window that has the keyboard focus in the thread of `top`, or null.
HWND focus_in(HWND top);

// Combo boxes: items, selection, and the measures a drop-down box keeps of
// how it was made (its window keeps only the closed height).
int combo_count(HWND combo);
std::vector<std::wstring> combo_items(HWND combo);
int combo_selection(HWND combo);
struct ComboMetrics {
  int closed_height;   // the window's height
  int dropped_height;  // CB_GETDROPPEDCONTROLRECT: follows the height it was created with
  int item_height;     // of the list items
};
ComboMetrics combo_metrics(HWND combo);
// The list window of a drop-down box, read through memory in the box's
// process. (The box hands WS_VSCROLL on to its list, which shows the scroll
// bar, and has the style, only while it holds more items than fit.)
HWND combo_list(HWND combo);
// The same measures of a combo box that the driver makes itself, hidden, in
// its own process: what Windows makes of these creation values.
ComboMetrics reference_combo_metrics(DWORD style, int width, int height, int item_height_change);

// Check boxes: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int check_state(HWND button);

// A date-and-time picker's value, read through memory in its process (its
// messages are not carried across processes); nothing when it holds none.
std::optional<SYSTEMTIME> date_box_time(HWND date_box);
// Which limits it has (GDTR_MIN, GDTR_MAX), read the same way.
std::optional<DWORD> date_box_range(HWND date_box);
// The earliest and the latest date it shows, with those flags: without a
// limit of its own a picker still has its calendar's first and last day.
struct DateLimits {
  DWORD flags;
  SYSTEMTIME first, last;
};
std::optional<DateLimits> date_box_limits(HWND date_box);

// For messages of failed checks: UTF-8.
std::string utf8(const std::wstring& s);
std::string describe(HWND w);  // class, text and control ID

}  // namespace drv
