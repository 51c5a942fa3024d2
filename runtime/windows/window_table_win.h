// The loaded windows and their units: the state shared by the Windows modules
// of the runtime (loading, the window procedures, properties, services).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "display/display_scale.h"
#include "display/dpi_win.h"
#include "layout_table.h"
#include "owned.h"
#include "window_runtime.h"
#include "win_handle.h"

namespace rt::win {

struct Unit {
  const ResolvedUnit* layout;
  uint32_t id;
  UnitClass cls;
  HWND hwnd = nullptr;  // the unit's own window (none for menu items)
  // Stored values: the layout's at first, then whatever was set.
  int32_t left, top, width, height;
  bool visible, disabled;
  int32_t cursor = 0;
  Text tag;
  Text caption;       // label and button caption, edit and combo content
  int32_t state = 0;  // window state of a window unit
  double date = 0;    // date box
  int32_t interval = 0;
  bool timer_running = false;
  // A running timer notes the tick count at its start and at each tick, so
  // that a handler can tell a tick that was held up (a sleeping machine, a
  // busy thread) from one on time: the milliseconds its last tick came after
  // the one before.
  uint64_t last_tick = 0;
  int32_t since_last_tick = 0;
  // A button that waits to be read: a press it let through since its window
  // was last shown or activated, while that press lasts (only such a press
  // may click it), and how deep the button is in a message ending a press.
  bool press_let_through = false;
  int press_ending = 0;
};

struct DisabledByDialog {
  uint32_t window_id;
  bool was_enabled;
};

// How far a window is named for screen readers: while its units are being
// made, a question names nothing; once they are, the first question names
// them (accessible_win.cpp).
enum class ReaderNames { Building, Awaited, Given };

struct LoadedWindow {
  uint32_t id;
  uint64_t serial;  // tells a reloaded window from the one before
  const ResolvedWindow* layout;
  std::vector<std::unique_ptr<Unit>> units;  // [0] is the window's own unit
  // The units by layout index, which is also each control's identifier;
  // null where a unit has been destroyed.
  std::vector<Unit*> at_index;
  HWND hwnd = nullptr;
  uint32_t parent_id = 0;
  UniqueMenu menu_bar;
  bool pending_first_show = false;
  bool closing = false;
  ReaderNames names = ReaderNames::Building;
  std::vector<DisabledByDialog> disabled;
  HWND last_focus = nullptr;  // restored when the window is activated again
  // When the window was last shown, restored or activated: its buttons that
  // wait to be read take input a second later.
  DWORD input_wait_from = 0;
  // The scale the window is laid out at, its units' font at that scale, and
  // its icons where the window class's (made for the system's DPI) do not
  // fit (window_scale_win.cpp).
  int dpi = kBaseDpi;
  display::GuiFont font;
  UniqueIcon big_icon, small_icon;

  Unit& own() { return *units[0]; }
  const Unit& own() const { return *units[0]; }
  Unit* unit(uint32_t unit_id);
  // The unit whose window is hwnd or holds it (a combo box's edit field).
  Unit* unit_of(HWND hwnd);
};

// The runtime-wide state.
struct Runtime {
  LayoutTable layouts;
  std::vector<std::unique_ptr<LoadedWindow>> windows;
  int suspended = 0;
  uint32_t dialog_loop_window = 0;  // the window whose dialog-mode loop runs
  uint32_t startup_window = 0;      // the program ends when it is destroyed
  bool loop_started = false;
  EventSource source{0, 0};
  HWND owner = nullptr;  // invisible owner of windows without a taskbar button
  bool space_down = false;  // Space went down in a window of the runtime and is not up yet
};
Runtime& runtime();

LoadedWindow* find_window(uint32_t window_id);

// Each frame of the runtime's window class is bound to its loaded window
// when it is created (WM_NCCREATE) and unbound when the window is forgotten,
// so that no message has to search for its window. window_from() gives
// null for a window of any other class.
void bind_window(LoadedWindow& w, HWND frame);
LoadedWindow* window_from(HWND frame);

// A loaded window across a raised event: the handler may have destroyed the
// window, or even loaded it afresh. get() gives the very same window, or
// null once it has gone.
class WindowGuard {
 public:
  explicit WindowGuard(const LoadedWindow& w) : frame_(w.hwnd), serial_(w.serial) {}
  LoadedWindow* get() const {
    LoadedWindow* w = window_from(frame_);
    return w && w->serial == serial_ ? w : nullptr;
  }

