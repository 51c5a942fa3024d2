// The kept schedule on Wine's own registry and mutexes: what keep schedule
// writes and flushes, a rewrite in place, forget, a write the registry
// refuses, the Run command's length, and the claim of a record at start.
// The store's calls pass through a recorder that notes the keys it made and
// flushed, and can refuse one call or give the exe another path. What a
// record holds is read back through the reader (its bytes are the native
// tests' concern).
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gbk_win.h"
#include "schedule_store_win.h"
#include "services.h"

namespace {

using rt::store::Claim;
using rt::store::RawValue;
using rt::store::ScheduleRecord;
using Paths = std::vector<std::wstring>;

const std::wstring kSchedules = L"Software\\定时器\\Schedules";
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kPlanted = L"00C0FFEE";

std::wstring record_path(const std::wstring& id) { return kSchedules + L"\\" + id; }
bool starts(const std::wstring& s, const std::wstring& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// ---- the recorder -----------------------------------------------------------
struct World {
  std::map<HKEY, std::wstring> paths;  // of the keys opened
  Paths created, flushed;
  std::wstring refused;  // a key made, a value set or "flush:" a key's path that starts so fails
  std::wstring exe, short_exe;
  std::wstring occupy;  // made just before the store makes its first record key
} g;

bool refused(const std::wstring& s) { return !g.refused.empty() && starts(s, g.refused); }

LONG WINAPI create_key(HKEY root, const wchar_t* path, DWORD reserved, wchar_t* key_class, DWORD options, REGSAM access,
                       SECURITY_ATTRIBUTES* security, HKEY* key, DWORD* disposition) {
  if (refused(path)) return ERROR_ACCESS_DENIED;
  if (g.occupy.empty() && g.paths.count(nullptr) && starts(path, kSchedules + L"\\")) {
    g.occupy = path;
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ, nullptr, key, nullptr);
    RegCloseKey(*key);
  }
  const LONG status = RegCreateKeyExW(root, path, reserved, key_class, options, access, security, key, disposition);
  if (status == ERROR_SUCCESS) g.created.push_back(g.paths[*key] = path);
  return status;
}
LONG WINAPI open_key(HKEY root, const wchar_t* path, DWORD options, REGSAM access, HKEY* key) {
  const LONG status = RegOpenKeyExW(root, path, options, access, key);
  if (status == ERROR_SUCCESS) g.paths[*key] = path;
  return status;
}
LONG WINAPI set_value(HKEY key, const wchar_t* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  return refused(name) ? ERROR_ACCESS_DENIED : RegSetValueExW(key, name, reserved, type, data, size);
}
LONG WINAPI flush_key(HKEY key) {
  g.flushed.push_back(g.paths[key]);
  return refused(L"flush:" + g.paths[key]) ? ERROR_ACCESS_DENIED : RegFlushKey(key);
}
DWORD given(const std::wstring& path, wchar_t* out, DWORD size) {
  if (path.empty() || path.size() >= size) return 0;
  out[path.copy(out, size)] = L'\0';
  return static_cast<DWORD>(path.size());
}
DWORD WINAPI module_file_name(HMODULE module, wchar_t* out, DWORD size) {
  return g.exe.empty() ? GetModuleFileNameW(module, out, size) : given(g.exe, out, size);
}
DWORD WINAPI short_path_name(const wchar_t* path, wchar_t* out, DWORD size) {
  return g.exe.empty() ? GetShortPathNameW(path, out, size) : given(g.short_exe, out, size);
}

// The id of the record the store made last.
std::wstring made_id() {
  for (auto it = g.created.rbegin(); it != g.created.rend(); ++it)
    if (starts(*it, kSchedules + L"\\")) return it->substr(kSchedules.size() + 1);
  return L"";
}

// ---- the registry and the locks as they are -----------------------------------
bool has_record(const std::wstring& id) {
  HKEY key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, record_path(id).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS &&
         RegCloseKey(key) == ERROR_SUCCESS;
}

std::wstring run_value(const std::wstring& id) {
  wchar_t data[1024] = L"";
  DWORD size = sizeof data, type = 0;
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_READ, &run) != ERROR_SUCCESS) return L"";
  RegQueryValueExW(run, (L"定时器 " + id).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(run);
  return data;
}

