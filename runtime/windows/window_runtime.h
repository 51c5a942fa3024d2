// Windows and units as the program logic sees them: loading and destroying
// windows, the message loop, events, and numbered properties. No window
// handle ever reaches the logic.
#pragma once

#include <cstdint>

#include "layout.h"
#include "owned.h"
#include "value.h"

namespace rt {

// Runtime start for windows: OLE, the current directory (the exe's folder),
// the invisible owner window, common controls, and the table of window
// layouts with handler names resolved. Layouts that do not hold together are
// a fatal error. May be called again (tests) to replace the layouts once every
// window is gone.
void start_windows(const WindowDef* const* layouts, int count, const HandlerEntry* handlers, int handler_count);

// Loads a window from its layout. parent_id 0: no parent. In dialog mode
// returns only when the window has been destroyed. False when there is no
// such layout or the parent is not loaded.
bool load_window(uint32_t window_id, uint32_t parent_id, bool dialog_mode);
// The program's first window; failure is fatal. The program ends when it is
// destroyed: every other window goes with it.
void load_startup_window(uint32_t window_id);
// Runs until the startup window or the last window is destroyed, then stops
// every sound and waits for it to end; returns the exit code 0.
int run_message_loop();
// A window's own unit: closing now or after the current handler (posted).
// A control: destroyed at once.
void destroy_unit(uint32_t window_id, uint32_t unit_id, bool at_once);
bool is_loaded(uint32_t window_id);

struct EventAnswer {
  bool answered;
  int32_t answer;
};
// Calls the handler bound to the event; nothing while events are suspended.
EventAnswer raise_event(uint32_t window_id, uint32_t unit_id, int event, int argc = 0, const int32_t* args = nullptr);

// Sees every event the runtime raises while events are not suspended, whether
// a handler is bound or not (test programs log them).
using EventObserver = void (*)(uint32_t window_id, uint32_t unit_id, int event);
void set_event_observer(EventObserver observer);

struct EventSource {
  uint32_t window_id;
  uint32_t unit_id;
};
EventSource current_event_source();  // {0, 0} outside any handler

// ---- properties (sub-index -1: the whole value) ----------------------
Result get_property(uint32_t window_id, uint32_t unit_id, int number, int sub = -1);
void set_property(uint32_t window_id, uint32_t unit_id, int number, int sub, uint32_t low, uint32_t high);

Text get_text(uint32_t window_id, uint32_t unit_id, int number);
int32_t get_int(uint32_t window_id, uint32_t unit_id, int number);
double get_double(uint32_t window_id, uint32_t unit_id, int number);
void put_text(uint32_t window_id, uint32_t unit_id, int number, const char* text);
void put_int(uint32_t window_id, uint32_t unit_id, int number, int32_t value);
void put_double(uint32_t window_id, uint32_t unit_id, int number, double value);

// Provides load window, destroy, add item and visual style in the service
// table.
void provide_window_services();

}  // namespace rt