 private:
  HWND frame_;
  uint64_t serial_;
};

// Suspends events for its lifetime.
class SuspendEvents {
 public:
  SuspendEvents() { ++runtime().suspended; }
  ~SuspendEvents() { --runtime().suspended; }
  SuspendEvents(const SuspendEvents&) = delete;
  SuspendEvents& operator=(const SuspendEvents&) = delete;
};

// Before the fatal error's box: from here on no event reaches a handler (the
// box's message loop would otherwise run ticks, clicks and tray reports
// behind it), the timers of the calling thread's windows stop and those
// windows take no input. Called from another thread it refuses events only.
void refuse_events_for_good() noexcept;
bool events_refused() noexcept;

// Window classes of the runtime (registered once).
extern const wchar_t kFrameClass[];
ATOM frame_class_atom();  // 0 until the classes are registered
extern const wchar_t kLabelClass[];
extern const wchar_t kTimerClass[];
void register_classes();
HWND create_owner_window();

// Creating the units of a window (controls hidden, in reverse layout order),
// then stacking and showing them.
void create_units(LoadedWindow& w);
void create_menu_bar(LoadedWindow& w);
// What a control's font and list take from the layout and the window's
// scale, at creation and whenever the window is laid out again.
void apply_font(const LoadedWindow& w, Unit& u);

// The display scale of a window (window_scale_win.cpp). Layouts, and the
// properties the program reads and writes, are in 96-DPI pixels; the window
// is laid out at the DPI of the screen it is on.
Scale scale_of(const LoadedWindow& w);
// At creation, once the frame exists: the DPI of its screen, the font and
// icons for it.
void take_screen_dpi(LoadedWindow& w);
// A unit's window rectangle at the window's scale (a drop-down combo box
// with the height of its list).
Box device_box(const LoadedWindow& w, const Unit& u);
// The window moved to a screen of another DPI: every control and the font
// at the new scale, the frame in the rectangle Windows suggests. The frame's
// move raises events, after which the window may be gone.
void lay_out_again(LoadedWindow& w, int dpi, const RECT& suggested);
// The program's icon at a size, made anew for the caller to own.
HICON load_program_icon(int size);

// Show-window step of a window's own unit, and writing its window state.
void show_window_unit(LoadedWindow& w);
void apply_window_state(LoadedWindow& w, int32_t state);
// The first show of a freshly created window.
void first_show(LoadedWindow& w);

// Destroys a loaded window now. First the windows its dialog mode disabled
// get their enabled state back.
void destroy_now(LoadedWindow& w);

// The rest of a window's destruction, after WM_DESTROY: give back what dialog
// mode disabled, forget the window, end a dialog loop, post quit after the
// last window or after the startup window, which takes every other window
// with it.
void give_back_disabled(LoadedWindow& w);
void forget_window(HWND frame);

// A window that dialog mode disabled is being shown: the dialog comes back
// too, restored and in front.
void bring_dialog_forward(const LoadedWindow& shown);

// Buttons that wait to be read (unit_flag::kWaitsToBeRead): the runtime
// sees their presses before the button does. The wait starts again when
// the window is shown, restored or activated; a button's click counts only
// when its press came after the wait.
void watch_presses(Unit& button);
void restart_input_wait(LoadedWindow& w);
bool click_counts(LoadedWindow& w, Unit& button);

// For screen readers (accessible_win.cpp). Once a window's units exist, its
// windows await a reader's question (WM_GETOBJECT): the frame in its own
// procedure, each control's windows in one put above theirs. The first
// question, before it is answered, names the window's units: each input by
// its caption, each label said to be static text, and a window that comes
// up unasked (a topmost layout) an alert named by its question; all of it
// is forgotten when the window or the unit is destroyed. Such a window is
// announced each time it is shown: the warning sound and the alert event.
void await_readers(LoadedWindow& w);
void annotate_units(LoadedWindow& w);
void forget_annotations(LoadedWindow& w);
void forget_annotations(const LoadedWindow& w, const Unit& u);
void announce(LoadedWindow& w);

// The frame's answers to the user's colours (system_colors_win.cpp): check
// boxes and buttons on the button face take its text colour; a change of
// colours or of high contrast reaches the common controls and the themed
// look, and the window is drawn anew.
LRESULT button_face_colors(HDC dc);
void follow_display_settings(LoadedWindow& w, UINT message, WPARAM wparam);

// The units that Tab can reach now (visible and enabled focus stops), in
// Tab order.
std::vector<Unit*> focus_stops(LoadedWindow& w);

// Keys that the runtime handles itself before dispatching: Esc closes a
// window whose layout says so, Tab and Shift+Tab walk the focus stops. A
// Space key-down while Space is held is marked a repeat (lParam bit 30).
bool pretranslate(MSG& msg);

// Timer units. Each tick notes the time since the one before
// (since_last_tick), on the tick count.
void set_timer_interval(Unit& timer, int32_t interval);
void stop_timer(Unit& timer);
void note_tick(Unit& timer);

// Raises an event of a unit whose window procedure already holds it; the
// public raise_event() finds the window and the unit by identifier first.
EventAnswer raise_unit_event(LoadedWindow& w, Unit& u, int event, int argc = 0, const int32_t* args = nullptr);

// Tells the observers of window_access_win.h that a window is being
// destroyed, or offers them a private or registered message; true when one
// of them took it.
void notify_destroyed(uint32_t window_id) noexcept;
bool notify_message(LoadedWindow& w, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

// The date of a date box as a date-time; 0 sets the current moment, and
// a box without a valid date reads as 0.
void set_date_box(HWND box, double value);
double date_box_value(HWND box);

// Window text in and out of GBK.
void set_window_text(HWND w, const char* gbk);
Text window_text(HWND w);
// A drop-down list's item whose text is exactly `gbk` becomes the selected
// one; with no such item, none is.
void select_item(HWND combo, const char* gbk);

}  // namespace rt::win