// What the record reads back as, through the reader; nothing when it is
// gone or would not read.
std::optional<ScheduleRecord> kept(const std::wstring& id) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, record_path(id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  std::vector<RawValue> values;
  for (const char* name : rt::store::kRecordValueNames) {
    BYTE data[512];
    DWORD size = sizeof data, type = 0;
    if (RegQueryValueExW(key, std::wstring(name, name + strlen(name)).c_str(), nullptr, &type, data, &size)) continue;
    const std::string gbk = rt::to_gbk(reinterpret_cast<const wchar_t*>(data));
    values.push_back({name, type, type == REG_SZ ? std::vector<uint8_t>(gbk.begin(), gbk.end())
                                                 : std::vector<uint8_t>(data, data + size)});
  }
  RegCloseKey(key);
  return rt::store::read_record(values);
}

std::wstring lock_name(const std::wstring& id) { return L"Global\\定时器." + id; }

// The program holds a handle of a record's lock exactly while it holds the
// lock, and a mutex without handles is gone.
bool lock_exists(const std::wstring& id) {
  const HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, lock_name(id).c_str());
  if (lock) CloseHandle(lock);
  return lock != nullptr;
}

// Another program holding a record's lock: a thread of its own (a mutex
// belongs to a thread), until `done` is set.
std::thread hold_elsewhere(const std::wstring& id, std::shared_future<void> done) {
  std::promise<void> held;
  std::future<void> taken = held.get_future();
  std::thread holder([id, done, held = std::move(held)]() mutable {
    const HANDLE lock = CreateMutexW(nullptr, TRUE, lock_name(id).c_str());
    held.set_value();
    done.wait();
    ReleaseMutex(lock);
    CloseHandle(lock);
  });
  taken.wait();
  return holder;
}

// ---- the schedule -------------------------------------------------------------
// 2026-12-09 22:45:10.123 universal, 关机 and 提醒: ticked; the date box
// holds a time of day too, which the record does not.
constexpr double kMoment = 46365 + 81910123 / 86400000.0;
const svc::KeptSchedule kSample{kMoment, true, false, true, "到点了", 46365.5, "22", "45", ""};
const ScheduleRecord kRecord{kMoment, true, false, true, "到点了", 46365, "22", "45", ""};

std::wstring command(const std::wstring& exe, const std::wstring& id) { return L"\"" + exe + L"\" /resume " + id; }

std::wstring this_exe() {
  wchar_t path[MAX_PATH * 4];
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4));
}

// A record as a program left it, with one value as given (a name with no
// bytes: left out; the bytes as UTF-16, the last `cut` of them dropped),
// and its Run value.
void plant(const std::wstring& id, const std::wstring& name = L"", DWORD type = 0, const std::wstring& bytes = L"",
           DWORD cut = 0) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, record_path(id).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  for (const RawValue& v : rt::store::record_values(kRecord)) {
    const std::wstring value_name(v.name.begin(), v.name.end());
    std::wstring wide = rt::to_wide(std::string(v.bytes.begin(), v.bytes.end()));
    const BYTE* data = v.type == REG_SZ ? reinterpret_cast<const BYTE*>(wide.c_str()) : v.bytes.data();
    DWORD type_of = v.type, size = v.type == REG_SZ ? (wide.size() + 1) * 2 : v.bytes.size();
    if (value_name == name && bytes.empty()) continue;
    if (value_name == name) {
      type_of = type;
      data = reinterpret_cast<const BYTE*>(bytes.c_str());
      size = bytes.size() * 2 - cut;
    }
    RegSetValueExW(key, value_name.c_str(), 0, type_of, data, size);
  }
  RegCloseKey(key);
  RegCreateKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  const std::wstring run = command(L"C:\\timer.exe", id);
  RegSetValueExW(key, (L"定时器 " + id).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(run.c_str()),
                 (run.size() + 1) * 2);
  RegCloseKey(key);
}

