#include "tray_icon_win.h"

#include <string>
#include <vector>

#include "convert.h"
#include "gbk_win.h"
#include "icon_from_data_win.h"
#include "message_filter_win.h"
#include "private_messages.h"
#include "service.h"
#include "shell_notify_win.h"
#include "tray_tip.h"
#include "unit.h"
#include "window_access_win.h"
#include "window_runtime.h"

namespace tray {

static_assert(kMaxTipChars + 1 == kTipField, "a tip changed in place fills the record's field");

namespace {

// A window that shows an icon: the frame the shell knows the icon by, the
// icon (destroyed only after the shell has let go of it, at the latest with
// the window) and the tip as the shell shows it now, to put both back after
// a shell restart.
struct ShownIcon {
  uint32_t window_id;
  HWND frame;
  rt::UniqueIcon icon;
  std::wstring tip;
};

// The shell's broadcast after it has recreated the notification area; 0
// if it could not be registered.
UINT taskbar_created() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

std::vector<ShownIcon>& shown() {
  static std::vector<ShownIcon> v;
  return v;
}

ShownIcon* find_shown(uint32_t window_id) {
  for (ShownIcon& s : shown())
    if (s.window_id == window_id) return &s;
  return nullptr;
}

// Takes the icon down; forgetting it destroys it. Allocates nothing.
void take_down(ShownIcon& s) noexcept {
  NOTIFYICONDATAW d = tray_record(s.frame, nullptr, std::wstring());
  shell_notify(NIM_DELETE, d);
  shown().erase(shown().begin() + (&s - shown().data()));
}

// Shows `icon` in place of the window's icon, or puts it up first. An icon
// the shell refused is kept all the same: "TaskbarCreated" brings it up once
// a notification area exists, also to a program running elevated, whose
// window lets that broadcast through before its icon goes up.
void put_up(uint32_t window_id, HWND frame, rt::UniqueIcon icon, std::wstring tip) {
  NOTIFYICONDATAW d = tray_record(frame, icon.get(), tip);
  if (ShownIcon* s = find_shown(window_id)) {
    shell_notify(NIM_MODIFY, d);
    s->icon = std::move(icon);  // the old one goes now that the shell shows the new one
    s->tip = std::move(tip);
    return;
  }
  if (taskbar_created()) let_message_through(frame, taskbar_created());
  shell_notify(NIM_ADD, d);
  shown().push_back(ShownIcon{window_id, frame, std::move(icon), std::move(tip)});
}

// set tray icon: (window reference, icon data: byte block or file name,
// [tip text]). No result. Data that makes no icon takes the icon down.
void set_tray_icon_service(rt::Result&, int n, const rt::Arg* args) {
  const uint32_t window_id = rt::arg_at(n, args, 0).low;
  const HWND frame = rt::window_handle(window_id);
  if (!frame) return;
  rt::UniqueIcon icon = tray_icon_from_arg(rt::arg_at(n, args, 1));
  if (!icon) {
    if (ShownIcon* s = find_shown(window_id)) take_down(*s);
    return;
  }
  const rt::Text tip = rt::to_text(rt::arg_at(n, args, 2));
  put_up(window_id, frame, std::move(icon), rt::to_wide(cut_tip(tip.get())));
}

// set tray tip: (window reference, tip text). No result. Changes only the
// tip of the window's icon, and nothing while the window shows none. A tip
// counting down is set every second: one the shell shows already costs no
// call into it.
void set_tray_tip_service(rt::Result&, int n, const rt::Arg* args) {
  ShownIcon* s = find_shown(rt::arg_at(n, args, 0).low);
  if (!s) return;
  const rt::Text tip = rt::to_text(rt::arg_at(n, args, 1));
  std::wstring wide = rt::to_wide(cut_long_tip(tip.get()));
  if (wide == s->tip) return;
  NOTIFYICONDATAW d = tip_record(s->frame, wide);
  shell_notify(NIM_MODIFY, d);
  s->tip = std::move(wide);  // also if the shell refused: "TaskbarCreated" brings it
}

// show tray balloon: (window reference, title, text). No result. A balloon
// with the information icon from the window's icon; nothing while the
// window shows none. A click on it comes back through the icon's callback.
void show_tray_balloon_service(rt::Result&, int n, const rt::Arg* args) {
  const ShownIcon* s = find_shown(rt::arg_at(n, args, 0).low);
  if (!s) return;
  const rt::Text title = rt::to_text(rt::arg_at(n, args, 1)), text = rt::to_text(rt::arg_at(n, args, 2));
  NOTIFYICONDATAW d = balloon_record(s->frame, rt::to_wide(title.get()), rt::to_wide(text.get()));
  shell_notify(NIM_MODIFY, d);
}

void on_window_destroyed(uint32_t window_id) noexcept {
  if (ShownIcon* s = find_shown(window_id)) take_down(*s);
}

// The icon reports a mouse action, or what became of its balloon, in lParam.
bool on_icon_message(const rt::FrameMessage& m) noexcept {
  const int32_t code = tray_code(m.lparam);
  if (code) rt::raise_window_event(m, rt::event::kTray, 1, &code);
  return true;
}

// The shell has recreated the notification area: a window that shows an
// icon puts it back. If the icon survived after all, adding it fails and
// changing it in place does the job.
bool on_taskbar_created(const rt::FrameMessage& m) noexcept {
  ShownIcon* s = find_shown(m.window_id);
  if (!s) return false;
  NOTIFYICONDATAW d = tray_record(s->frame, s->icon.get(), s->tip);
  if (!shell_notify(NIM_ADD, d)) shell_notify(NIM_MODIFY, d);
  return true;
}

}  // namespace

TrayCode tray_code(LPARAM mouse_message) {
  switch (static_cast<UINT>(mouse_message)) {
    case WM_LBUTTONUP: return kTrayLeftUp;
    case WM_LBUTTONDBLCLK: return kTrayDoubleClick;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU: return kTrayRightUp;
    case NIN_BALLOONUSERCLICK: return kTrayBalloonClick;
    default: return kTrayNothing;
  }
}

HICON shown_icon(uint32_t window_id) {
  const ShownIcon* s = find_shown(window_id);
  return s ? s->icon.get() : nullptr;
}

void provide_tray_icon_service() {
  rt::provide(rt::Service::SetTrayIcon, set_tray_icon_service);
  rt::provide(rt::Service::SetTrayTip, set_tray_tip_service);
  rt::provide(rt::Service::ShowTrayBalloon, show_tray_balloon_service);
  rt::add_destroy_observer(on_window_destroyed);
  rt::add_message_observer(rt::msg::kTrayIcon, on_icon_message);
  if (taskbar_created()) rt::add_message_observer(taskbar_created(), on_taskbar_created);
}

}  // namespace tray
