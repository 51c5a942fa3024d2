// The window class behind every window of the program, its window procedure
// (which turns window messages into unit events), the label and timer unit
// classes, and the runtime's invisible owner window.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "clock_win.h"
#include "private_messages.h"
#include "window_table_win.h"

namespace rt::win {

const wchar_t kFrameClass[] = L"TimerRuntimeWindow";
const wchar_t kLabelClass[] = L"TimerRuntimeLabel";
const wchar_t kTimerClass[] = L"TimerRuntimeTimer";
namespace {
const wchar_t kOwnerClass[] = L"TimerRuntimeOwner";
constexpr UINT_PTR kTimerId = 1000;
ATOM g_frame_class = 0;

// An event of the window's own unit.
EventAnswer raise_own(LoadedWindow& w, int event) { return raise_unit_event(w, w.own(), event); }

bool refused(const EventAnswer& a) { return a.answered && a.answer == 0; }

// Close request: "close requested" then "may close"; either answering 0
// refuses. Otherwise the window goes.
void request_close(LoadedWindow& w) {
  const WindowGuard guard(w);
  if (refused(raise_own(w, event::kCloseRequested))) return;
  LoadedWindow* still = guard.get();
  if (!still || refused(raise_own(*still, event::kMayClose))) return;
  if ((still = guard.get())) destroy_now(*still);
}

void on_command(LoadedWindow& w, WPARAM wparam, LPARAM lparam) {
  if (lparam) {  // a control's notification
    Unit* u = w.unit_of(reinterpret_cast<HWND>(lparam));
    if (u && u->cls == UnitClass::Button && HIWORD(wparam) == BN_CLICKED && click_counts(w, *u))
      raise_unit_event(w, *u, event::kClicked);
    return;
  }
  const ResolvedUnit* item = w.layout->menu_item(LOWORD(wparam));
  if (!item) return;
  if (Unit* u = w.at_index[static_cast<size_t>(item->index)]) raise_unit_event(w, *u, 0);
}

// A window that comes up unasked (a topmost layout: the shutdown
// confirmation) meets users busy elsewhere. It does not take the keys; once
// it is activated its frame has the focus, every time, so that a stray
// Space or Enter presses no button, whatever button had the focus before;
// Tab reaches them.
bool frame_keeps_focus(const LoadedWindow& w) { return (w.own().layout->def->flags & unit_flag::kTopmost) != 0; }

// Keeps the focused control across deactivation, as dialogs do.
void on_activate(LoadedWindow& w, WPARAM wparam) {
  if (LOWORD(wparam) != WA_INACTIVE) {
    restart_input_wait(w);
    return;
  }
  runtime().space_down = false;  // its key-up may go elsewhere now
  HWND f = GetFocus();
  if (f && f != w.hwnd && IsChild(w.hwnd, f) && !frame_keeps_focus(w)) w.last_focus = f;
}

// The focus comes back to the control that had it; with none, to the first
// focus stop. A frame that keeps the focus keeps it.
void on_set_focus(LoadedWindow& w) {
  if (frame_keeps_focus(w)) return;
  HWND target = w.last_focus;
  if (!target || !IsChild(w.hwnd, target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    const std::vector<Unit*> stops = focus_stops(w);
    target = stops.empty() ? nullptr : stops.front()->hwnd;
  }
  if (target) SetFocus(target);
}

// A task-modal box disables every window of the thread. One opened while a
// dialog-mode loop runs (the about box from the tray while the shutdown
// confirmation counts) must leave that dialog within reach: its 取消 has to
// work for the whole count. What the runtime disables itself stands: the
// window's own disabled property, and the fatal error's refusal.
void keep_dialog_enabled(LoadedWindow& w) {
  if (runtime().dialog_loop_window == w.id && !w.own().disabled && !events_refused()) EnableWindow(w.hwnd, TRUE);
}

LRESULT CALLBACK frame_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) noexcept {
  if (m == WM_NCCREATE) bind_window(*static_cast<LoadedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams), h);
  LoadedWindow* w = window_from(h);
  if (!w) return DefWindowProcW(h, m, wp, lp);
  const uint32_t id = w->id;
  switch (m) {
    case WM_MOVE:
    case WM_SIZE: {
      if (m == WM_SIZE && wp == SIZE_RESTORED) restart_input_wait(*w);  // back from minimised, say
      const LRESULT r = DefWindowProcW(h, m, wp, lp);
      raise_own(*w, m == WM_MOVE ? event::kMoved : event::kSized);
      return r;
    }
    case WM_SHOWWINDOW:
      if (wp) restart_input_wait(*w);
      raise_own(*w, wp ? event::kShown : event::kHidden);
      return DefWindowProcW(h, m, wp, lp);
    case WM_CLOSE:
      request_close(*w);
      return 0;
    case WM_QUERYENDSESSION: {
      const LRESULT r = DefWindowProcW(h, m, wp, lp);
      return refused(raise_own(*w, event::kMayClose)) ? FALSE : r;
    }
    case WM_ENDSESSION: {
      const int32_t ends = wp ? 1 : 0;
      raise_unit_event(*w, w->own(), event::kSessionEnds, 1, &ends);
      return 0;
    }
    case WM_TIMECHANGE:
      raise_own(*w, event::kTimeChanged);
      return 0;
    case msg::kDeferredDestroy:
      if (w->closing) destroy_now(*w);
      return 0;
    case WM_DESTROY: {
      const WindowGuard guard(*w);
      raise_own(*w, event::kDestroying);
      if ((w = guard.get())) {
        give_back_disabled(*w);
        if (w->menu_bar) {
          SetMenu(h, nullptr);
          w->menu_bar.reset();
        }
        notify_destroyed(id);  // what other modules keep for the window goes too
        forget_annotations(*w);
      }
      return 0;
    }
    case WM_NCDESTROY:
      forget_window(h);
      return DefWindowProcW(h, m, wp, lp);
    case WM_COMMAND:
      on_command(*w, wp, lp);
      return 0;
    case WM_ACTIVATE:
      on_activate(*w, wp);
      return DefWindowProcW(h, m, wp, lp);
    case WM_SETFOCUS:
      on_set_focus(*w);
      return 0;
    case WM_ENABLE:
      if (!wp) keep_dialog_enabled(*w);
      return DefWindowProcW(h, m, wp, lp);
    case display::kDpiChanged:  // moved to a screen of another DPI
      lay_out_again(*w, LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return button_face_colors(reinterpret_cast<HDC>(wp));
    case WM_GETOBJECT:  // a screen reader's question: its units are named before it is answered
      annotate_units(*w);
      return DefWindowProcW(h, m, wp, lp);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      follow_display_settings(*w, m, wp);
      return DefWindowProcW(h, m, wp, lp);
    default:
      // Private and registered messages go to the modules that asked for
      // them (a notification icon's reports, broadcasts of the shell).
      if (m >= WM_APP && notify_message(*w, m, wp, lp)) return 0;
      return DefWindowProcW(h, m, wp, lp);
  }
}

// Labels: button-face background, caption in the button text colour that
// goes with it, on one line, left and vertically centred, '&' shown as it is.
LRESULT CALLBACK label_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) noexcept {
  switch (m) {
    case WM_PAINT: {
      PaintDc dc(h);
      RECT r;
      GetClientRect(h, &r);
      FillRect(dc.get(), &r, GetSysColorBrush(COLOR_BTNFACE));
      const int n = GetWindowTextLengthW(h);
      if (n > 0) {
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(h, &text[0], n + 1)));
        SelectObjectScope font(dc.get(), reinterpret_cast<HFONT>(GetWindowLongPtrW(h, 0)));
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole rectangle
    case WM_SETFONT:
      SetWindowLongPtrW(h, 0, static_cast<LONG_PTR>(wp));
      if (LOWORD(lp)) InvalidateRect(h, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(h, 0);
    case WM_SETTEXT: {
      const LRESULT r = DefWindowProcW(h, m, wp, lp);
      InvalidateRect(h, nullptr, TRUE);
      return r;
    }
    default:
      return DefWindowProcW(h, m, wp, lp);
  }
}

// Timer units: an invisible child window that owns the Windows timer.
LRESULT CALLBACK timer_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) noexcept {
  if (m == WM_TIMER && wp == kTimerId) {
    const LRESULT r = DefWindowProcW(h, m, wp, lp);
    if (LoadedWindow* w = window_from(GetParent(h)))
      if (Unit* u = w->unit_of(h)) {
        note_tick(*u);
        raise_unit_event(*w, *u, event::kTick);
      }
    return r;
  }
  if (m == WM_DESTROY) {
    if (LoadedWindow* w = window_from(GetParent(h)))
      if (Unit* u = w->unit_of(h)) stop_timer(*u);
    KillTimer(h, kTimerId);
  }
  return DefWindowProcW(h, m, wp, lp);
}

ATOM register_class(const wchar_t* name, WNDPROC proc, HBRUSH background, HICON icon, HICON small_icon, int extra) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.hIconSm = small_icon;
  wc.cbWndExtra = extra;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc);
}

