// Where a running schedule is kept while it counts, so that a sign-in after
// Windows ended the session brings it back: a record of this program under
// HKCU\Software\定时器\Schedules\<id>, and beside it a value "定时器 <id>"
// under HKCU\Software\Microsoft\Windows\CurrentVersion\Run that starts
// "<this exe>" /resume <id>. Each running program has a record of its own,
// locked by the named mutex "Global\定时器.<id>" for as long as the program
// holds it.
//
// The calls that tests must see or make fail (writing and flushing keys,
// the exe's path) go through one table; the rest is Wine's own registry
// and mutexes in the tests too.
#pragma once

#include <windows.h>

#include <string>

#include "schedule_record.h"
#include "service.h"

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
// that keep schedule and forget schedule act on it from then on (a record
// the program held before is forgotten first). An id that is not a record
// id is Unreadable, and only its Run value is removed.
Claimed claim_record(const std::string& id);

// Provides keep schedule and forget schedule. Keep schedule answers true
// once the record and the Run value are written and flushed; otherwise
// nothing of the program is kept (a record it had is removed). The Run
// value's command is at most kMaxRunCommand characters, with the exe's
// short path when the long one makes it longer.
void provide_store_services();

constexpr std::size_t kMaxRunCommand = 200;

struct StoreCalls {
  LONG(WINAPI* create_key)(HKEY root, const wchar_t* path, DWORD reserved, wchar_t* key_class, DWORD options,
                           REGSAM access, SECURITY_ATTRIBUTES* security, HKEY* key, DWORD* disposition);
  LONG(WINAPI* open_key)(HKEY root, const wchar_t* path, DWORD options, REGSAM access, HKEY* key);
  LONG(WINAPI* set_value)(HKEY key, const wchar_t* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
  LONG(WINAPI* flush_key)(HKEY key);
  DWORD(WINAPI* module_file_name)(HMODULE module, wchar_t* path, DWORD size);
  DWORD(WINAPI* short_path_name)(const wchar_t* path, wchar_t* short_path, DWORD size);
};

// The functions of Windows itself.
StoreCalls real_store_calls();

// Installs `calls` for every later call and returns the table it replaces.
StoreCalls set_store_calls(const StoreCalls& calls);

// Replaces the calls for the lifetime of the object (tests).
using StoreCallsOverride = CallsOverride<StoreCalls, &set_store_calls>;

}  // namespace rt::store
