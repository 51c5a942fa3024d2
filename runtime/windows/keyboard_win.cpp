// Keys the runtime handles before a message is dispatched: Esc closes a
// window whose layout says so, Tab and Shift+Tab walk the focus stops, and
// Space's repeats are told from new presses.
#include <windows.h>

#include "window_table_win.h"

namespace rt::win {
namespace {

// The focused unit is asked first whether it uses the key itself: a
// multi-line, writable edit box keeps Enter, and a combo box whose list is
// dropped down keeps Esc, which folds the list up.
bool unit_wants_key(const Unit& u, WPARAM key) {
  const uint32_t flags = u.layout->def->flags;
  switch (u.cls) {
    case UnitClass::EditBox:
      return key == VK_RETURN && (flags & unit_flag::kMultiline) && !(flags & unit_flag::kReadOnly);
    case UnitClass::ComboBox:
      return key == VK_ESCAPE && SendMessageW(u.hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0;
    default:
      return false;
  }
}

void focus_unit(Unit& u) {
  SetFocus(u.hwnd);
  // as in dialogs, a text field entered with Tab has its text selected
  if (u.cls == UnitClass::EditBox) SendMessageW(u.hwnd, EM_SETSEL, 0, -1);
  if (u.cls == UnitClass::ComboBox) SendMessageW(u.hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void move_focus(LoadedWindow& w, const Unit* focused, bool backwards) {
  const std::vector<Unit*> stops = focus_stops(w);
  if (stops.empty()) return;
  const int n = static_cast<int>(stops.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (stops[i] == focused) at = i;
  int next;
  if (at < 0) {
    next = backwards ? n - 1 : 0;
  } else {
    next = (at + (backwards ? n - 1 : 1)) % n;
  }
  focus_unit(*stops[next]);
}

// Space held down repeats its key-down, and Windows marks each repeat
// (lParam bit 30) from the key's state as it queues the key. That state
// can be made anew while the key is held: under Wine, after a click had
// moved the focus, the next repeat came unmarked, like a new press. The
// loop keeps its own account, so that a button that must not take a held
// key for a press can tell: a Space key-down after one without its key-up
// is marked a repeat. Leaving the window forgets it (the key-up may go to
// another program).
void mark_space_repeat(MSG& m) {
  if (m.wParam != VK_SPACE) return;
  bool& down = runtime().space_down;
  if (m.message == WM_KEYUP) down = false;
  if (m.message != WM_KEYDOWN) return;
  if (down) m.lParam |= 1 << 30;
  down = true;
}

}  // namespace

std::vector<Unit*> focus_stops(LoadedWindow& w) {
  std::vector<Unit*> stops;
  for (int index : w.layout->focus_order) {
    Unit* u = w.unit(w.layout->units[index].def->id);
    if (u && u->hwnd && IsWindowVisible(u->hwnd) && IsWindowEnabled(u->hwnd)) stops.push_back(u);
  }
  return stops;
}

bool pretranslate(MSG& m) {
  mark_space_repeat(m);
  if (m.message != WM_KEYDOWN || (m.wParam != VK_ESCAPE && m.wParam != VK_TAB)) return false;
  LoadedWindow* w = window_from(GetAncestor(m.hwnd, GA_ROOT));
  if (!w) return false;
  Unit* focused = w->unit_of(m.hwnd);
  if (focused && unit_wants_key(*focused, m.wParam)) return false;
  if (m.wParam == VK_ESCAPE) {
    if (!(w->own().layout->def->flags & unit_flag::kEscCloses)) return false;
    SendMessageW(w->hwnd, WM_CLOSE, 0, 0);
    return true;
  }
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  move_focus(*w, focused, GetKeyState(VK_SHIFT) < 0);
  return true;
}

}  // namespace rt::win
