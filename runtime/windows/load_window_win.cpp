// Loading windows from their layouts, showing them, dialog mode, destroying,
// and the message loops.
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>

#include <algorithm>

#include "fatal.h"
#include "gbk_win.h"
#include "private_messages.h"
#include "property_rules.h"
#include "sound/player_win.h"
#include "system/shutdown_win.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

uint64_t g_next_serial = 1;

void erase_window(const LoadedWindow* w) {
  auto& all = runtime().windows;
  const auto it = std::find_if(all.begin(), all.end(), [w](const auto& p) { return p.get() == w; });
  if (it != all.end()) all.erase(it);
}

std::unique_ptr<LoadedWindow> make_window(const ResolvedWindow& layout, uint32_t parent_id) {
  auto w = std::make_unique<LoadedWindow>();
  w->id = layout.def->id;
  w->serial = g_next_serial++;
  w->layout = &layout;
  w->parent_id = parent_id;
  for (const ResolvedUnit& ru : layout.units) {
    const UnitDef& d = *ru.def;
    auto u = std::make_unique<Unit>();
    u->layout = &ru;
    u->id = d.id;
    u->cls = d.cls;
    u->left = d.left;
    u->top = d.top;
    u->width = d.width;
    u->height = d.height;
    u->visible = (d.flags & unit_flag::kVisible) != 0;
    u->disabled = (d.flags & unit_flag::kDisabled) != 0;
    if (d.cls == UnitClass::Label || d.cls == UnitClass::Button || d.cls == UnitClass::EditBox ||
        d.cls == UnitClass::ComboBox)
      u->caption = Text::copy(d.text ? d.text : "");
    if (d.cls == UnitClass::Window) u->state = clamp_choice(static_cast<int32_t>(d.value), kStateMaximised);
    if (d.cls == UnitClass::DateBox) u->date = d.value;
    w->at_index.push_back(u.get());
    w->units.push_back(std::move(u));
  }
  return w;
}

