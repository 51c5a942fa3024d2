#include "theme/visual_style_win.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "display/dpi_win.h"
#include "theme/paint_win.h"
#include "theme/themed_procs_win.h"
#include "win_handle.h"

namespace rt::theme {
namespace {

int g_chosen = 0;  // the look chosen, whether drawn or not
int g_scheme = 0;  // the look drawn now
bool g_high_contrast = false;

bool windows_high_contrast() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}
HighContrastQuery g_query = windows_high_contrast;

// Every message of a themed control looks up its record: a hash of the
// control's handle finds it at once, and each record stays where it was
// made until it is dropped, whatever comes and goes around it.
std::unordered_map<HWND, std::unique_ptr<ControlRecord>> g_records;
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

// The kinds that can be checked, pushed and made the default.
bool is_button(ControlKind kind) {
  return kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// The flags a control starts with that its style gives.
uint32_t style_state(ControlKind kind, DWORD style) {
  uint32_t s = 0;
  if (style & WS_DISABLED) s |= state::kDisabled;
  if (is_button(kind) && (style & 0x1F) == BS_DEFPUSHBUTTON) s |= state::kDefault;
  if (kind == ControlKind::Edit && (style & ES_READONLY)) s |= state::kReadOnly;
  return s;
}

// A control's first flags: those of its style, then what it shows now.
uint32_t initial_state(HWND w, ControlKind kind, DWORD style) {
  uint32_t s = style_state(kind, style);
  if (GetFocus() == w) s |= state::kFocused;
  if (is_button(kind)) {
    const LRESULT check = SendMessageW(w, BM_GETCHECK, 0, 0);
    if (check == BST_CHECKED) s |= state::kChecked;
    if (check == BST_INDETERMINATE) s |= state::kIndeterminate;
  }
  return s;
}

ControlKind kind_of(HWND w, DWORD style, bool has_text) {
  const HWND parent = GetParent(w);
  const std::string cls = ascii_class(w), parent_cls = parent ? ascii_class(parent) : std::string();
  return classify({cls, style, parent_cls, has_text});
}

// Gives the control the procedure of its kind and keeps its record.
void take_over(HWND w, ControlKind kind, uint32_t first_state, HFONT font) {
  auto record = std::make_unique<ControlRecord>(ControlRecord{w, kind, first_state, nullptr,
                                                              GetSysColorBrush(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE),
                                                              GetSysColor(COLOR_BTNTEXT), font, display::window_dpi(w)});
  ControlRecord& r = *record;
  g_records.emplace(w, std::move(record));  // bound before the first message reaches the themed procedure
  r.old_proc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(themed_procedure(kind))));
}

// A window that exists: everything is asked of it, and it is redrawn. A
// control the look already holds (it was switched off meanwhile, and saw
// none of the changes) is asked what it shows now.
void restyle(HWND w) {
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  if (ControlRecord* r = record_for(w)) {
    r->state = initial_state(w, r->kind, style);
    r->font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
    redraw(w);
    return;
  }
  const ControlKind kind = kind_of(w, style, GetWindowTextLengthW(w) > 0);
  if (!themed_procedure(kind)) return;
  take_over(w, kind, initial_state(w, kind, style), reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
  redraw(w);
}

// A window being created, before its first message: its text is still only
// in its creation parameters, it is unchecked, has no focus and no font yet
// (a font it is given later arrives as WM_SETFONT), and nothing is on the
// screen.
void restyle_created(HWND w, const CREATESTRUCTW& cs) {
  if (record_for(w)) return;
  const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
  const wchar_t* name = cs.lpszName;
  const bool has_text = name && !IS_INTRESOURCE(name) && name[0] != 0 && name[0] != 0xFFFF;
  const ControlKind kind = kind_of(w, style, has_text);
  if (!themed_procedure(kind)) return;
  take_over(w, kind, style_state(kind, style), nullptr);
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

// Windows created while the look is on get it as they are created, unless
// a hook further down the chain refuses the creation. A creation hook rather than
// one that sees every message sent: while a hook of the latter kind is in
// place, Wine takes every message sent on the thread through the window
// server.
LRESULT CALLBACK on_cbt(int code, WPARAM wp, LPARAM lp) noexcept {
  const LRESULT refused = CallNextHookEx(g_hook.get(), code, wp, lp);
  if (code == HCBT_CREATEWND && !refused)
    restyle_created(reinterpret_cast<HWND>(wp), *reinterpret_cast<const CBT_CREATEWNDW*>(lp)->lpcs);
  return refused;
}

// Off: the hook goes, and every control the look holds keeps its themed
// procedure, which now passes each message on, and draws itself again.
int switch_off() {
  g_scheme = 0;
  release_paint_canvas();
  for (const auto& r : g_records) redraw(r.first);
  if (!g_hook) return 0;
  return UnhookWindowsHookEx(g_hook.release()) ? 1 : 0;
}

// The chosen look, unless high contrast is on.
int apply() {
  const int scheme = g_high_contrast ? 0 : g_chosen;
  if (!scheme) return switch_off();
  g_scheme = scheme;
  EnumThreadWindows(GetCurrentThreadId(), restyle_top, 0);
  if (!g_hook) g_hook.reset(SetWindowsHookExW(WH_CBT, on_cbt, nullptr, GetCurrentThreadId()));
  return 1;
}

}  // namespace

int set_visual_style(int scheme) {
  g_chosen = scheme >= 1 && scheme <= 3 ? scheme : 0;
  g_high_contrast = g_query();
  const int done = apply();
  return g_chosen ? 1 : done;
}

int current_scheme() { return g_scheme; }

bool follow_high_contrast() {
  const bool on = g_query();
  if (on == g_high_contrast) return false;
  g_high_contrast = on;
  if (g_chosen) apply();
  return true;
}

HighContrastQuery set_high_contrast_query(HighContrastQuery query) {
  const HighContrastQuery old = g_query;
  g_query = query ? query : windows_high_contrast;
  return old;
}

bool look_in_force() { return g_scheme != 0; }

ControlRecord* record_for(HWND w) {
  const auto found = g_records.find(w);
  return found == g_records.end() ? nullptr : found->second.get();
}

const ControlRecord* find_record(HWND w) { return record_for(w); }

int record_count() { return static_cast<int>(g_records.size()); }

void set_control_dpi(HWND w, int dpi) {
  if (ControlRecord* r = record_for(w)) r->dpi = dpi;
}

void drop_record(HWND w) { g_records.erase(w); }

}  // namespace rt::theme
