#include "window_table_win.h"

#include <algorithm>
#include <atomic>

#include "fatal.h"
#include "gbk_win.h"
#include "window_access_win.h"

namespace rt::win {

Runtime& runtime() {
  static Runtime r;
  return r;
}

Unit* LoadedWindow::unit(uint32_t unit_id) {
  for (auto& u : units)
    if (u->id == unit_id) return u.get();
  return nullptr;
}

Unit* LoadedWindow::unit_of(HWND h) {
  // Units are children of the frame; a combo box's edit field is a child of
  // the combo box: walk up to the frame's child.
  while (h && GetParent(h) != hwnd) h = GetParent(h);
  if (!h) return nullptr;
  const int index = GetDlgCtrlID(h);
  Unit* u = index > 0 && index < static_cast<int>(at_index.size()) ? at_index[static_cast<size_t>(index)] : nullptr;
  return u && u->hwnd == h ? u : nullptr;
}

LoadedWindow* find_window(uint32_t window_id) {
  for (auto& w : runtime().windows)
    if (w->id == window_id) return w.get();
  return nullptr;
}

void bind_window(LoadedWindow& w, HWND frame) {
  w.hwnd = frame;
  SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&w));
}

LoadedWindow* window_from(HWND frame) {
  if (!frame || GetClassWord(frame, GCW_ATOM) != frame_class_atom()) return nullptr;
  return reinterpret_cast<LoadedWindow*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
}

namespace {

std::atomic<bool> g_events_refused{false};

std::vector<DestroyObserver>& destroy_observers() {
  static std::vector<DestroyObserver> v;
  return v;
}
std::vector<std::pair<UINT, MessageObserver>>& message_observers() {
  static std::vector<std::pair<UINT, MessageObserver>> v;
  return v;
}

}  // namespace

void notify_destroyed(uint32_t window_id) noexcept {
  for (DestroyObserver observer : destroy_observers()) observer(window_id);
}

bool notify_message(LoadedWindow& w, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  const FrameMessage m{w.id, message, wparam, lparam, w};
  for (const auto& o : message_observers())
    if (o.first == message && o.second(m)) return true;
  return false;
}

namespace {

BOOL CALLBACK quieten(HWND h, LPARAM) {
  if (LoadedWindow* w = window_from(h)) {
    for (auto& u : w->units)
      if (u->cls == UnitClass::Timer) stop_timer(*u);
    EnableWindow(h, FALSE);
  }
  return TRUE;
}

}  // namespace

void refuse_events_for_good() noexcept {
  g_events_refused = true;
  // Only the calling thread's own windows are looked up: a worker thread
  // must not read the window table.
  EnumThreadWindows(GetCurrentThreadId(), quieten, 0);
}

bool events_refused() noexcept { return g_events_refused; }

void set_window_text(HWND w, const char* gbk) { SetWindowTextW(w, to_wide(gbk).c_str()); }

void select_item(HWND combo, const char* gbk) {
  const std::wstring wanted = to_wide(gbk);
  LRESULT found = CB_ERR;
  if (!wanted.empty()) {
    // Windows' search ignores case; the item must read exactly so.
    found = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    const LRESULT length = found == CB_ERR ? CB_ERR : SendMessageW(combo, CB_GETLBTEXTLEN, found, 0);
    std::wstring item(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    if (length >= 0) SendMessageW(combo, CB_GETLBTEXT, found, reinterpret_cast<LPARAM>(&item[0]));
    if (length < 0 || item.c_str() != wanted) found = CB_ERR;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

Text window_text(HWND w) {
  const int n = GetWindowTextLengthW(w);
  if (n <= 0) return Text();
  std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
  buf.resize(static_cast<size_t>(GetWindowTextW(w, &buf[0], n + 1)));
  return Text::copy(to_gbk(buf));
}

}  // namespace rt::win

namespace rt {

namespace {
EventObserver g_observer = nullptr;
}

namespace win {

EventAnswer raise_unit_event(LoadedWindow& w, Unit& u, int event, int argc, const int32_t* args) {
  Runtime& rt = runtime();
  if (rt.suspended > 0 || g_events_refused) return {false, 0};
  if (g_observer) g_observer(w.id, u.id, event);
  const ResolvedUnit* layout = u.layout;
  const Handler handler = u.cls == UnitClass::MenuItem ? layout->find(0) : layout->find(event);
  if (!handler) return {false, 0};
  // Handlers nest (a tick inside a message box inside a click): the source of
  // the outer event is back when the inner one returns.
  const EventSource outer = rt.source;
  rt.source = EventSource{w.id, u.id};
  const int32_t answer = handler(argc, args);
  rt.source = outer;
  return {true, answer};
}

}  // namespace win

HWND window_handle(uint32_t window_id) {
  const win::LoadedWindow* w = win::find_window(window_id);
  return w ? w->hwnd : nullptr;
}

void add_destroy_observer(DestroyObserver observer) {
  auto& v = win::destroy_observers();
  if (observer && std::find(v.begin(), v.end(), observer) == v.end()) v.push_back(observer);
}

void add_message_observer(UINT message, MessageObserver observer) {
  auto& v = win::message_observers();
  const std::pair<UINT, MessageObserver> entry(message, observer);
  if (observer && std::find(v.begin(), v.end(), entry) == v.end()) v.push_back(entry);
}

void set_event_observer(EventObserver observer) { g_observer = observer; }

EventAnswer raise_window_event(const FrameMessage& m, int event, int argc, const int32_t* args) {
  return win::raise_unit_event(m.window, m.window.own(), event, argc, args);
}

EventAnswer raise_event(uint32_t window_id, uint32_t unit_id, int event, int argc, const int32_t* args) {
  win::Runtime& rt = win::runtime();
  if (rt.suspended > 0 || win::g_events_refused) return {false, 0};
  win::LoadedWindow* w = win::find_window(window_id);
  if (!w) fatal_error("未找到引发事件的窗口");
  win::Unit* u = unit_id ? w->unit(unit_id) : &w->own();
  if (!u) fatal_error("未找到引发事件的窗口组件");
  return win::raise_unit_event(*w, *u, event, argc, args);
}

EventSource current_event_source() { return win::runtime().source; }

bool is_loaded(uint32_t window_id) { return win::find_window(window_id) != nullptr; }

}  // namespace rt
