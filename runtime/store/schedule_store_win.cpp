#include "schedule_store_win.h"

#include <cstring>
#include <optional>
#include <vector>

#include "convert.h"
#include "datetime.h"
#include "gbk_win.h"
#include "win_handle.h"

namespace rt::store {
namespace {

const wchar_t kProduct[] = L"定时器";
const wchar_t kSchedulesKey[] = L"Software\\定时器\\Schedules";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The longest value read: the longest reminder as UTF-16 with its terminator.
constexpr DWORD kMaxValueBytes = 2 * (kMaxReminderBytes + 1);

StoreCalls g_calls = real_store_calls();

using UniqueKey = UniqueHandle<HKEY, &RegCloseKey>;

// A lock this thread holds (a mutex belongs to the thread that took it: the
// user-interface thread makes every call here).
void let_go(HANDLE lock) {
  ReleaseMutex(lock);
  CloseHandle(lock);
}
using HeldLock = UniqueHandle<HANDLE, &let_go>;

// This program's record: its id, its key open for writing, its lock, and
// the Run value's command until it is written.
struct Kept {
  std::wstring id;
  UniqueKey key;
  HeldLock lock;
  std::wstring pending_run;
};
Kept g_kept;

bool ok(LONG status) { return status == ERROR_SUCCESS; }

std::wstring record_path(const std::wstring& id) { return std::wstring(kSchedulesKey) + L"\\" + id; }
std::wstring run_name(const std::wstring& id) { return std::wstring(kProduct) + L" " + id; }

// Taken when no other program holds it; one whose holder ended without
// letting go (abandoned) is taken too.
HeldLock take_lock(const std::wstring& id) {
  const std::wstring name = L"Global\\" + std::wstring(kProduct) + L"." + id;
  const HANDLE lock = CreateMutexW(nullptr, FALSE, name.c_str());
  if (!lock) return HeldLock();
  const DWORD waited = WaitForSingleObject(lock, 0);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return HeldLock(lock);
  CloseHandle(lock);
  return HeldLock();
}

// ---- the exe's command ------------------------------------------------------
// A path the call wrote whole into a buffer of the longest path's size.
std::wstring path_written(const std::vector<wchar_t>& buffer, DWORD length) {
  return length > 0 && length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring();
}

std::wstring exe_path() {
  std::vector<wchar_t> buffer(32768);
  return path_written(buffer, g_calls.module_file_name(nullptr, buffer.data(), static_cast<DWORD>(buffer.size())));
}

std::wstring short_path(const std::wstring& path) {
  std::vector<wchar_t> buffer(32768);
  return path_written(buffer,
                      g_calls.short_path_name(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size())));
}

// Windows runs the Run key's commands only up to 260 characters, so the
// command keeps well below: with the long path, else the short (8.3) one,
// else none.
std::wstring run_command(const std::wstring& id) {
  const std::wstring path = exe_path();
  if (path.empty()) return std::wstring();
  const std::wstring tail = L" /resume " + id;
  std::wstring command = L"\"" + path + L"\"" + tail;
  if (command.size() <= kMaxRunCommand) return command;
  const std::wstring short_one = short_path(path);
  command = L"\"" + short_one + L"\"" + tail;
  return !short_one.empty() && command.size() <= kMaxRunCommand ? command : std::wstring();
}

// ---- values -----------------------------------------------------------------
UniqueKey create_key(const std::wstring& path, DWORD* disposition) {
  HKEY key = nullptr;
  if (!ok(g_calls.create_key(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, disposition)))
    return UniqueKey();
  return UniqueKey(key);
}

UniqueKey open_key(const std::wstring& path) {
  HKEY key = nullptr;
  if (!ok(g_calls.open_key(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key)))
    return UniqueKey();
  return UniqueKey(key);
}

bool set_text(HKEY key, const std::wstring& name, const std::wstring& text) {
  const auto* data = reinterpret_cast<const BYTE*>(text.c_str());
  const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return ok(g_calls.set_value(key, name.c_str(), 0, REG_SZ, data, size));
}

bool write_value(HKEY key, const RawValue& v) {
  if (v.type == kRegSz) return set_text(key, to_wide(v.name), to_wide(std::string(v.bytes.begin(), v.bytes.end())));
  return ok(g_calls.set_value(key, to_wide(v.name).c_str(), 0, v.type, v.bytes.data(),
                              static_cast<DWORD>(v.bytes.size())));
}

// A REG_SZ value's UTF-16 as GBK, its terminator dropped; false when a
// character has no GBK bytes.
bool gbk_of(const std::vector<uint8_t>& data, std::vector<uint8_t>& gbk) {
  if (data.size() % 2 != 0) return false;
  std::wstring text(data.size() / 2, L'\0');
  if (!text.empty()) std::memcpy(&text[0], data.data(), data.size());
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  std::string bytes;
  if (!to_gbk_exactly(text, bytes)) return false;
  gbk.assign(bytes.begin(), bytes.end());
  return true;
}

// The record's values as they are; a missing one is left to the reader. A
// value too large to be a record's, or a text GBK cannot hold, is none.
bool read_values(HKEY key, std::vector<RawValue>& values) {
  for (const char* name : kRecordValueNames) {
    const std::wstring wide = to_wide(name);
    DWORD type = 0, size = 0;
    const LONG status = RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND) continue;
    if (!ok(status) || size > kMaxValueBytes) return false;
    std::vector<uint8_t> data(size);
    if (!ok(RegQueryValueExW(key, wide.c_str(), nullptr, &type, data.data(), &size))) return false;
    data.resize(size);
    RawValue v{name, type, {}};
    if (type != REG_SZ) {
      v.bytes = std::move(data);
    } else if (!gbk_of(data, v.bytes)) {
      return false;
    }
    values.push_back(std::move(v));
  }
  return true;
}

