// Buttons that wait to be read: a decision such as a forced shutdown must not
// be taken by a click or key meant for something else. Such a button takes
// no press for a second after its window is shown, restored or activated, so
// a click already on its way when the window came up, or the click that
// activates the window, presses nothing; a press it let through is the only
// one that may click it. The wait lies on the button's input, not on what
// its click does: the same handler may be run by other means.
#include <windows.h>

#include "window_table_win.h"

namespace rt::win {
namespace {

constexpr DWORD kInputWaitMs = 1000;

bool waiting(const LoadedWindow& w) { return GetTickCount() - w.input_wait_from < kInputWaitMs; }

// Space held down repeats its key-down, and the button would take each
// repeat as a press: a key held since before the window came up, or one
// that went down for the window's frame, would press it.
bool is_repeat(UINT m, WPARAM wp, LPARAM lp) { return m == WM_KEYDOWN && wp == VK_SPACE && (lp & (1 << 30)); }

// The messages that begin a press: the mouse button going down (a
// double-click's second press included), and Space going down.
bool begins_a_press(UINT m, WPARAM wp) {
  return m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || (m == WM_KEYDOWN && wp == VK_SPACE);
}

// And those that end it, with a click or without (the pointer let go off
// the button).
bool ends_a_press(UINT m, WPARAM wp) { return m == WM_LBUTTONUP || (m == WM_KEYUP && wp == VK_SPACE); }

Unit* button_unit(HWND h) {
  LoadedWindow* w = window_from(GetParent(h));
  return w ? w->unit_of(h) : nullptr;
}

// Sits above the button's own procedure (and the themed look's, which was
// put in place while the button was created). The procedure it replaced
// is kept in the button's user data, so that it still finds it while the
// button is destroyed on its own, after its unit has gone.
//
// A press it let through may click the button only while it lasts: once
// the message that ends it has been handled (the click, if any, came
// inside it), or once the button loses the capture or the focus otherwise,
// the press is over. Windows' button releases the capture before it
// reports the click, so a capture change inside the ending message ends
// nothing early.
LRESULT CALLBACK press_watch_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) noexcept {
  const auto next = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_USERDATA));
  if (is_repeat(m, wp, lp)) return 0;
  if (begins_a_press(m, wp)) {
    LoadedWindow* w = window_from(GetParent(h));
    Unit* u = w ? w->unit_of(h) : nullptr;
    if (!u || waiting(*w)) return 0;  // the button never hears of it
    u->press_let_through = true;
  }
  const bool ending = ends_a_press(m, wp);
  if (ending)
    if (Unit* u = button_unit(h)) ++u->press_ending;
  if (m == WM_CAPTURECHANGED || m == WM_KILLFOCUS)
    if (Unit* u = button_unit(h); u && u->press_ending == 0) u->press_let_through = false;
  const LRESULT r = CallWindowProcW(next, h, m, wp, lp);
  // The click may have destroyed the window, and the unit with it.
  if (ending)
    if (Unit* u = button_unit(h)) {
      --u->press_ending;
      u->press_let_through = false;
    }
  return r;
}

}  // namespace

void watch_presses(Unit& button) {
  const LONG_PTR own = reinterpret_cast<LONG_PTR>(&press_watch_proc);
  SetWindowLongPtrW(button.hwnd, GWLP_USERDATA, GetWindowLongPtrW(button.hwnd, GWLP_WNDPROC));
  SetWindowLongPtrW(button.hwnd, GWLP_WNDPROC, own);
}

void restart_input_wait(LoadedWindow& w) {
  w.input_wait_from = GetTickCount();
  for (auto& u : w.units) u->press_let_through = false;
}

bool click_counts(LoadedWindow& w, Unit& button) {
  if (!(button.layout->def->flags & unit_flag::kWaitsToBeRead)) return true;
  const bool counts = button.press_let_through && !waiting(w);
  button.press_let_through = false;
  return counts;
}

}  // namespace rt::win