void remove_planted(const std::wstring& id) {
  RegDeleteKeyW(HKEY_CURRENT_USER, record_path(id).c_str());
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_SET_VALUE, &run) != ERROR_SUCCESS) return;
  RegDeleteValueW(run, (L"定时器 " + id).c_str());
  RegCloseKey(run);
}

class ScheduleStore : public ::testing::Test {
 protected:
  void SetUp() override {
    g = World{};
    rt::store::provide_store_services();
  }
  void TearDown() override {
    svc::forget_schedule();
    remove_planted(kPlanted);
  }

  rt::store::StoreCallsOverride recorded_{
      rt::store::StoreCalls{create_key, open_key, set_value, flush_key, module_file_name, short_path_name}};
};

TEST_F(ScheduleStore, KeepsARecordRewritesItInPlaceAndForgetsIt) {
  ASSERT_TRUE(svc::keep_schedule(kSample));
  const std::wstring id = made_id();
  EXPECT_TRUE(id.size() == 16 && rt::store::is_record_id(rt::to_gbk(id))) << rt::to_gbk(id);
  EXPECT_EQ(kept(id), kRecord);
  EXPECT_EQ(run_value(id), command(this_exe(), id));
  EXPECT_EQ(g.flushed, (Paths{record_path(id), kRun}));
  EXPECT_TRUE(lock_exists(id)) << "held while the record exists";

  g.created.clear();
  g.flushed.clear();
  svc::KeptSchedule changed = kSample;
  changed.shut_down = false;
  changed.reminder = "改了";
  ScheduleRecord expected = kRecord;
  expected.shut_down = false;
  expected.reminder = "改了";
  ASSERT_TRUE(svc::keep_schedule(changed));
  EXPECT_EQ(g.created, Paths{}) << "rewritten in place";
  EXPECT_EQ(kept(id), expected);
  EXPECT_EQ(g.flushed, Paths{record_path(id)});

  g.flushed.clear();
  svc::forget_schedule();
  EXPECT_FALSE(has_record(id));
  EXPECT_EQ(run_value(id), L"");
  EXPECT_EQ(g.flushed, (Paths{kRun, kSchedules})) << "the Run value first";
  EXPECT_FALSE(lock_exists(id));
  svc::forget_schedule();
  EXPECT_EQ(g.flushed.size(), 2u) << "nothing left to forget";

  g.paths[nullptr];  // the next record's key is made just before the store makes it
  ASSERT_TRUE(svc::keep_schedule(kSample));
  EXPECT_NE(made_id(), id) << "a new record";
  EXPECT_NE(record_path(made_id()), g.occupy) << "a key left behind is not this program's";
  RegDeleteKeyW(HKEY_CURRENT_USER, g.occupy.c_str());
}

// A write the registry refuses anywhere leaves nothing: no record, no Run
// value, no lock. The Run command keeps well under Windows' 260
// characters: the exe's path, else its short path, else nothing is kept.
TEST_F(ScheduleStore, NothingIsKeptHalfOrWithACommandTooLong) {
  const auto exe = [](std::size_t length) { return L"C:\\" + std::wstring(length - 13, L'd') + L"\\timer.exe"; };
  const std::wstring short_exe = L"C:\\DDDDDD~1\\TIMER~1.EXE";
  const struct {
    const char* what;
    std::wstring refused, exe = L"", short_exe = L"", in_command = L"";  // no command: nothing kept
  } cases[] = {
      {"the record's key refused", kSchedules},
      {"a value refused", L"Remind"},
      {"the Run value refused", L"定时器 "},
      {"the Run key's flush refused", L"flush:" + kRun},
      {"200 characters with the long path", L"", exe(173), short_exe, exe(173)},
      {"one more: the short path", L"", exe(174), short_exe, short_exe},
      {"the short path too long", L"", exe(300), exe(174)},
      {"no short path", L"", exe(300)},
  };
  for (const auto& c : cases) {
    g = World{};
    g.refused = c.refused;
    g.exe = c.exe;
    g.short_exe = c.short_exe;
    const bool kept_one = c.refused.empty() && !c.in_command.empty();
    EXPECT_EQ(svc::keep_schedule(kSample), kept_one) << c.what;
    const std::wstring id = made_id();
    EXPECT_EQ(has_record(id) && !id.empty(), kept_one) << c.what;
    EXPECT_EQ(run_value(id), kept_one ? command(c.in_command, id) : L"") << c.what;
    EXPECT_EQ(lock_exists(id), kept_one) << c.what;
    svc::forget_schedule();
  }
}