// ---- making, removing -------------------------------------------------------
void remove_run_value(const std::wstring& id) {
  const UniqueKey run = open_key(kRunKey);
  if (run && ok(RegDeleteValueW(run.get(), run_name(id).c_str()))) g_calls.flush_key(run.get());
}

// First the Run value, so that no sign-in starts a program for a record
// half gone.
void remove_record(const std::wstring& id) {
  remove_run_value(id);
  const UniqueKey schedules = open_key(kSchedulesKey);
  if (schedules && ok(RegDeleteKeyW(schedules.get(), id.c_str()))) g_calls.flush_key(schedules.get());
}

void forget() {
  if (g_kept.id.empty()) return;
  const std::wstring id = g_kept.id;
  g_kept.key.reset();
  remove_record(id);
  g_kept = Kept();  // lets the lock go
}

// 16 hexadecimal digits, a different one at every call: a bijection of a
// counter started from the process and the time.
std::wstring next_id() {
  static uint64_t next = [] {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<uint64_t>(GetCurrentProcessId()) << 32 ^ static_cast<uint64_t>(counter.QuadPart) ^
           GetTickCount();
  }();
  uint64_t x = next += 0x9E3779B97F4A7C15u;
  x = (x ^ x >> 30) * 0xBF58476D1CE4E5B9u;
  x = (x ^ x >> 27) * 0x94D049BB133111EBu;
  x ^= x >> 31;
  std::wstring id(16, L'0');
  for (wchar_t& digit : id) {
    digit = L"0123456789ABCDEF"[x >> 60];
    x <<= 4;
  }
  return id;
}

// A record no other holds, running or left behind by a program that ended
// without forgetting it (a created key that already existed is not ours).
bool make_record() {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::wstring id = next_id();
    std::wstring command = run_command(id);
    if (command.empty()) return false;
    HeldLock lock = take_lock(id);
    if (!lock) continue;
    DWORD disposition = 0;
    UniqueKey key = create_key(record_path(id), &disposition);
    if (!key) return false;
    if (disposition != REG_CREATED_NEW_KEY) continue;
    g_kept = Kept{id, std::move(key), std::move(lock), std::move(command)};
    return true;
  }
  return false;
}

bool write_record(const std::vector<RawValue>& values) {
  if (g_kept.id.empty() && !make_record()) return false;
  for (const RawValue& v : values)
    if (!write_value(g_kept.key.get(), v)) return false;
  if (!ok(g_calls.flush_key(g_kept.key.get()))) return false;
  if (g_kept.pending_run.empty()) return true;
  DWORD disposition = 0;
  const UniqueKey run = create_key(kRunKey, &disposition);
  if (!run || !set_text(run.get(), run_name(g_kept.id), g_kept.pending_run) || !ok(g_calls.flush_key(run.get())))
    return false;
  g_kept.pending_run.clear();
  return true;
}

// Nothing half kept: a record that could not be written whole, or would not
// read back, is no record.
bool keep(const ScheduleRecord& record) {
  const std::vector<RawValue> values = record_values(record);
  if (read_record(values) && write_record(values)) return true;
  forget();
  return false;
}

std::string text_of(const Arg& a) { return to_text(a).c_str(); }
bool flag_of(const Arg& a) { return to_integer(a) != 0; }

void keep_service(Result& r, int n, const Arg* args) {
  ScheduleRecord record;
  record.moment = datetime_of(arg_at(n, args, 0));
  record.shut_down = flag_of(arg_at(n, args, 1));
  record.music = flag_of(arg_at(n, args, 2));
  record.remind = flag_of(arg_at(n, args, 3));
  record.reminder = text_of(arg_at(n, args, 4));
  record.date = datetime_of(arg_at(n, args, 5));
  record.hour = text_of(arg_at(n, args, 6));
  record.minute = text_of(arg_at(n, args, 7));
  record.second = text_of(arg_at(n, args, 8));
  set_bool(r, keep(record));
}

void forget_service(Result&, int, const Arg*) { forget(); }

}  // namespace

Claimed claim_record(const std::string& id_text) {
  forget();
  const std::wstring id = to_wide(id_text);
  // An id that names no key may still name a Run value: a value's name is
  // only a name, while a key's would be a path.
  if (!is_record_id(id_text)) {
    remove_run_value(id);
    return Claimed{Claim::Unreadable, {}};
  }
  HeldLock lock = take_lock(id);
  if (!lock) return Claimed{Claim::OwnedElsewhere, {}};
  UniqueKey key = open_key(record_path(id));
  std::vector<RawValue> values;
  std::optional<ScheduleRecord> record;
  if (key && read_values(key.get(), values)) record = read_record(values);
  if (!record) {
    key.reset();
    remove_record(id);
    return Claimed{Claim::Unreadable, {}};
  }
  g_kept = Kept{id, std::move(key), std::move(lock), run_command(id)};
  return Claimed{Claim::Restored, *record};
}

void provide_store_services() {
  provide(Service::KeepSchedule, keep_service);
  provide(Service::ForgetSchedule, forget_service);
}

StoreCalls real_store_calls() {
  return StoreCalls{&RegCreateKeyExW, &RegOpenKeyExW, &RegSetValueExW, &RegFlushKey, &GetModuleFileNameW,
                    &GetShortPathNameW};
}

StoreCalls set_store_calls(const StoreCalls& calls) {
  const StoreCalls old = g_calls;
  g_calls = calls;
  return old;
}

}  // namespace rt::store
