#include "theme/visual_style_win.h"

#include <string>
#include <vector>

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

ControlRecord* record(HWND w) {
  for (ControlRecord& r : g_records)
    if (r.hwnd == w) return &r;
  return nullptr;
}

void redraw(HWND w) {
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

void unrestyle(HWND w) {
  for (size_t i = 0; i < g_records.size(); ++i) {
    if (g_records[i].hwnd != w) continue;
    SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_records[i].old_proc));
    g_records.erase(g_records.begin() + static_cast<std::ptrdiff_t>(i));
    redraw(w);
    return;
  }
}

// The replacement procedure. Drawing in the scheme's colours hooks in here;
// everything the control does itself goes to its own procedure unchanged.
LRESULT CALLBACK themed_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const ControlRecord* r = record(w);
  if (!r) return 0;
  const WNDPROC old = r->old_proc;
  if (m == WM_DESTROY) {
    const LRESULT result = CallWindowProcW(old, w, m, wp, lp);
    unrestyle(w);
    return result;
  }
  return CallWindowProcW(old, w, m, wp, lp);
}

void restyle(HWND w) {
  if (record(w)) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  HWND parent = GetParent(w);
  const std::string cls = ascii_class(w), parent_cls = parent ? ascii_class(parent) : std::string();
  const ControlKind kind = classify({cls, style, parent_cls, GetWindowTextLengthW(w) > 0});
  if (kind == ControlKind::None) return;
  ControlRecord r{w, kind, initial_state(w, kind, style), nullptr};
  g_records.push_back(r);
  g_records.back().old_proc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(themed_proc)));
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
LRESULT CALLBACK on_call_wnd_proc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (c->message == WM_CREATE) restyle(c->hwnd);
  }
  return CallNextHookEx(g_hook.get(), code, wp, lp);
}

int switch_off() {
  while (!g_records.empty()) unrestyle(g_records.back().hwnd);
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

const ControlRecord* find_record(HWND hwnd) { return record(hwnd); }

int record_count() { return static_cast<int>(g_records.size()); }

}  // namespace rt::theme