POINT centred(int width, int height) {
  return POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

// The frame is made at the layout's size, then, once the DPI of its screen
// is known, placed at the size scaled for it: the outer size, title bar and
// frame included, as the layout gives it at 96 DPI.
HWND create_frame(LoadedWindow& w, HWND owner) {
  const UnitDef& def = *w.own().layout->def;
  const uint32_t f = def.flags;
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN | ((f & unit_flag::kDisabled) ? WS_DISABLED : 0);
  if (f & unit_flag::kSysMenu) style |= WS_SYSMENU;
  if (f & unit_flag::kMinimizeBox) style |= WS_MINIMIZEBOX;
  if (f & unit_flag::kMaximizeBox) style |= WS_MAXIMIZEBOX;
  if (f & unit_flag::kSizable) style |= WS_THICKFRAME;
  if (w.own().state == kStateMinimised) style |= WS_MINIMIZE;
  if (w.own().state == kStateMaximised && (f & unit_flag::kSizable)) style |= WS_MAXIMIZE;
  const DWORD ex_style = (f & unit_flag::kTopmost) ? WS_EX_TOPMOST : 0;
  const bool centre = (f & unit_flag::kStartCentred) || w.own().state == kStateCentred;
  POINT at = centre ? centred(def.width, def.height) : POINT{def.left, def.top};
  HWND h = CreateWindowExW(ex_style, kFrameClass, to_wide(def.text).c_str(), style, at.x, at.y, def.width,
                           def.height, owner, nullptr, GetModuleHandleW(nullptr), &w);
  if (h) {
    take_screen_dpi(w);
    const Scale s = scale_of(w);
    const SIZE size{s.to_device(def.width), s.to_device(def.height)};
    at = centre ? centred(size.cx, size.cy) : POINT{s.to_device(def.left), s.to_device(def.top)};
    w.own().left = s.to_base(at.x);
    w.own().top = s.to_base(at.y);
    // the layout's size is the outer size, exactly
    SetWindowPos(h, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(w.font.get()), FALSE);
    w.own().hwnd = h;
  }
  return h;
}

// Maximising a window without a sizing border: it covers the whole screen.
void maximise(LoadedWindow& w) {
  if (w.own().layout->def->flags & unit_flag::kSizable) {
    ShowWindow(w.hwnd, SW_MAXIMIZE);
    return;
  }
  if (IsIconic(w.hwnd) || IsZoomed(w.hwnd)) ShowWindow(w.hwnd, SW_RESTORE);
  SetWindowPos(w.hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(w.hwnd, SW_SHOW);
}

void disable_others_for_dialog(LoadedWindow& dialog) {
  for (auto& other : runtime().windows) {
    if (other.get() == &dialog || other->parent_id != 0 || !other->hwnd) continue;
    dialog.disabled.push_back({other->id, IsWindowEnabled(other->hwnd) != FALSE});
    EnableWindow(other->hwnd, FALSE);
  }
}

// Shows a window in its normal state. A topmost window (the shutdown
// confirmation) usually comes up while the user types in another program:
// it shows in front of every other window but leaves the keys where they
// go, and its taskbar button flashes until the user turns to it. It is
// also heard (the warning sound) and read out by a screen reader (an alert).
void show_normally(LoadedWindow& w) {
  if (!(w.own().layout->def->flags & unit_flag::kTopmost)) {
    ShowWindow(w.hwnd, SW_SHOW);
    return;
  }
  ShowWindow(w.hwnd, SW_SHOWNA);
  FLASHWINFO flash{sizeof flash, w.hwnd, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
  announce(w);
}

void dispatch(MSG& m) {
  if (pretranslate(m)) return;
  TranslateMessage(&m);
  DispatchMessageW(&m);
}

// Runs until the dialog window has gone or a quit message waits; the quit
// message stays queued for the outer loop.
void dialog_loop(const WindowGuard& dialog, uint32_t dialog_id) {
  Runtime& r = runtime();
  const uint32_t outer = r.dialog_loop_window;
  r.dialog_loop_window = dialog_id;
  MSG m;
  while (dialog.get()) {
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    dispatch(m);
  }
  r.dialog_loop_window = outer;
}

// The program ends with its startup window, whatever else is open: a dialog
// it left waiting (the shutdown confirmation, counting towards a forced
// shutdown) must never outlive it. Each window destroyed here forgets
// itself; the loops see the quit message that follows.
void close_the_rest() {
  std::vector<HWND> rest;
  for (const auto& w : runtime().windows) rest.push_back(w->hwnd);
  for (HWND h : rest)
    if (IsWindow(h)) DestroyWindow(h);
}

}  // namespace

void first_show(LoadedWindow& w) {
  switch (w.own().state) {
    case kStateMaximised:
      maximise(w);
      break;
    case kStateMinimised:
      ShowWindow(w.hwnd, SW_SHOWMINIMIZED);
      break;
    default:
      show_normally(w);
      break;
  }
}

void show_window_unit(LoadedWindow& w) {
  if (w.pending_first_show) {
    w.pending_first_show = false;
    first_show(w);
  } else {
    show_normally(w);
  }
  bring_dialog_forward(w);
}

void apply_window_state(LoadedWindow& w, int32_t state) {
  w.own().state = state;
  if (!IsWindowVisible(w.hwnd)) return;  // a hidden window only keeps the value
  switch (state) {
    case kStateNormal:
      ShowWindow(w.hwnd, SW_SHOWNORMAL);
      bring_dialog_forward(w);  // it stays in front of the window it waits for
      break;
    case kStateCentred: {
      if (IsIconic(w.hwnd) || IsZoomed(w.hwnd)) ShowWindow(w.hwnd, SW_RESTORE);
      RECT r;
      GetWindowRect(w.hwnd, &r);
      const POINT at = centred(r.right - r.left, r.bottom - r.top);
      if (at.x != r.left || at.y != r.top)
        SetWindowPos(w.hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case kStateMinimised:
      ShowWindow(w.hwnd, SW_MINIMIZE);
      break;
    case kStateMaximised:
      maximise(w);
      break;
  }
}

void give_back_disabled(LoadedWindow& w) {
  const std::vector<DisabledByDialog> disabled = std::move(w.disabled);
  w.disabled.clear();
  for (const DisabledByDialog& d : disabled)
    if (LoadedWindow* other = find_window(d.window_id))
      if (other->hwnd) EnableWindow(other->hwnd, d.was_enabled);
}

void destroy_now(LoadedWindow& w) {
  w.closing = false;
  give_back_disabled(w);
  DestroyWindow(w.hwnd);
}

void forget_window(HWND frame) {
  Runtime& r = runtime();
  bool program_ends = false;
  if (LoadedWindow* w = window_from(frame)) {
    program_ends = r.startup_window != 0 && w->id == r.startup_window;
    for (auto& u : w->units) stop_timer(*u);
    SetWindowLongPtrW(frame, GWLP_USERDATA, 0);  // no message finds the window any more
    erase_window(w);
  }
  if (program_ends) {
    r.startup_window = 0;
    close_the_rest();
  }
  if ((program_ends || r.windows.empty()) && r.loop_started) PostQuitMessage(0);
}

void bring_dialog_forward(const LoadedWindow& shown) {
  const LoadedWindow* dialog = find_window(runtime().dialog_loop_window);
  if (!dialog || dialog == &shown) return;
  const auto waits = [&](const DisabledByDialog& d) { return d.window_id == shown.id; };
  if (std::none_of(dialog->disabled.begin(), dialog->disabled.end(), waits)) return;
  if (IsIconic(dialog->hwnd)) ShowWindow(dialog->hwnd, SW_RESTORE);
  SetForegroundWindow(dialog->hwnd);
}

}  // namespace rt::win

namespace rt {

using namespace win;

void start_windows(const WindowDef* const* layouts, int count, const HandlerEntry* handlers, int handler_count) {
  Runtime& r = runtime();
  static bool once = false;
  if (!once) {
    once = true;
    OleInitialize(nullptr);
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      std::wstring dir(path, n);
      dir.resize(dir.find_last_of(L"\\/") + 1);
      SetCurrentDirectoryW(dir.c_str());
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    register_classes();
    r.owner = create_owner_window();
  }
  if (!r.layouts.load(layouts, count, handlers, handler_count)) fatal_error("载入窗口模板数据段出错!");
}

bool load_window(uint32_t window_id, uint32_t parent_id, bool dialog_mode) {
  Runtime& r = runtime();
  const ResolvedWindow* layout = r.layouts.find(window_id);
  if (!layout) return false;
  if (LoadedWindow* loaded = find_window(window_id)) {
    if (!loaded->closing) {
      // Back in front, as far as Windows lets the program take the
      // foreground (activating alone leaves a window behind the program the
      // user works in); the dialog it waits for, if any, stays in front of it.
      if (IsIconic(loaded->hwnd)) {
        ShowWindow(loaded->hwnd, SW_RESTORE);
      } else {
        SetForegroundWindow(loaded->hwnd);
      }
      bring_dialog_forward(*loaded);
      return true;
    }
    destroy_now(*loaded);  // finish the destruction that was asked for
  }
  LoadedWindow* parent = parent_id ? find_window(parent_id) : nullptr;
  if (parent_id && !parent) return false;
  if (dialog_mode) parent = nullptr;

  r.windows.push_back(make_window(*layout, parent ? parent->id : 0));
  LoadedWindow* w = r.windows.back().get();
  {
    SuspendEvents quiet;  // what Windows reports while the window is built is dropped
    // A window without a taskbar button of its own is owned by the
    // runtime's invisible window, and so is a dialog, unless it is topmost:
    // the shutdown confirmation must stay one click away, minimised or
    // covered (an owned window's taskbar button is not to be relied on).
    const uint32_t flags = w->own().layout->def->flags;
    const bool own_taskbar_button = (flags & unit_flag::kShowInTaskbar) != 0;
    const bool owned = (dialog_mode && !(flags & unit_flag::kTopmost)) || !own_taskbar_button;
    const HWND owner = parent ? parent->hwnd : owned ? r.owner : nullptr;
    if (!create_frame(*w, owner)) {
      erase_window(w);  // unless a frame that was made and went at once took it along
      return false;
    }
    create_menu_bar(*w);
    create_units(*w);
  }
  // Each handler may destroy the window, or even load it afresh.
  const WindowGuard guard(*w);
  raise_unit_event(*w, w->own(), event::kCreated);
  if ((w = guard.get())) raise_unit_event(*w, w->own(), event::kMoved);
  if ((w = guard.get())) raise_unit_event(*w, w->own(), event::kSized);
  if ((w = guard.get()) && w->own().visible) first_show(*w);
  if (!(w = guard.get())) return true;
  if (dialog_mode) disable_others_for_dialog(*w);
  w->pending_first_show = true;
  if (dialog_mode) dialog_loop(guard, window_id);
  return true;
}

void load_startup_window(uint32_t window_id) {
  runtime().startup_window = window_id;
  if (!load_window(window_id, 0, false)) fatal_error("载入启动窗口失败");
}

int run_message_loop() {
  Runtime& r = runtime();
  r.loop_started = true;
  if (!r.windows.empty()) {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) dispatch(m);
  }
  sound::stop_all_and_wait(sound::kEndWaitMs);  // no sound outlives the program, none holds it up
  system::let_system_sleep();
  return 0;
}

void destroy_unit(uint32_t window_id, uint32_t unit_id, bool at_once) {
  LoadedWindow* w = find_window(window_id);
  if (!w) return;
  if (unit_kind(unit_id) == UnitKind::Own) {
    w->closing = true;
    if (at_once) {
      destroy_now(*w);
    } else {
      PostMessageW(w->hwnd, msg::kDeferredDestroy, 0, 0);
    }
    return;
  }
  for (size_t i = 1; i < w->units.size(); ++i) {
    if (w->units[i]->id != unit_id) continue;
    std::unique_ptr<Unit> gone = std::move(w->units[i]);
    w->units.erase(w->units.begin() + static_cast<std::ptrdiff_t>(i));
    forget_annotations(*w, *gone);
    if (gone->hwnd) DestroyWindow(gone->hwnd);
    w->at_index[static_cast<size_t>(gone->layout->index)] = nullptr;
    return;
  }
}

}  // namespace rt
