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
};

struct DisabledByDialog {
  uint32_t window_id;
  bool was_enabled;
};

struct LoadedWindow {
  uint32_t id;
  uint64_t serial;  // tells a reloaded window from the one before
  const ResolvedWindow* layout;
  std::vector<std::unique_ptr<Unit>> units;  // [0] is the window's own unit
  HWND hwnd = nullptr;
  uint32_t parent_id = 0;
  UniqueMenu menu_bar;
  bool pending_first_show = false;
  bool closing = false;
  std::vector<DisabledByDialog> disabled;
  HWND last_focus = nullptr;  // restored when the window is activated again
  // The scale the window is laid out at, its units' font at that scale, and
  // its icons where the window class's (made for the system's DPI) do not
  // fit (window_scale_win.cpp).
  int dpi = kBaseDpi;
  display::GuiFont font;
  UniqueIcon big_icon, small_icon;

  Unit& own() { return *units[0]; }
  Unit* unit(uint32_t unit_id);
  Unit* unit_of(HWND hwnd);  // the unit whose window is hwnd or contains it
};

// The runtime-wide state.
struct Runtime {
  LayoutTable layouts;
  std::vector<std::unique_ptr<LoadedWindow>> windows;
  int suspended = 0;
  uint32_t dialog_loop_window = 0;  // the window whose dialog-mode loop runs
  bool loop_started = false;
  EventSource source{0, 0};
  HWND owner = nullptr;  // invisible owner of windows without a taskbar button
};
Runtime& runtime();

LoadedWindow* find_window(uint32_t window_id);
LoadedWindow* window_of(HWND frame);  // by the frame's handle

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

// Window classes of the runtime (registered once).
extern const wchar_t kFrameClass[];
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

// The rest of a window's destruction, after WM_DESTROY: give back what dialog
// mode disabled, forget the window, end a dialog loop, post quit after the
// last window.
void give_back_disabled(LoadedWindow& w);
void forget_window(HWND frame);

// The units that Tab can reach now (visible and enabled focus stops), in
// Tab order.
std::vector<Unit*> focus_stops(LoadedWindow& w);

// Keys that the runtime handles itself before dispatching: Esc closes a
// window whose layout says so, Tab and Shift+Tab walk the focus stops.
bool pretranslate(MSG& msg);

// Timer units.
void set_timer_interval(Unit& timer, int32_t interval);
void stop_timer(Unit& timer);

// Tells the observers of window_access_win.h that a window is being
// destroyed, or offers them a private or registered message; true when one
// of them took it.
void notify_destroyed(uint32_t window_id) noexcept;
bool notify_message(uint32_t window_id, UINT message, WPARAM wparam, LPARAM lparam) noexcept;

// The date of a date box as a date-time; 0 sets the current moment, and
// a box without a valid date reads as 0.
void set_date_box(HWND box, double value);
double date_box_value(HWND box);

// Window text in and out of GBK.
void set_window_text(HWND w, const char* gbk);
Text window_text(HWND w);

}  // namespace rt::win
