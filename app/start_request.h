// The program's command line: what a shortcut, a script or Task Scheduler
// asks of a start. Platform-independent: the arguments come in as GBK texts,
// converted once where Windows hands them over.
//
//   timer.exe [/at TIME | /in DURATION] [/shutdown] [/music] [/remind TEXT] [/hide]
//   timer.exe /?
//   timer.exe /resume ID        (written by the program itself, at sign-in)
//
// Option names take any case and may be written /x, -x or --x. An option
// takes its value from the next argument, unless that one names an option
// itself (then the value is missing). /? anywhere asks for the usage,
// whatever else is there.
//
//   /at HH:MM, HH:MM:SS        a time of day (hours may have one digit)
//   /at "YYYY-MM-DD HH:MM[:SS]" a date and a time in one argument; "/" may
//                              stand for "-" (the same between all parts),
//                              month and day may have one digit
//   /in 1h30m15s               hours, minutes and seconds, each with its
//                              unit (h, m, s in any case), in that order,
//                              each at most once, added up: "90m" and
//                              "1h90m" are fine; 1 to 2147483646 seconds
//
// This header has a name of its own because the test programs' reader of
// their options is `command_line.h`, and the layout host has both folders
// on its include path.
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
    Usual,     // no moment: the program as ever (hidden in the tray with /hide)
    Help,      // /?: the usage box, exit code 0
    Resume,    // /resume ID
    Schedule,  // /at or /in
    Error,     // the box "提示" with `error` and the usage, exit code 87
  };
  Kind kind = Kind::Usual;
  std::string resume_id;
  // Schedule: /in gives `in_seconds` (1..2147483646); /at gives `at`,
  // resolved by resolve_at. `at_has_date`: /at named a date, else only a
  // time of day (year, month and day 0 until resolved). `at_argument`: /at
  // and its value as the user wrote them, for resolve_at's error.
  bool by_duration = false;
  int64_t in_seconds = 0;
  LocalMoment at;
  bool at_has_date = false;
  std::string at_argument;  // GBK
  bool shut_down = false, music = false, remind = false, hide = false;
  std::string reminder;  // GBK
  std::string error;     // GBK: which argument is wrong, and why
};

// Reads the arguments after the program's name. An Error holds nothing but
// its text, which names the first argument found wrong.
StartRequest read_command_line(const std::vector<Argument>& args);

// An /at request's target (as read_command_line made it: a date that does
// not exist is an error there already) against the local clock's now
// (valid fields): a time of day alone is today, or tomorrow once it has
// passed (or is now); a date must lie ahead, within the count's 2147483646
// seconds, both taken as the difference of wall-clock readings. Turns the
// request into an Error when it does not hold; leaves any other request as
// it is.
void resolve_at(StartRequest& request, const LocalMoment& now);

// The usage, in GBK, lines joined with CR LF, for the boxes of /? and of an
// error.
std::string usage_text();

// The program's exit code for arguments it cannot take.
constexpr int kBadArguments = 87;

}  // namespace app
