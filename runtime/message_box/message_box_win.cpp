#include "message_box_win.h"

#include <windows.h>

#include <optional>

#include "gbk_win.h"
#include "message_box.h"
#include "win_handle.h"

namespace rt {
namespace {

static_assert(kBoxButtonsMask == MB_TYPEMASK && kBoxInformation == MB_ICONINFORMATION &&
                  kBoxSystemModal == MB_SYSTEMMODAL && kBoxTaskModal == MB_TASKMODAL &&
                  kBoxSetForeground == MB_SETFOREGROUND && kBoxTopmost == MB_TOPMOST,
              "Windows style bits");

bool is_dialog_box(HWND w) {
  wchar_t cls[8] = {};
  return GetClassNameW(w, cls, 8) == 6 && lstrcmpW(cls, L"#32770") == 0;
}

// A box that asks for MB_TOPMOST is made topmost as it activates. Windows
// does so itself; Wine honours the bit only for system-modal boxes, and a
// system-modal box would leave the program's windows enabled. A CBT hook of
// this thread hears the activation for the time of the call. The first
// dialog box activated while a call is the innermost one is its box: a box
// that a handler opens meanwhile (the tray's about box behind a reminder)
// activates after it and keeps its own flags.
class TopmostWhenActivated {
 public:
  TopmostWhenActivated()
      : outer_(t_innermost), hook_(SetWindowsHookExW(WH_CBT, &on_cbt, nullptr, GetCurrentThreadId())) {
    t_innermost = this;
  }
  ~TopmostWhenActivated() { t_innermost = outer_; }
  TopmostWhenActivated(const TopmostWhenActivated&) = delete;
  TopmostWhenActivated& operator=(const TopmostWhenActivated&) = delete;

 private:
  // Every hook of a nested call runs this for the same activation; only the
  // first run finds the innermost call without its box.
  static LRESULT CALLBACK on_cbt(int code, WPARAM wp, LPARAM lp) noexcept {
    TopmostWhenActivated* call = t_innermost;
    const HWND w = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && call && !call->box_ && is_dialog_box(w)) {
      call->box_ = w;
      SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static thread_local TopmostWhenActivated* t_innermost;
  TopmostWhenActivated* outer_;
  HWND box_ = nullptr;
  UniqueHook hook_;
};

thread_local TopmostWhenActivated* TopmostWhenActivated::t_innermost = nullptr;

int show_box(const char* text, const char* caption, uint32_t style) {
  std::optional<TopmostWhenActivated> topmost;
  if (style & kBoxTopmost) topmost.emplace();
  return MessageBoxW(nullptr, to_wide(text).c_str(), to_wide(caption).c_str(), style);
}

}  // namespace

void provide_message_box_service() { provide_message_box(&show_box); }

}  // namespace rt
