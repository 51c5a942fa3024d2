#include "popup_menu_win.h"

#include "convert.h"
#include "service.h"
#include "window_access_win.h"

namespace tray {
namespace {

// The menu opens just off the pointer, so that the pointer does not sit on
// the first item.
constexpr LONG kPointerOffset = 3;

PopupCalls g_calls = windows_popup_calls();

void popup_menu_service(rt::Result&, int n, const rt::Arg* args) {
  const rt::Arg window = rt::arg_at(n, args, 0), menu = rt::arg_at(n, args, 1);
  const rt::Arg x = rt::arg_at(n, args, 2), y = rt::arg_at(n, args, 3);
  if (menu.low != window.low) return;  // a reference names its window first
  const HWND owner = rt::window_handle(window.low);
  const rt::UniqueMenu popup = rt::make_popup_menu(window.low, menu.high);
  if (!owner || !popup) return;

  POINT at{};
  g_calls.cursor_pos(&at);
  at.x = rt::present(x) ? rt::to_integer(x) : at.x + kPointerOffset;
  at.y = rt::present(y) ? rt::to_integer(y) : at.y + kPointerOffset;
  // Either button chooses an item. The menu runs its own message loop; the
  // chosen item arrives as a WM_COMMAND after it has closed.
  g_calls.set_foreground(owner);
  g_calls.track(popup.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  g_calls.post(owner, WM_NULL, 0, 0);
}

}  // namespace

PopupCalls windows_popup_calls() { return PopupCalls{&GetCursorPos, &SetForegroundWindow, &TrackPopupMenu, &PostMessageW}; }

PopupCalls set_popup_calls(const PopupCalls& calls) {
  const PopupCalls old = g_calls;
  g_calls = calls;
  return old;
}

void provide_popup_menu_service() { rt::provide(rt::Service::PopupMenu, popup_menu_service); }

}  // namespace tray
