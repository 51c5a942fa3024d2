// The uniform service call: the program logic names a service and passes its
// arguments as tagged records; one result record comes back. Each module of
// the runtime provides its services into one table at start-up, and tests can
// put a recording stand-in in place of any of them.
#pragma once

#include <initializer_list>

#include "owned.h"
#include "value.h"

namespace rt {

enum class Service : int {
  MessageBox,
  ToInteger,
  ToText,
  Absolute,
  ToDateTime,
  Now,
  TimeInterval,
  YearOf,
  MonthOf,
  DayOf,
  UniversalNow,
  ToUniversalTime,
  LoadWindow,
  Destroy,
  PopupMenu,
  AddItem,
  SetTrayIcon,
  PlaySound,
  StopSound,
  VisualStyle,
  ShutdownSystem,
  KeepAwake,
  UniversalClock,
  ToLocalTime,
  KeepSchedule,
  ForgetSchedule,
  SetTrayTip,
  ShowTrayBalloon,
  Count
};

// A service reads `count` argument records and writes its result into the
// record, which the call has zeroed.
using ServiceFn = void (*)(Result& result, int count, const Arg* args);

// Installs the implementation of a service; returns the one it replaces.
ServiceFn provide(Service service, ServiceFn fn);

// Calls a service. Optional arguments left out are passed as omitted()
// records so that the count covers every parameter. Calling a service that
// nothing provides is a fatal runtime error.
Result call(Service service, std::initializer_list<Arg> args);
Result call_n(Service service, int count, const Arg* args);

// The i-th argument, or an omitted record when the caller passed fewer.
inline Arg arg_at(int count, const Arg* args, int i) { return i < count ? args[i] : omitted(); }

// Reading the first two result words.
inline int32_t result_int(const Result& r) { return static_cast<int32_t>(r.word[0]); }
inline bool result_bool(const Result& r) { return r.word[0] != 0; }
inline double result_double(const Result& r) { return bits_to_double(words64(r.word[0], r.word[1])); }
// The caller owns a text or block result.
inline Text result_text(const Result& r) { return Text::adopt(get_pointer(r.word[0], r.word[1])); }

// Replaces a service for the lifetime of the object (tests).
class ServiceOverride {
 public:
  ServiceOverride(Service service, ServiceFn fn) : service_(service), old_(provide(service, fn)) {}
  ~ServiceOverride() { provide(service_, old_); }
  ServiceOverride(const ServiceOverride&) = delete;
  ServiceOverride& operator=(const ServiceOverride&) = delete;

 private:
  Service service_;
  ServiceFn old_;
};

// Replaces a module's table of Windows calls for the lifetime of the object
// (tests); `set` installs a table and returns the one it replaces.
template <typename Calls, Calls (*set)(const Calls&)>
class CallsOverride {
 public:
  explicit CallsOverride(const Calls& calls) : old_(set(calls)) {}
  ~CallsOverride() { set(old_); }
  CallsOverride(const CallsOverride&) = delete;
  CallsOverride& operator=(const CallsOverride&) = delete;

 private:
  Calls old_;
};

}  // namespace rt
