#include "driver_input.h"

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <vector>

#include "driver_read.h"
#include "driver_remote.h"
#include "driver_wait.h"

namespace drv {
namespace {

bool send(std::vector<INPUT>& inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = flags;
  return in;
}

bool is_extended(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (is_extended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT unicode(wchar_t c, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = c;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

// Normalised absolute coordinate: 0..65535 spans the primary screen, and
// the pixel is found as floor(n * size / 65536), so round up.
LONG normalised(LONG pixel, int size) { return static_cast<LONG>((pixel * 65536LL + size - 1) / size); }

bool same_point(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

INPUT mouse_at(POINT screen, DWORD flags) {
  return mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags, normalised(screen.x, GetSystemMetrics(SM_CXSCREEN)),
               normalised(screen.y, GetSystemMetrics(SM_CYSCREEN)));
}

// Every button event carries its position too: under Wine a pointer motion
// that the X server reports late (from an earlier move) can come in between
// and would otherwise move the press elsewhere.
bool buttons(POINT screen, DWORD down, DWORD up, int clicks) {
  if (!move_mouse(screen)) return false;
  std::vector<INPUT> inputs;
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(mouse_at(screen, down));
    inputs.push_back(mouse_at(screen, up));
  }
  return send(inputs);
}

}  // namespace

bool bring_to_front(HWND top) {
  // Asked again while waiting: a request made while another program was
  // still giving up the foreground (closing, say) can be lost.
  return wait_until([&] {
    if (GetForegroundWindow() == top) return true;
    SetForegroundWindow(top);
    return false;
  });
}

POINT screen_point(HWND w, POINT client) {
  ClientToScreen(w, &client);
  return client;
}

POINT centre_of(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return screen_point(w, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

bool move_mouse(POINT screen) {
  // Already there: the move that brought it waited for its reports, so
  // there is nothing to wait for (a hundred clicks on one button cost a
  // hundred quiet spells otherwise).
  POINT at{};
  if (GetCursorPos(&at) && same_point(at, screen)) return true;
  std::vector<INPUT> inputs = {mouse_at(screen, 0)};
  if (!send(inputs)) return false;
  // There, and still there a little later: the pointer motions that X
  // reports back for earlier moves have come in.
  constexpr DWORD kQuietMs = 30;
  DWORD since = now_ms();
  return wait_until([&] {
    POINT at{};
    if (!GetCursorPos(&at) || !same_point(at, screen)) {
      since = now_ms();
      return false;
    }
    return now_ms() - since >= kQuietMs;
  });
}

bool click_screen(POINT screen, int clicks) { return buttons(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, clicks); }

bool right_click_screen(POINT screen) { return buttons(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1); }

bool click(HWND w, POINT client) {
  return bring_to_front(GetAncestor(w, GA_ROOT)) && click_screen(screen_point(w, client), 1);
}

bool click(HWND w) { return bring_to_front(GetAncestor(w, GA_ROOT)) && click_screen(centre_of(w), 1); }

bool double_click(HWND w, POINT client) {
  return bring_to_front(GetAncestor(w, GA_ROOT)) && click_screen(screen_point(w, client), 2);
}

bool double_click(HWND w) { return bring_to_front(GetAncestor(w, GA_ROOT)) && click_screen(centre_of(w), 2); }

bool press_key(WORD vk, unsigned modifiers) {
  static const struct {
    Modifier bit;
    WORD vk;
  } kModifiers[] = {{kControl, VK_CONTROL}, {kAlt, VK_MENU}, {kShift, VK_SHIFT}};
  std::vector<INPUT> inputs;
  for (const auto& m : kModifiers)
    if (modifiers & m.bit) inputs.push_back(key(m.vk, false));
  inputs.push_back(key(vk, false));
  inputs.push_back(key(vk, true));
  for (int i = 2; i >= 0; --i)
    if (modifiers & kModifiers[i].bit) inputs.push_back(key(kModifiers[i].vk, true));
  return send(inputs);
}

bool send_key(WORD vk, bool up) {
  std::vector<INPUT> inputs = {key(vk, up)};
  return send(inputs);
}

bool drag_screen(POINT from, POINT to) {
  std::vector<INPUT> down = {mouse_at(from, MOUSEEVENTF_LEFTDOWN)}, up = {mouse_at(to, MOUSEEVENTF_LEFTUP)};
  return move_mouse(from) && send(down) && move_mouse(to) && send(up);
}

bool type_text(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    inputs.push_back(unicode(c, false));
    inputs.push_back(unicode(c, true));
  }
  return inputs.empty() || send(inputs);
}

bool set_colour_scheme(const ColourScheme& scheme) {
  const INT elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
  const COLORREF colours[] = {scheme.window, scheme.window_text, scheme.face, scheme.face_text};
  return SetSysColors(4, elements, colours) != FALSE;
}

bool put_on_clipboard(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;  // the clipboard owns it now
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

bool set_date_box_time(HWND date_box, const SYSTEMTIME& t) {
  RemoteBlock block(date_box, sizeof t);
  return block.valid() && block.write(&t, sizeof t) &&
         ask(date_box, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(block.address())).value_or(0) != 0;
}

namespace {

int days_in(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// The box takes a day when it shows that day afterwards.
bool takes(HWND box, int year, int month, int day) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(year);
  t.wMonth = static_cast<WORD>(month);
  t.wDay = static_cast<WORD>(day);
  if (!set_date_box_time(box, t)) return false;
  const std::optional<SYSTEMTIME> shown = date_box_time(box);
  return shown && shown->wYear == t.wYear && shown->wMonth == t.wMonth && shown->wDay == t.wDay;
}

// The first of lo..hi where `holds` turns true (it stays true after), or the
// last where it is still true (it turns false after) when `last` is set.
int boundary(int lo, int hi, bool last, const std::function<bool(int)>& holds) {
  while (lo < hi) {
    const int mid = last ? lo + (hi - lo + 1) / 2 : lo + (hi - lo) / 2;
    if (last) {
      holds(mid) ? lo = mid : hi = mid - 1;
    } else {
      holds(mid) ? hi = mid : lo = mid + 1;
    }
  }
  return lo;
}

// The first (or last) day of a year that the box takes, day by day: a
// calendar may leave days out where it begins (Wine's September 1752 has 19).
bool scan_year(HWND box, int year, bool from_end, SYSTEMTIME* found) {
  for (int i = 0; i < 12; ++i) {
    const int month = from_end ? 12 - i : 1 + i;
    for (int j = 0; j < days_in(year, month); ++j) {
      const int day = from_end ? days_in(year, month) - j : 1 + j;
      if (takes(box, year, month, day)) {
        *found = SYSTEMTIME{};
        found->wYear = static_cast<WORD>(year);
        found->wMonth = static_cast<WORD>(month);
        found->wDay = static_cast<WORD>(day);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool date_box_extremes(HWND box, SYSTEMTIME* first, SYSTEMTIME* last) {
  const std::optional<DateLimits> limits = date_box_limits(box);
  const std::optional<SYSTEMTIME> today = date_box_time(box);
  if (!limits || !today) return false;
  const int now = today->wYear;
  if (limits->flags & GDTR_MIN) {
    *first = limits->first;
  } else {
    const int year = boundary(1, now, false, [&](int y) { return takes(box, y, 12, 31); });
    if (!scan_year(box, year, false, first)) return false;
  }
  if (limits->flags & GDTR_MAX) {
    *last = limits->last;
  } else {
    const int year = boundary(now, 30827, true, [&](int y) { return takes(box, y, 1, 1); });
    if (!scan_year(box, year, true, last)) return false;
  }
  return true;
}

}  // namespace drv
