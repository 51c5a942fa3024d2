#include "driver_find.h"

#include "driver_read.h"

namespace drv {
namespace {

bool matches(HWND w, const WindowQuery& q) {
  if (q.visible_only && !IsWindowVisible(w)) return false;
  if (q.process_id) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != q.process_id) return false;
  }
  if (!q.cls.empty() && class_of(w) != q.cls) return false;
  return q.caption.empty() || text_of(w) == q.caption;
}

BOOL CALLBACK collect(HWND w, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
  return TRUE;
}

}  // namespace

std::vector<HWND> find_windows(const WindowQuery& q) {
  std::vector<HWND> all, found;
  EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all)
    if (matches(w, q)) found.push_back(w);
  return found;
}

HWND find_window(const WindowQuery& q) {
  const std::vector<HWND> found = find_windows(q);
  return found.empty() ? nullptr : found.front();
}

HWND wait_for_window(const WindowQuery& q, DWORD timeout_ms) {
  HWND w = nullptr;
  wait_until([&] { return (w = find_window(q)) != nullptr; }, timeout_ms);
  return w;
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> out;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) out.push_back(w);
  return out;
}

HWND child_by_id(HWND parent, int id) {
  for (HWND w : children(parent))
    if (GetDlgCtrlID(w) == id) return w;
  return nullptr;
}

HWND child_by_text(HWND parent, const std::wstring& cls, const std::wstring& text) {
  for (HWND w : children(parent))
    if ((cls.empty() || class_of(w) == cls) && text_of(w) == text) return w;
  return nullptr;
}

HWND child_at(HWND parent, POINT client) {
  HWND w = ChildWindowFromPointEx(parent, client, CWP_SKIPINVISIBLE);
  return w == parent ? nullptr : w;
}

HWND control_holding(HWND top, HWND w) {
  while (w && GetParent(w) != top) {
    if (w == top) return nullptr;
    w = GetParent(w);
  }
  return w;
}

bool find_title_bar_point(HWND top, LRESULT hit, POINT* screen) {
  const RECT r = screen_rect(top);
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 2; x > r.left; --x) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(top, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, kPromptMs, &answer)) return false;
    if (static_cast<LRESULT>(answer) == hit) {
      // the middle of the run of points that report it
      int left = x;
      while (left > r.left &&
             SendMessageTimeoutW(top, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y), SMTO_ABORTIFHUNG, kPromptMs, &answer) &&
             static_cast<LRESULT>(answer) == hit)
        --left;
      *screen = {(left + x) / 2, y};
      return true;
    }
  }
  return false;
}

bool find_tray_icon(int position, POINT* screen) {
  const HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT client{};
  if (!taskbar || !GetClientRect(taskbar, &client)) return false;
  const int width = GetSystemMetrics(SM_CXSMICON) + 4;
  POINT middle{client.right - width * position - width / 2, (client.top + client.bottom) / 2};
  ClientToScreen(taskbar, &middle);
  *screen = middle;
  return true;
}

}  // namespace drv
