#include "driver_read.h"

#include <commctrl.h>

#include <cstdio>

#include "driver_remote.h"
#include "driver_wait.h"

namespace drv {

std::optional<LRESULT> ask(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, kPromptMs, &answer)) return std::nullopt;
  return static_cast<LRESULT>(answer);
}

std::wstring text_of(HWND w) {
  const LRESULT n = ask(w, WM_GETTEXTLENGTH).value_or(0);
  if (n <= 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = ask(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0])).value_or(0);
  s.resize(static_cast<size_t>(got > 0 ? got : 0));
  return s;
}

std::wstring class_of(HWND w) {
  wchar_t buf[256] = {};
  GetClassNameW(w, buf, 256);
  return buf;
}

DWORD style_of(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE)); }
DWORD ex_style_of(HWND w) { return static_cast<DWORD>(GetWindowLongW(w, GWL_EXSTYLE)); }
int control_id(HWND w) { return GetDlgCtrlID(w); }

RECT screen_rect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT rect_in_parent(HWND w) {
  RECT r = screen_rect(w);
  const HWND parent = (style_of(w) & WS_CHILD) ? GetParent(w) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE client_size(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

bool is_visible(HWND w) { return IsWindowVisible(w) != FALSE; }
bool is_enabled(HWND w) { return IsWindowEnabled(w) != FALSE; }
bool has_menu_bar(HWND top) { return GetMenu(top) != nullptr; }

HWND focus_in(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

int combo_count(HWND combo) { return static_cast<int>(ask(combo, CB_GETCOUNT).value_or(CB_ERR)); }

std::vector<std::wstring> combo_items(HWND combo) {
  std::vector<std::wstring> items;
  const int n = combo_count(combo);
  for (int i = 0; i < n; ++i) {
    const LRESULT len = ask(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)).value_or(CB_ERR);
    std::wstring s(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
    const LRESULT got = ask(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&s[0])).value_or(0);
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    items.push_back(s);
  }
  return items;
}

int combo_selection(HWND combo) { return static_cast<int>(ask(combo, CB_GETCURSEL).value_or(CB_ERR)); }
ComboMetrics combo_metrics(HWND combo) {
  RECT dropped{};
  ask(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const RECT closed = screen_rect(combo);
  return {closed.bottom - closed.top, dropped.bottom - dropped.top,
          static_cast<int>(ask(combo, CB_GETITEMHEIGHT, 0).value_or(CB_ERR))};
}

HWND combo_list(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  RemoteBlock block(combo, sizeof info);
  if (!block.write(&info, sizeof info) ||
      ask(combo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(block.address())).value_or(0) == 0 ||
      !block.read(&info, sizeof info) || info.hwndCombo != combo)
    return nullptr;
  return info.hwndList;
}

ComboMetrics reference_combo_metrics(DWORD style, int width, int height, int item_height_change) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | style, 0, 0, width, height, parent, nullptr, nullptr, nullptr);
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const LRESULT item = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  if (item_height_change) SendMessageW(combo, CB_SETITEMHEIGHT, 0, item + item_height_change);
  const ComboMetrics m = combo_metrics(combo);
  DestroyWindow(parent);
  return m;
}

int check_state(HWND button) { return static_cast<int>(ask(button, BM_GETCHECK).value_or(-1)); }

std::optional<SYSTEMTIME> date_box_time(HWND date_box) {
  RemoteBlock block(date_box, sizeof(SYSTEMTIME));
  if (!block.valid()) return std::nullopt;
  const std::optional<LRESULT> r = ask(date_box, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(block.address()));
  SYSTEMTIME t{};
  if (!r || *r != GDT_VALID || !block.read(&t, sizeof t)) return std::nullopt;
  return t;
}

std::optional<DateLimits> date_box_limits(HWND date_box) {
  RemoteBlock block(date_box, 2 * sizeof(SYSTEMTIME));
  if (!block.valid()) return std::nullopt;
  const std::optional<LRESULT> r = ask(date_box, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(block.address()));
  SYSTEMTIME both[2] = {};
  if (!r || !block.read(both, sizeof both)) return std::nullopt;
  return DateLimits{static_cast<DWORD>(*r), both[0], both[1]};
}

std::optional<DWORD> date_box_range(HWND date_box) {
  const std::optional<DateLimits> limits = date_box_limits(date_box);
  if (!limits) return std::nullopt;
  return limits->flags;
}

std::string utf8(const std::wstring& s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string describe(HWND w) {
  if (!w) return "(no window)";
  char id[32];
  std::snprintf(id, sizeof id, " #%d", control_id(w));
  return utf8(class_of(w)) + " \"" + utf8(text_of(w)) + "\"" + id;
}

}  // namespace drv
