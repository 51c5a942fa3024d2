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

// A box that comes up unasked (a reminder at its moment) meets a user busy
// elsewhere, and two of its wishes need help:
// - MB_TOPMOST: the box is made topmost as it activates. Windows does so
//   itself; Wine honours the bit only for system-modal boxes, and a
//   system-modal box would leave the program's windows enabled.
// - MB_SETFOREGROUND: it takes the keys of the program the user types in,
//   and the next Enter or Space would close it unread. For a second after
//   it activates, the box takes no key and no click; a key held down since
//   then, or ever, presses nothing by its repeats.
// A CBT hook of this thread hears the activation for the time of the call,
// and a message filter hook sees the input of the box's own loop before the
// dialog manager does (Enter reaches the default button through it, not
// through the button). The first dialog box activated while a call is the
// innermost one is its box: a box that a handler opens meanwhile (the
// tray's about box behind a reminder) activates after it and keeps its own
// flags.
class UnaskedBox {
 public:
  explicit UnaskedBox(uint32_t style)
      : topmost_((style & kBoxTopmost) != 0),
        waits_((style & kBoxSetForeground) != 0),
        outer_(t_innermost),
        cbt_(SetWindowsHookExW(WH_CBT, &on_cbt, nullptr, GetCurrentThreadId())),
        filter_(waits_ ? SetWindowsHookExW(WH_MSGFILTER, &on_filter, nullptr, GetCurrentThreadId()) : nullptr) {
    t_innermost = this;
  }
  ~UnaskedBox() { t_innermost = outer_; }
  UnaskedBox(const UnaskedBox&) = delete;
  UnaskedBox& operator=(const UnaskedBox&) = delete;

 private:
  static constexpr DWORD kInputWaitMs = 1000;

  // Every hook of a nested call runs this for the same activation; only the
  // first run finds the innermost call without its box.
  static LRESULT CALLBACK on_cbt(int code, WPARAM wp, LPARAM lp) noexcept {
    UnaskedBox* call = t_innermost;
    const HWND w = reinterpret_cast<HWND>(wp);
    if (code == HCBT_ACTIVATE && call && !call->box_ && is_dialog_box(w)) {
      call->box_ = w;
      call->activated_ = GetTickCount();
      if (call->topmost_) SetWindowPos(w, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static LRESULT CALLBACK on_filter(int code, WPARAM wp, LPARAM lp) noexcept {
    if (code == MSGF_DIALOGBOX)
      for (const UnaskedBox* call = t_innermost; call; call = call->outer_)
        if (call->drops(*reinterpret_cast<const MSG*>(lp))) return TRUE;
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static bool is_key(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }
  static bool is_press(UINT m) {
    switch (m) {
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
      case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
        return true;
      default:
        return false;
    }
  }
  // A key-down or character of a key already down (a key-up has the bit too).
  static bool is_repeat(const MSG& m) {
    return is_key(m.message) && (m.lParam & (1 << 30)) && m.message != WM_KEYUP && m.message != WM_SYSKEYUP;
  }

  bool drops(const MSG& m) const {
    if (!waits_ || !box_ || (m.hwnd != box_ && !IsChild(box_, m.hwnd))) return false;
    if (is_repeat(m)) return true;
    return GetTickCount() - activated_ < kInputWaitMs && (is_key(m.message) || is_press(m.message));
  }

  static thread_local UnaskedBox* t_innermost;
  const bool topmost_, waits_;
  UnaskedBox* outer_;
  HWND box_ = nullptr;
  DWORD activated_ = 0;
  UniqueHook cbt_, filter_;
};

thread_local UnaskedBox* UnaskedBox::t_innermost = nullptr;

int show_box(const char* text, const char* caption, uint32_t style) {
  std::optional<UnaskedBox> unasked;
  if (style & (kBoxTopmost | kBoxSetForeground)) unasked.emplace(style);
  return MessageBoxW(nullptr, to_wide(text).c_str(), to_wide(caption).c_str(), style);
}

}  // namespace

void provide_message_box_service() { provide_message_box(&show_box); }

}  // namespace rt