// The class's icons, at the system's sizes, shared by every window.
HICON program_icon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

HICON load_program_icon(int size) {
  // Not shared: Windows would hand out a shared icon of another size again.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"DEFAULT_ICON", IMAGE_ICON, size, size, 0));
}

void register_classes() {
  static bool done = false;
  if (done) return;
  done = true;
  g_frame_class = register_class(kFrameClass, frame_proc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                 program_icon(GetSystemMetrics(SM_CXICON)), program_icon(GetSystemMetrics(SM_CXSMICON)), 0);
  register_class(kLabelClass, label_proc, nullptr, nullptr, nullptr, sizeof(LONG_PTR));
  register_class(kTimerClass, timer_proc, nullptr, nullptr, nullptr, 0);
  register_class(kOwnerClass, DefWindowProcW, nullptr, nullptr, nullptr, 0);
}

ATOM frame_class_atom() { return g_frame_class; }

HWND create_owner_window() {
  return CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void stop_timer(Unit& timer) {
  if (timer.timer_running && timer.hwnd) KillTimer(timer.hwnd, kTimerId);
  timer.timer_running = false;
}

void set_timer_interval(Unit& timer, int32_t interval) {
  if (interval < 0) interval = 0;
  if (interval == timer.interval) return;  // the same period keeps its start and phase
  timer.interval = interval;
  stop_timer(timer);
  if (interval > 0 && timer.hwnd && SetTimer(timer.hwnd, kTimerId, static_cast<UINT>(interval), nullptr)) {
    timer.timer_running = true;
    timer.last_tick = tick_count();
    timer.since_last_tick = 0;
  }
}

// Windows delivers a timer's ticks late, or one for many, when the thread
// was held up or the machine slept (the tick count runs on meanwhile).
void note_tick(Unit& timer) {
  if (!timer.timer_running) return;
  const uint64_t now = tick_count();
  timer.since_last_tick = static_cast<int32_t>(std::min<uint64_t>(now - timer.last_tick, INT32_MAX));
  timer.last_tick = now;
}

}  // namespace rt::win