TEST_F(ScheduleStore, AClaimedRecordIsThisProgramsUntilForgotten) {
  plant(kPlanted);
  const rt::store::Claimed claimed = rt::store::claim_record(rt::to_gbk(kPlanted));
  ASSERT_EQ(claimed.claim, Claim::Restored);
  EXPECT_EQ(claimed.record, kRecord);
  EXPECT_TRUE(lock_exists(kPlanted));

  ASSERT_TRUE(svc::keep_schedule(kSample));
  EXPECT_EQ(g.created, Paths{kRun}) << "no record made, the Run value written";
  EXPECT_EQ(run_value(kPlanted), command(this_exe(), kPlanted));
  svc::forget_schedule();
  EXPECT_FALSE(has_record(kPlanted));
  EXPECT_EQ(run_value(kPlanted), L"");
  EXPECT_FALSE(lock_exists(kPlanted));
}

TEST_F(ScheduleStore, AClaimLeavesAnotherProgramsRecordAndRemovesAnUntrustedOne) {
  const struct {
    const char* what;
    std::wstring id, name;  // the value planted otherwise, with its type and UTF-16
    DWORD type;
    std::wstring bytes;
    DWORD cut = 0;
    bool held_elsewhere = false;
  } cases[] = {
      {"another program holds it", kPlanted, L"", 0, L"", 0, true},
      {"the moment as a DWORD", kPlanted, L"Moment", REG_DWORD, L"\x0001\x0000"},
      {"a reminder GBK cannot hold", kPlanted, L"Reminder", REG_SZ, std::wstring(L"到点了\x0E01", 5)},
      {"a text of odd size", kPlanted, L"Hour", REG_SZ, L"22", 1},
      {"a value missing", kPlanted, L"Second", REG_SZ, L""},
      {"an id that is none", L"zz", L"", 0, L""},
  };
  for (const auto& c : cases) {
    plant(c.id, c.name, c.type, c.bytes, c.cut);
    {
      std::promise<void> done;
      std::thread other;
      if (c.held_elsewhere) other = hold_elsewhere(c.id, done.get_future().share());
      EXPECT_EQ(rt::store::claim_record(rt::to_gbk(c.id)).claim,
                c.held_elsewhere ? Claim::OwnedElsewhere : Claim::Unreadable)
          << c.what;
      done.set_value();
      if (other.joinable()) other.join();
    }
    // A key no record id names is never made into a path by the store.
    EXPECT_EQ(has_record(c.id), c.held_elsewhere || c.id != kPlanted) << c.what;
    EXPECT_EQ(run_value(c.id).empty(), !c.held_elsewhere) << c.what;
    EXPECT_FALSE(lock_exists(c.id)) << c.what << ": nor taken";
    remove_planted(c.id);
  }
  plant(kPlanted);
  RegDeleteKeyW(HKEY_CURRENT_USER, record_path(kPlanted).c_str());
  EXPECT_EQ(rt::store::claim_record(rt::to_gbk(kPlanted)).claim, Claim::Unreadable) << "no record, only its Run value";
  EXPECT_EQ(run_value(kPlanted), L"");
}

}  // namespace
