#include "gui_test_support.h"

#include "window_table_win.h"

namespace gui {
namespace {

BOOL CALLBACK take_box(HWND w, LPARAM out) {
  if (!IsWindowVisible(w) || !is_message_box(w)) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

}  // namespace

bool pump_until(const std::function<bool()>& done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  MSG m;
  while (!done()) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeout_ms) return done();
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      // short waits: a condition may depend on time alone
      const DWORD left = timeout_ms - spent;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 10 ? left : 10, QS_ALLINPUT);
      continue;
    }
    if (m.message == WM_QUIT) continue;
    if (!rt::win::pretranslate(m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  return true;
}

void pump_for(DWORD ms) {
  const DWORD start = GetTickCount();
  pump_until([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

void close_all_windows() {
  auto& r = rt::win::runtime();
  while (!r.windows.empty()) DestroyWindow(r.windows.back()->hwnd);
  r.loop_started = false;
  r.startup_window = 0;
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

HWND frame(uint32_t window_id) {
  rt::win::LoadedWindow* w = rt::win::find_window(window_id);
  return w ? w->hwnd : nullptr;
}

bool is_message_box(HWND w) {
  wchar_t cls[8] = {};
  return GetClassNameW(w, cls, 8) == 6 && lstrcmpW(cls, L"#32770") == 0;
}

HWND thread_box(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, take_box, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace gui
