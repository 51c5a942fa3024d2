#include "moment.h"

#include <cmath>

#include "datetime.h"

namespace schedule {
namespace {

// Program-wide, as the main window counts one schedule at a time.
double g_moment = 0;
bool g_missed = false;

}  // namespace

void set_moment(double universal, bool missed) {
  g_moment = universal;
  g_missed = missed;
}

double moment() { return g_moment; }
bool moment_missed() { return g_missed; }

int64_t seconds_left(double now) { return std::llround(rt::seconds_between(now, g_moment)); }

double seconds_late(double now) { return rt::seconds_between(g_moment, now); }

}  // namespace schedule
