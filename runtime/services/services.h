// The runtime services as the program logic calls them: one typed function
// per service, each a thin call through the service table (service.h), so
// that a test's ServiceOverride still replaces any of them. Handlers say
// what they do, svc::time_interval(target, now, Interval::Second), instead
// of spelling tagged argument records.
#pragma once

#include <cstdint>

#include "owned.h"

namespace svc {

// A unit as a service receives it: the window and the unit, by identifier.
// The tag that travels with it says what the service may do with it.
struct WindowRef {
  uint32_t window_id;
  uint32_t unit_id;  // the window's own unit
};
struct MenuRef {
  uint32_t window_id;
  uint32_t unit_id;
};
struct ComboRef {
  uint32_t window_id;
  uint32_t unit_id;
};

// ---- values --------------------------------------------------------------
int32_t to_integer(const char* text);  // optional sign and digits; else 0
rt::Text to_text(int32_t value);       // "%d"
rt::Text to_text(double value);        // "%.13g": 59.0 is "59"
double absolute(double value);

// ---- date-times ----------------------------------------------------------
enum class Interval : int32_t { Year = 1, Quarter, Month, Week, Day, Hour, Minute, Second };

double now();
double to_datetime(const char* text);  // not a date-time: 100-01-01 00:00:00
rt::Text datetime_text(double datetime);
double time_interval(double a, double b, Interval unit);  // a − b
double universal_now();
// The system clock's now in universal time, to the millisecond: what a
// running schedule is counted against.
double universal_clock();
// A universal date-time as the local time of the zone's rules for it.
double to_local_time(double universal);
// A local date-time as universal time under the zone's rules of its year;
// the empty date-time (100-01-01) when no rules reach it (before 1601). A
// time the clocks repeat is its first occurrence, or its second when `now`
// (universal) lies between the two.
double to_universal_time(double local, double now);
int32_t year_of(double datetime);
int32_t month_of(double datetime);
int32_t day_of(double datetime);

// ---- message box ---------------------------------------------------------
// Style bits of a box: a lone OK button unless a button bit says otherwise.
enum Box : uint32_t {
  kBoxOk = 0,
  kBoxInformation = 0x40,       // the information icon
  kBoxSetForeground = 0x10000,  // takes the foreground
  kBoxTopmost = 0x40000,        // in front of every other window
};
// Waits until the user closes the box; the button that closed it (0 for OK).
int32_t message_box(const char* text, uint32_t style, const char* caption);

// ---- windows -------------------------------------------------------------
// In dialog mode, returns once the window has been destroyed.
bool load_window(WindowRef window, bool dialog_mode);
// Destroys the window after the current handler has returned.
void destroy(WindowRef window);
void add_item(ComboRef box, const char* text);
// The themed look of the thread's standard controls: one of three colour
// schemes, or the controls' own look.
enum class Look : int32_t { Plain = 0, Scheme1 = 1, Scheme2 = 2, Scheme3 = 3 };
void visual_style(Look look);
// One of the window's top-level menus, at the pointer.
void pop_up_menu(WindowRef window, MenuRef menu);
void set_tray_icon(WindowRef window, const void* icon_block, const char* tip);
// The tip of the window's icon, in place; nothing while it shows none.
void set_tray_tip(WindowRef window, const char* tip);
// A balloon from the window's icon; a click on it raises the tray
// notification event with the balloon code.
void show_tray_balloon(WindowRef window, const char* title, const char* text);

// ---- sound and system ----------------------------------------------------
bool play_sound(const void* wave_block);  // once, not looped
void stop_sound();

enum class Shutdown : int32_t { PowerOff = 1, Restart, LogOff, Suspend, Hibernate };
// Force: other programs are closed without being asked.
bool shut_down_system(Shutdown mode, bool force);
// Keeps the system from idle sleep (not the display) until called with
// false; asking twice for the same is one request.
bool keep_awake(bool on);

// ---- what the program keeps between runs ---------------------------------
// The running schedule as the program keeps it while it counts, so that a
// new sign-in brings it back: its moment (universal), what happens then, and
// the boxes it was set from.
struct KeptSchedule {
  double moment;  // universal date-time, to the millisecond
  bool shut_down;
  bool music;
  bool remind;
  const char* reminder;
  double date;  // the date box
  const char* hour;
  const char* minute;
  const char* second;
};
// Writes this program's record and the entry that resumes it at the next
// sign-in (written through to disk); false when it could not be kept.
bool keep_schedule(const KeptSchedule& schedule);
// Removes this program's record and its entry; nothing when there is none.
void forget_schedule();

}  // namespace svc
