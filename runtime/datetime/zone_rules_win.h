// The zone's rules as Windows keeps them, and the service that converts a
// local date-time to universal time with them.
#pragma once

#include "zone_rules.h"

namespace rt {

// The system's time-zone rules for `year`; false when Windows gives none.
bool read_zone_rules(int year, ZoneRules* rules);

// Provides to universal time: a local date-time (or a text read as one) in
// universal time under the rules of its year, or the empty date-time where
// no rules reach it (before 1601, where Windows time begins); and to local
// time, the other way.
void provide_universal_time_service();

}  // namespace rt
