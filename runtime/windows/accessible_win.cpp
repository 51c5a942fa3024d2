#include "accessible_win.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "gbk_win.h"
#include "win_handle.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

void release_service(IAccPropServices* s) { s->Release(); }
using ServiceOwner = UniqueHandle<IAccPropServices*, &release_service>;

// Made once, at the first annotation (a reader's first question), and kept
// for the rest of the process; a failure is not tried again. Null when
// Windows has no such service: the program then simply says nothing.
IAccPropServices* service() {
  static const ServiceOwner owner([] {
    void* made = nullptr;
    const HRESULT hr =
        CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, &made);
    return SUCCEEDED(hr) ? static_cast<IAccPropServices*>(made) : nullptr;
  }());
  return owner.get();
}

HRESULT set_prop_text(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const wchar_t* text) {
  IAccPropServices* s = service();
  return s ? s->SetHwndPropStr(w, object, child, prop, text) : E_FAIL;
}

HRESULT set_prop(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const VARIANT& value) {
  IAccPropServices* s = service();
  return s ? s->SetHwndProp(w, object, child, prop, value) : E_FAIL;
}

HRESULT clear_props(HWND w, DWORD object, DWORD child, const MSAAPROPID* props, int count) {
  IAccPropServices* s = service();
  return s ? s->ClearHwndProps(w, object, child, props, count) : E_FAIL;
}

AccessCalls g_calls = real_access_calls();

// Every annotation is on the window's client object, which a screen reader
// asks when the window takes the focus. Failures are ignored: a screen
// reader then falls back on what Windows itself says of the window.
void set_name(HWND w, const std::wstring& name) {
  g_calls.set_prop_text(w, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
}

void set_role(HWND w, LONG role) {
  VARIANT v{};  // as VariantInit leaves it
  v.vt = VT_I4;
  v.lVal = role;
  g_calls.set_prop(w, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, v);
}

void clear(HWND w) {
  const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
  g_calls.clear_props(w, OBJID_CLIENT, CHILDID_SELF, props, 2);
}

// A caption read as a name: what it shows, without the colon that leads to
// its input.
std::wstring name_from(const Unit& caption) {
  std::wstring name = to_wide(window_text(caption.hwnd).c_str());
  while (!name.empty() && (name.back() == L':' || name.back() == L'\xFF1A')) name.pop_back();
  return name;
}

// The windows a screen reader meets for a unit: the unit's own, and the
// edit field of an editable combo box, where the focus lands; with `list`,
// a combo box's drop-down list too, which is asked about only once it
// drops down.
std::vector<HWND> reader_windows(const Unit& u, bool list = false) {
  std::vector<HWND> all{u.hwnd};
  if (u.cls != UnitClass::ComboBox) return all;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(u.hwnd, &info)) return all;
  if (info.hwndItem && info.hwndItem != u.hwnd) all.push_back(info.hwndItem);
  if (list && info.hwndList) all.push_back(info.hwndList);
  return all;
}

bool annotated(const Unit& u) { return u.hwnd && (u.cls == UnitClass::Label || u.layout->def->named_by != 0); }

// A reader's question goes to the window it is about. A procedure of ours,
// put above the own procedure of each window of a unit once the units are
// made, hears it: below the themed look's where the look takes the control
// over later, above it where the look caught the control's creation. What
// it replaced is kept by the window's handle, as the look keeps its
// records, until the window's last message: it is still needed after the
// unit has gone.
struct Listener {
  WNDPROC next;
  HWND frame;
};
std::unordered_map<HWND, Listener> g_listeners;

LRESULT CALLBACK listen_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) noexcept {
  const auto found = g_listeners.find(h);
  if (found == g_listeners.end()) return DefWindowProcW(h, m, wp, lp);
  const Listener l = found->second;
  if (m == WM_GETOBJECT)
    if (LoadedWindow* w = window_from(l.frame)) annotate_units(*w);
  if (m == WM_NCDESTROY) g_listeners.erase(found);
  return CallWindowProcW(l.next, h, m, wp, lp);
}

bool announces(const LoadedWindow& w) { return (w.own().layout->def->flags & unit_flag::kTopmost) != 0; }

// What a window that comes up unasked says: its labels, in layout order.
std::wstring message_of(const LoadedWindow& w) {
  std::string text;
  for (const auto& u : w.units) {
    if (u->cls != UnitClass::Label) continue;
    if (!text.empty()) text += ' ';
    text += u->caption.c_str();
  }
  return to_wide(text);
}

}  // namespace

AccessCalls real_access_calls() {
  return {set_prop_text, set_prop, clear_props, MessageBeep, NotifyWinEvent};
}

AccessCalls set_access_calls(const AccessCalls& calls) {
  const AccessCalls old = g_calls;
  g_calls = calls;
  return old;
}

void await_readers(LoadedWindow& w) {
  for (size_t i = 1; i < w.units.size(); ++i) {  // the frame hears for itself
    if (!w.units[i]->hwnd) continue;
    for (HWND h : reader_windows(*w.units[i], true)) {
      Listener& l = g_listeners[h];
      l.frame = w.hwnd;
      l.next = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listen_proc)));
    }
  }
  w.names = ReaderNames::Awaited;
}

void annotate_units(LoadedWindow& w) {
  if (w.names != ReaderNames::Awaited) return;
  w.names = ReaderNames::Given;  // once, whatever the service answers
  if (announces(w)) {
    set_role(w.hwnd, ROLE_SYSTEM_ALERT);
    set_name(w.hwnd, message_of(w));
  }
  for (const auto& u : w.units) {
    if (!annotated(*u)) continue;
    if (u->cls == UnitClass::Label) set_role(u->hwnd, ROLE_SYSTEM_STATICTEXT);
    const Unit* caption = u->layout->def->named_by ? w.unit(u->layout->def->named_by) : nullptr;
    if (!caption || !caption->hwnd) continue;
    const std::wstring name = name_from(*caption);
    for (HWND r : reader_windows(*u)) set_name(r, name);
  }
}

void forget_annotations(const LoadedWindow& w, const Unit& u) {
  if (w.names != ReaderNames::Given || !annotated(u)) return;
  for (HWND r : reader_windows(u)) clear(r);
}

void forget_annotations(LoadedWindow& w) {
  if (w.names != ReaderNames::Given) return;
  if (announces(w)) clear(w.hwnd);
  for (const auto& u : w.units) forget_annotations(w, *u);
}

void announce(LoadedWindow& w) {
  if (!announces(w)) return;
  g_calls.message_beep(MB_ICONWARNING);
  g_calls.notify_win_event(EVENT_SYSTEM_ALERT, w.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace rt::win
