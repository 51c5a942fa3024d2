// The window class behind every window of the program, its window procedure
// (which turns window messages into unit events), the label and timer unit
// classes, and the runtime's invisible owner window.
#include <windows.h>

#include <string>

#include "private_messages.h"
#include "window_table_win.h"

namespace rt::win {

const wchar_t kFrameClass[] = L"TimerRuntimeWindow";
const wchar_t kLabelClass[] = L"TimerRuntimeLabel";
const wchar_t kTimerClass[] = L"TimerRuntimeTimer";
namespace {
const wchar_t kOwnerClass[] = L"TimerRuntimeOwner";
constexpr UINT_PTR kTimerId = 1000;

bool alive(uint32_t id, HWND h) {
  LoadedWindow* w = find_window(id);
  return w && w->hwnd == h && IsWindow(h);
}

// Close request: "close requested" then "may close"; either answering 0
// refuses. Otherwise dialog mode gives back what it disabled and the window
// goes.
void request_close(LoadedWindow& w) {
  const uint32_t id = w.id;
  const HWND h = w.hwnd;
  EventAnswer a = raise_event(id, 0, event::kCloseRequested);
  if ((a.answered && a.answer == 0) || !alive(id, h)) return;
  a = raise_event(id, 0, event::kMayClose);
  if ((a.answered && a.answer == 0) || !alive(id, h)) return;
  LoadedWindow* still = find_window(id);
  still->closing = false;
  give_back_disabled(*still);
  DestroyWindow(h);
}

void on_command(LoadedWindow& w, WPARAM wparam, LPARAM lparam) {
  if (lparam) {  // a control's notification
    Unit* u = w.unit_of(reinterpret_cast<HWND>(lparam));
    if (u && u->cls == UnitClass::Button && HIWORD(wparam) == BN_CLICKED) raise_event(w.id, u->id, event::kClicked);
    return;
  }
  const ResolvedUnit* item = w.layout->menu_item(LOWORD(wparam));
  if (item && w.unit(item->def->id)) raise_event(w.id, item->def->id, 0);
}

// Keeps the focused control across deactivation, as dialogs do.
void on_activate(LoadedWindow& w, WPARAM wparam) {
  if (LOWORD(wparam) != WA_INACTIVE) return;
  HWND f = GetFocus();
  if (f && f != w.hwnd && IsChild(w.hwnd, f)) w.last_focus = f;
}

void on_set_focus(LoadedWindow& w) {
  HWND target = w.last_focus;
  if (!target || !IsChild(w.hwnd, target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    const std::vector<Unit*> stops = focus_stops(w);
    target = stops.empty() ? nullptr : stops.front()->hwnd;
  }
  if (target) SetFocus(target);
}

LRESULT CALLBACK frame_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCREATE) {
    auto* created = reinterpret_cast<CREATESTRUCTW*>(lp);
    static_cast<LoadedWindow*>(created->lpCreateParams)->hwnd = h;
  }
  LoadedWindow* w = window_of(h);
  if (!w) return DefWindowProcW(h, m, wp, lp);
  const uint32_t id = w->id;
  switch (m) {
    case WM_MOVE:
    case WM_SIZE: {
      const LRESULT r = DefWindowProcW(h, m, wp, lp);
      raise_event(id, 0, m == WM_MOVE ? event::kMoved : event::kSized);
      return r;
    }
    case WM_SHOWWINDOW:
      raise_event(id, 0, wp ? event::kShown : event::kHidden);
      return DefWindowProcW(h, m, wp, lp);
    case WM_CLOSE:
      request_close(*w);
      return 0;
    case WM_QUERYENDSESSION: {
      const LRESULT r = DefWindowProcW(h, m, wp, lp);
      const EventAnswer a = raise_event(id, 0, event::kMayClose);
      return a.answered && a.answer == 0 ? FALSE : r;
    }
    case msg::kDeferredDestroy:
      if (w->closing) {
        w->closing = false;
        give_back_disabled(*w);
        DestroyWindow(h);
      }
      return 0;
    case WM_DESTROY:
      raise_event(id, 0, event::kDestroying);
      if ((w = window_of(h))) {
        give_back_disabled(*w);
        if (w->menu_bar) {
          SetMenu(h, nullptr);
          w->menu_bar.reset();
        }
        notify_destroyed(id);  // what other modules keep for the window goes too
      }
      return 0;
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
    case display::kDpiChanged:  // moved to a screen of another DPI
      lay_out_again(*w, LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    default:
      // Private and registered messages go to the modules that asked for
      // them (a notification icon's reports, broadcasts of the shell).
      if (m >= WM_APP && notify_message(id, m, wp, lp)) return 0;
      return DefWindowProcW(h, m, wp, lp);
  }
}

// Labels: button-face background, black caption on one line, left and
// vertically centred, '&' shown as it is.
LRESULT CALLBACK label_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
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
        SetTextColor(dc.get(), RGB(0, 0, 0));
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
LRESULT CALLBACK timer_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_TIMER && wp == kTimerId) {
    const LRESULT r = DefWindowProcW(h, m, wp, lp);
    if (LoadedWindow* w = window_of(GetParent(h)))
      if (Unit* u = w->unit_of(h)) raise_event(w->id, u->id, event::kTick);
    return r;
  }
  if (m == WM_DESTROY) {
    if (LoadedWindow* w = window_of(GetParent(h)))
      if (Unit* u = w->unit_of(h)) stop_timer(*u);
    KillTimer(h, kTimerId);
  }
  return DefWindowProcW(h, m, wp, lp);
}

void register_class(const wchar_t* name, WNDPROC proc, HBRUSH background, HICON icon, HICON small_icon, int extra) {
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
  RegisterClassExW(&wc);
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
  register_class(kFrameClass, frame_proc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                 program_icon(GetSystemMetrics(SM_CXICON)), program_icon(GetSystemMetrics(SM_CXSMICON)), 0);
  register_class(kLabelClass, label_proc, nullptr, nullptr, nullptr, sizeof(LONG_PTR));
  register_class(kTimerClass, timer_proc, nullptr, nullptr, nullptr, 0);
  register_class(kOwnerClass, DefWindowProcW, nullptr, nullptr, nullptr, 0);
}

HWND create_owner_window() {
  return CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void stop_timer(Unit& timer) {
  if (timer.timer_running && timer.hwnd) KillTimer(timer.hwnd, kTimerId);
  timer.timer_running = false;
}

void set_timer_interval(Unit& timer, int32_t interval) {
  if (interval < 0) interval = 0;
  if (interval == timer.interval) return;  // the same period keeps its phase
  timer.interval = interval;
  stop_timer(timer);
  if (interval > 0 && timer.hwnd && SetTimer(timer.hwnd, kTimerId, static_cast<UINT>(interval), nullptr))
    timer.timer_running = true;
}

}  // namespace rt::win
