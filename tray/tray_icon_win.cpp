#include "tray_icon_win.h"

#include <string>

#include "convert.h"
#include "gbk_win.h"
#include "icon_from_data_win.h"
#include "service.h"
#include "shell_notify_win.h"
#include "tray_tip.h"
#include "window_table_win.h"

namespace tray {
namespace {

using rt::win::LoadedWindow;

// Shows `icon` in place of the window's icon, or with an empty owner takes
// the window's icon down; then keeps the new icon and its tip in the window.
void show_tray_icon(LoadedWindow& w, rt::UniqueIcon icon, std::wstring tip) {
  NOTIFYICONDATAW d = tray_record(w.hwnd, icon.get(), tip);
  if (w.tray_icon)
    shell_notify(icon ? NIM_MODIFY : NIM_DELETE, d);
  else if (icon)
    shell_notify(NIM_ADD, d);
  // The old icon is destroyed only now that the shell no longer shows it;
  // nothing from here on allocates, so no path leaves it behind. An icon the
  // shell refused is kept all the same: "TaskbarCreated" brings it up once a
  // notification area exists.
  if (!icon) tip.clear();
  w.tray_tip = std::move(tip);
  w.tray_icon = std::move(icon);
}

// set tray icon: (window reference, icon data: byte block or file name,
// [tip text]). No result.
void set_tray_icon_service(rt::Result&, int n, const rt::Arg* args) {
  LoadedWindow* w = rt::win::find_window(rt::arg_at(n, args, 0).low);
  if (!w || !w->hwnd) return;
  rt::UniqueIcon icon = tray_icon_from_arg(rt::arg_at(n, args, 1));
  const rt::Text tip = rt::to_text(rt::arg_at(n, args, 2));
  show_tray_icon(*w, std::move(icon), rt::to_wide(cut_tip(tip.get())));
}

// A window being destroyed takes its icon along (called from its window
// procedure; allocates nothing, so nothing can throw).
void remove_on_destroy(LoadedWindow& w) { show_tray_icon(w, rt::UniqueIcon(), std::wstring()); }

// The shell has recreated the notification area: every window that shows an
// icon puts it back. If the icon survived after all, adding it fails and
// changing it in place does the job.
bool on_taskbar_created(LoadedWindow& w, UINT, WPARAM, LPARAM) {
  if (!w.tray_icon) return false;
  NOTIFYICONDATAW d = tray_record(w.hwnd, w.tray_icon.get(), w.tray_tip);
  if (!shell_notify(NIM_ADD, d)) shell_notify(NIM_MODIFY, d);
  return true;
}

}  // namespace

void provide_tray_icon_service() {
  rt::provide(rt::Service::SetTrayIcon, set_tray_icon_service);
  rt::win::set_tray_remover(remove_on_destroy);
  if (const UINT message = RegisterWindowMessageW(L"TaskbarCreated"))
    rt::win::add_message_hook(message, on_taskbar_created);
}

}  // namespace tray
