#include "accessible_win.h"

#include <string>
#include <vector>

#include "gbk_win.h"
#include "win_handle.h"
#include "window_table_win.h"

namespace rt::win {
namespace {

void release_service(IAccPropServices* s) { s->Release(); }
using ServiceOwner = UniqueHandle<IAccPropServices*, &release_service>;

// Made once, at the first annotation (the main window's creation), and kept
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

bool assistive_program_listens() {
  BOOL reader = FALSE;
  return (SystemParametersInfoW(SPI_GETSCREENREADER, 0, &reader, 0) && reader) ||
         IsWinEventHookInstalled(EVENT_OBJECT_FOCUS);
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
// edit field of an editable combo box, where the focus lands.
std::vector<HWND> reader_windows(const Unit& u) {
  std::vector<HWND> all{u.hwnd};
  if (u.cls != UnitClass::ComboBox) return all;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(u.hwnd, &info) && info.hwndItem && info.hwndItem != u.hwnd) all.push_back(info.hwndItem);
  return all;
}

bool annotated(const Unit& u) { return u.hwnd && (u.cls == UnitClass::Label || u.layout->def->named_by != 0); }

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
  return {assistive_program_listens, set_prop_text, set_prop, clear_props, MessageBeep, NotifyWinEvent};
}

AccessCalls set_access_calls(const AccessCalls& calls) {
  const AccessCalls old = g_calls;
  g_calls = calls;
  return old;
}

void annotate_units(LoadedWindow& w) {
  if (w.annotated || !g_calls.assistive_program_listens()) return;
  w.annotated = true;
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
  if (!w.annotated || !annotated(u)) return;
  for (HWND r : reader_windows(u)) clear(r);
}

void forget_annotations(LoadedWindow& w) {
  if (!w.annotated) return;
  if (announces(w)) clear(w.hwnd);
  for (const auto& u : w.units) forget_annotations(w, *u);
}

void announce(LoadedWindow& w) {
  if (!announces(w)) return;
  g_calls.message_beep(MB_ICONWARNING);
  g_calls.notify_win_event(EVENT_SYSTEM_ALERT, w.hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace rt::win
