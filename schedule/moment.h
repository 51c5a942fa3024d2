// The moment a running schedule fires: its one truth. 定时 fixes it as now
// plus the count it writes, and a schedule brought back at sign-in comes
// with it; the count shown is only ever worked out from it and the system
// clock. It is universal time, to the millisecond, so that it follows a
// clock that the user or the time service sets, and sleep, a held-up thread
// or a change of daylight time show at the next tick.
#pragma once

#include <cstdint>

namespace schedule {

// `missed`: the moment had passed before the program could count towards
// it (a schedule brought back after its moment): its firing is a missed one,
// however little it is late.
void set_moment(double universal, bool missed = false);
double moment();
bool moment_missed();

// The whole seconds from `now` (universal) to the moment, rounded to the
// nearest: below 0 once it has passed.
int64_t seconds_left(double now);

// The seconds by which `now` lies past the moment.
double seconds_late(double now);

}  // namespace schedule
