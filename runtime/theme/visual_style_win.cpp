#include "theme/visual_style_win.h"

#include <string>
#include <vector>

#include "theme/paint_win.h"
#include "theme/themed_procs_win.h"
#include "win_handle.h"

namespace rt::theme {
namespace {

int g_scheme = 0;
std::vector<ControlRecord> g_records;
UniqueHook g_hook;

std::string ascii_class(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  std::string s;
  for (const wchar_t* p = name; *p; ++p) s += *p < 128 ? static_cast<char>(*p) : '?';
  return s;
}

// A window that is not shown has nothing on the screen to redraw, and is
// painted anew when it is shown: redrawing it would only cost time.
void redraw(HWND w) {
  if (!IsWindowVisible(w)) return;
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
}

uint32_t initial_state(HWND w, ControlKind kind, DWORD style) {
  uint32_t s = 0;
  if (style & WS_DISABLED) s |= state::kDisabled;
  if (GetFocus() == w) s |= state::kFocused;
  if (kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) {
    if ((style & 0x1F) == BS_DEFPUSHBUTTON) s |= state::kDefault;
    const LRESULT check = SendMessageW(w, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) s |= state::kChecked;
    if (check == BST_INDETERMINATE) s |= state::kIndeterminate;
  }
  if (kind == ControlKind::Edit && (style & ES_READONLY)) s |= state::kReadOnly;
  return s;
}

void restyle(HWND w) {
  if (record_of(w)) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  HWND parent = GetParent(w);
  const std::string cls = ascii_class(w), parent_cls = parent ? ascii_class(parent) : std::string();
  const ControlKind kind = classify({cls, style, parent_cls, GetWindowTextLengthW(w) > 0});
  const WNDPROC themed = themed_procedure(kind);
  if (!themed) return;
  const uint32_t s = initial_state(w, kind, style);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  g_records.push_back({w, kind, s, nullptr, GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE),
                       GetSysColor(COLOR_BTNTEXT), font});
  g_records.back().old_proc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(themed)));
  redraw(w);
}

BOOL CALLBACK restyle_child(HWND w, LPARAM) {
  restyle(w);
  return TRUE;
}

BOOL CALLBACK restyle_top(HWND w, LPARAM) {
  restyle(w);
  EnumChildWindows(w, restyle_child, 0);  // every descendant
  return TRUE;
}

// Windows created while the look is on get it from their WM_CREATE.
LRESULT CALLBACK on_call_wnd_proc(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HC_ACTION) {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (c->message == WM_CREATE) restyle(c->hwnd);
  }
  return CallNextHookEx(g_hook.get(), code, wp, lp);
}

int switch_off() {
  while (!g_records.empty()) give_back(g_records.back().hwnd);
  release_paint_canvas();
  g_scheme = 0;
  if (!g_hook) return 0;
  return UnhookWindowsHookEx(g_hook.release()) ? 1 : 0;
}

}  // namespace

int set_visual_style(int scheme) {
  if (scheme < 1 || scheme > 3) return switch_off();
  switch_off();
  g_scheme = scheme;
  EnumThreadWindows(GetCurrentThreadId(), restyle_top, 0);
  g_hook.reset(SetWindowsHookExW(WH_CALLWNDPROC, on_call_wnd_proc, nullptr, GetCurrentThreadId()));
  return 1;
}

int current_scheme() { return g_scheme; }

ControlRecord* record_of(HWND w) {
  for (ControlRecord& r : g_records)
    if (r.hwnd == w) return &r;
  return nullptr;
}

const ControlRecord* find_record(HWND w) { return record_of(w); }

int record_count() { return static_cast<int>(g_records.size()); }

void give_back(HWND w) {
  for (size_t i = 0; i < g_records.size(); ++i) {
    if (g_records[i].hwnd != w) continue;
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_records[i].old_proc));
    g_records.erase(g_records.begin() + static_cast<std::ptrdiff_t>(i));
    redraw(w);
    return;
  }
}

}  // namespace rt::theme
