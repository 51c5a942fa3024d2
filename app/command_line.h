// The program's command line: what a shortcut, a script or Task Scheduler
// asks of a start. Platform-independent: the arguments come in as GBK texts,
// converted once where Windows hands them over.
//
//   timer.exe [/at TIME | /in DURATION] [/shutdown] [/music] [/remind TEXT] [/hide]
//   timer.exe /?
//   timer.exe /resume ID        (written by the program itself, at sign-in)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

// One argument as Windows gave it, in GBK; `lossy` when it held a character
// that the program's code page cannot show.
struct Argument {
  std::string gbk;
  bool lossy = false;
};

// A moment on the local wall clock.
struct LocalMoment {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct StartRequest {
  enum class Kind {
    Usual,     // no arguments: the program as ever
    Help,      // /?: the usage box, exit code 0
    Resume,    // /resume ID
    Schedule,  // /at or /in
    Error,     // the box "提示" with `error` and the usage, exit code 87
  };
  Kind kind = Kind::Usual;
  std::string resume_id;
  // Schedule: /in gives `in_seconds` (> 0); /at gives `at` resolved by
  // resolve_at. `at_has_date`: /at named a date, else only a time of day.
  bool by_duration = false;
  int64_t in_seconds = 0;
  LocalMoment at;
  bool at_has_date = false;
  bool shut_down = false, music = false, remind = false, hide = false;
  std::string reminder;  // GBK
  std::string error;     // GBK: which argument is wrong, and why
};

// Reads the arguments after the program's name.
StartRequest read_command_line(const std::vector<Argument>& args);

// An /at request's target against the local clock's now: a time of day
// alone is today, or tomorrow once it has passed (or is now); a date must
// lie ahead, within the count's 2147483647 seconds. Turns the request into
// an Error when it does not hold.
void resolve_at(StartRequest& request, const LocalMoment& now);

// The usage, in GBK, for the boxes of /? and of an error.
std::string usage_text();

// The program's exit code for arguments it cannot take.
constexpr int kBadArguments = 87;

}  // namespace app
