// Where a running schedule is kept while it counts, so that a sign-in after
// Windows ended the session brings it back: a record of this program under
// HKCU\Software\定时器\Schedules\<id>, and beside it a value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run that starts
// "<this exe>" /resume <id>. Each running program has a record of its own,
// locked by a named mutex for as long as the program holds it.
#pragma once

#include <string>

#include "schedule_record.h"

namespace rt::store {

enum class Claim {
  Restored,        // the record is this program's now
  OwnedElsewhere,  // another running program holds it: left alone
  Unreadable,      // missing or not to be trusted: removed with its entry
};

struct Claimed {
  Claim claim;
  ScheduleRecord record;  // Restored only
};

// At start, for "/resume <id>": takes the record over with its lock, so
// that keep schedule and forget schedule act on it from then on.
Claimed claim_record(const std::string& id);

// Provides keep schedule and forget schedule.
void provide_store_services();

}  // namespace rt::store
