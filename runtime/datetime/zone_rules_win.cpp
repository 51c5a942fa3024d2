#include "zone_rules_win.h"

#include <windows.h>

#include "datetime.h"
#include "service.h"

namespace rt {
namespace {

constexpr int kFirstWindowsYear = 1601;

// GetTimeZoneInformationForYear came with Windows Vista SP1; the program
// still starts on XP, so it is looked up rather than imported. Its second
// argument, a zone other than the system's, is never passed.
using RulesForYear = BOOL(WINAPI*)(USHORT year, void* other_zone, TIME_ZONE_INFORMATION* info);

RulesForYear rules_for_year() {
  static const RulesForYear fn = reinterpret_cast<RulesForYear>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTimeZoneInformationForYear")));
  return fn;
}

ZoneChange change_of(const SYSTEMTIME& t) {
  return ZoneChange{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// The rules of the year a date-time lies in; none before Windows time
// begins.
bool rules_of(double datetime, ZoneRules* rules) {
  const int year = calendar_fields(datetime).year;
  return year >= kFirstWindowsYear && read_zone_rules(year, rules);
}

void to_universal_time_service(Result& r, int n, const Arg* args) {
  const double local = datetime_of(arg_at(n, args, 0));
  ZoneRules rules{};
  set_double(r, rules_of(local, &rules) ? universal_datetime(rules, local, datetime_of(arg_at(n, args, 1)))
                                        : kEmptyDateTime);
}

// What the clock reads at a universal moment, in the zone's rules of that
// year; without rules, the moment as it is.
void to_local_time_service(Result& r, int n, const Arg* args) {
  const double universal = datetime_of(arg_at(n, args, 0));
  ZoneRules rules{};
  set_double(r, rules_of(universal, &rules) ? local_datetime(rules, universal) : universal);
}

}  // namespace

bool read_zone_rules(int year, ZoneRules* rules) {
  TIME_ZONE_INFORMATION info{};
  const RulesForYear for_year = rules_for_year();
  // Without rules per year (XP, or a year Windows refuses), today's rules
  // stand for every year.
  const bool read = (for_year && for_year(static_cast<USHORT>(year), nullptr, &info)) ||
                    GetTimeZoneInformation(&info) != TIME_ZONE_ID_INVALID;
  if (!read) return false;
  *rules = ZoneRules{static_cast<int>(info.Bias), static_cast<int>(info.StandardBias),
                     static_cast<int>(info.DaylightBias), change_of(info.StandardDate), change_of(info.DaylightDate)};
  return true;
}

void provide_universal_time_service() {
  provide(Service::ToUniversalTime, &to_universal_time_service);
  provide(Service::ToLocalTime, &to_local_time_service);
}

}  // namespace rt
