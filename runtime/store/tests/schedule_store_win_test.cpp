// The kept schedule on Wine's own registry and mutexes: what keep schedule
// writes and flushes, a rewrite in place, forget, a write the registry
// refuses, the Run command's length, and the claim of a record at start.
// The store's calls pass through a recorder that notes the keys it made and
// flushed, and can refuse one call or give the exe another path.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "schedule_store_win.h"
#include "services.h"

namespace {

using rt::store::Claim;
using Paths = std::vector<std::wstring>;
using Values = std::map<std::wstring, std::wstring>;  // name: "type:payload" (described below)

const std::wstring kSchedules = L"Software\\定时器\\Schedules";
const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kPlanted = L"00C0FFEE";

std::wstring record_path(const std::wstring& id) { return kSchedules + L"\\" + id; }
std::wstring run_name(const std::wstring& id) { return L"定时器 " + id; }
std::string narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }
bool starts(const std::wstring& s, const std::wstring& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// ---- the recorder -----------------------------------------------------------
struct World {
  std::map<HKEY, std::wstring> paths;  // of the keys opened
  Paths created, flushed;
  std::wstring refused;  // a key made, a value set or "flush:" a key's path that starts so fails
  std::wstring exe, short_exe;
  bool occupy_next = false;  // the next record's key is made just before the store makes it
  std::wstring occupied;
} g;

bool refused(const std::wstring& s) { return !g.refused.empty() && starts(s, g.refused); }

LONG WINAPI create_key(HKEY root, const wchar_t* path, DWORD reserved, wchar_t* key_class, DWORD options, REGSAM access,
                       SECURITY_ATTRIBUTES* security, HKEY* key, DWORD* disposition) {
  if (refused(path)) return ERROR_ACCESS_DENIED;
  if (g.occupy_next && starts(path, kSchedules + L"\\")) {
    g.occupy_next = false;
    g.occupied = path;
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ, nullptr, key, nullptr);
    RegCloseKey(*key);
  }
  const LONG status = RegCreateKeyExW(root, path, reserved, key_class, options, access, security, key, disposition);
  if (status == ERROR_SUCCESS) {
    g.paths[*key] = path;
    g.created.push_back(path);
  }
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

// ---- the registry as it is ----------------------------------------------------
// A text as "sz:" and its characters, its terminator dropped; a number as its
// type and its value.
std::wstring described(DWORD type, const std::vector<uint8_t>& data) {
  if (type == REG_SZ) {
    std::wstring text(data.size() / 2, L'\0');
    std::copy(data.begin(), data.begin() + text.size() * 2, reinterpret_cast<uint8_t*>(&text[0]));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return L"sz:" + text;
  }
  uint64_t n = 0;
  for (std::size_t i = data.size(); i-- > 0;) n = n << 8 | data[i];
  return std::to_wstring(type) + L":" + std::to_wstring(n);
}

Values stored(const std::wstring& path) {
  Values values;
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return values;
  wchar_t name[256];
  std::vector<uint8_t> data(1 << 16);
  for (DWORD i = 0, length = 256, type, size = data.size();
       RegEnumValueW(key, i, name, &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
       ++i, length = 256, size = data.size())
    values[name] = described(type, std::vector<uint8_t>(data.begin(), data.begin() + size));
  RegCloseKey(key);
  return values;
}

bool has_record(const std::wstring& id) {
  HKEY key;
  return RegOpenKeyExW(HKEY_CURRENT_USER, record_path(id).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS &&
         RegCloseKey(key) == ERROR_SUCCESS;
}

std::wstring run_value(const std::wstring& id) {
  const Values run = stored(kRun);
  const auto it = run.find(run_name(id));
  return it == run.end() ? L"" : it->second;
}

// Values as described, and "odd:" for a text one byte short.
void set(HKEY key, const std::wstring& name, const std::wstring& value) {
  const std::wstring kind = value.substr(0, value.find(L':')), payload = value.substr(kind.size() + 1);
  if (kind == L"sz" || kind == L"odd") {
    const auto size = static_cast<DWORD>(kind == L"sz" ? (payload.size() + 1) * 2 : payload.size() * 2 - 1);
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(payload.c_str()), size);
    return;
  }
  const uint64_t n = std::stoull(payload);
  const DWORD type = std::stoul(kind);
  RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(&n), type == REG_QWORD ? 8 : 4);
}

// A record (none without values) and its Run value, as a program left them.
void plant(const std::wstring& id, const Values& values) {
  HKEY key;
  if (!values.empty() && RegCreateKeyExW(HKEY_CURRENT_USER, record_path(id).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                         nullptr, &key, nullptr) == ERROR_SUCCESS) {
    for (const auto& [name, value] : values) set(key, name, value);
    RegCloseKey(key);
  }
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    set(key, run_name(id), L"sz:\"C:\\timer.exe\" /resume " + id);
    RegCloseKey(key);
  }
}

void remove_planted(const std::wstring& id) {
  RegDeleteKeyW(HKEY_CURRENT_USER, record_path(id).c_str());
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_SET_VALUE, &run) != ERROR_SUCCESS) return;
  RegDeleteValueW(run, run_name(id).c_str());
  RegCloseKey(run);
}

// ---- locks --------------------------------------------------------------------
std::wstring lock_name(const std::wstring& id) { return L"Global\\定时器." + id; }

// The program holds a handle of a record's lock exactly while it holds the
// lock, and a mutex without handles is gone.
bool lock_exists(const std::wstring& id) {
  const HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, lock_name(id).c_str());
  if (lock) CloseHandle(lock);
  return lock != nullptr;
}

// Another program holding a record's lock: a thread of its own (a mutex
// belongs to a thread), until the object goes.
class OtherHolder {
 public:
  explicit OtherHolder(const std::wstring& id)
      : thread_([this, id] {
          const HANDLE lock = CreateMutexW(nullptr, TRUE, lock_name(id).c_str());
          SetEvent(held_);
          WaitForSingleObject(done_, INFINITE);
          ReleaseMutex(lock);
          CloseHandle(lock);
        }) {
    WaitForSingleObject(held_, INFINITE);
  }
  ~OtherHolder() {
    SetEvent(done_);
    thread_.join();
    CloseHandle(held_);
    CloseHandle(done_);
  }

 private:
  HANDLE held_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread thread_;
};

// ---- the schedule -------------------------------------------------------------
// 2026-12-09 22:45:10.123 universal, 关机 and 提醒: ticked; the date box
// holds a time of day too.
constexpr double kMoment = 46365 + 81910123 / 86400000.0;
const svc::KeptSchedule kSample{kMoment, true, false, true, "到点了", 46365.5, "22", "45", ""};
const Values kSampleValues = {
    {L"Moment", L"11:134413299101230000"}, {L"Shutdown", L"4:1"},    {L"Music", L"4:0"},
    {L"Remind", L"4:1"},                   {L"Reminder", L"sz:到点了"}, {L"Date", L"sz:2026-12-09"},
    {L"Hour", L"sz:22"},                   {L"Minute", L"sz:45"},     {L"Second", L"sz:"}};

// The sample with a value changed, or removed when given none.
Values with(Values values, const std::wstring& name, const std::wstring& value) {
  if (value.empty()) values.erase(name);
  if (!value.empty()) values[name] = value;
  return values;
}

std::wstring command(const std::wstring& exe, const std::wstring& id) { return L"sz:\"" + exe + L"\" /resume " + id; }

std::wstring this_exe() {
  wchar_t path[MAX_PATH * 4];
  return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4));
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
  EXPECT_TRUE(id.size() == 16 && rt::store::is_record_id(narrow(id))) << id;
  EXPECT_EQ(stored(record_path(id)), kSampleValues);
  EXPECT_EQ(run_value(id), command(this_exe(), id));
  EXPECT_EQ(g.flushed, (Paths{record_path(id), kRun}));
  EXPECT_TRUE(lock_exists(id)) << "held while the record exists";

  g.created.clear();
  g.flushed.clear();
  svc::KeptSchedule changed = kSample;
  changed.shut_down = false;
  changed.reminder = "改了";
  changed.second = "5";
  ASSERT_TRUE(svc::keep_schedule(changed));
  EXPECT_EQ(g.created, Paths{}) << "rewritten in place";
  EXPECT_EQ(stored(record_path(id)),
            with(with(with(kSampleValues, L"Shutdown", L"4:0"), L"Reminder", L"sz:改了"), L"Second", L"sz:5"));
  EXPECT_EQ(g.flushed, Paths{record_path(id)});

  g.flushed.clear();
  svc::forget_schedule();
  EXPECT_FALSE(has_record(id));
  EXPECT_EQ(run_value(id), L"");
  EXPECT_EQ(g.flushed, (Paths{kRun, kSchedules})) << "the Run value first";
  EXPECT_FALSE(lock_exists(id));
  svc::forget_schedule();
  EXPECT_EQ(g.flushed.size(), 2u) << "nothing left to forget";

  g.occupy_next = true;
  ASSERT_TRUE(svc::keep_schedule(kSample));
  EXPECT_NE(made_id(), id) << "a new record";
  EXPECT_NE(record_path(made_id()), g.occupied) << "a key left behind is not this program's";
  EXPECT_EQ(stored(g.occupied), Values{});
  RegDeleteKeyW(HKEY_CURRENT_USER, g.occupied.c_str());
}

TEST_F(ScheduleStore, ARefusedWriteKeepsNothing) {
  for (const std::wstring& refusal : {kSchedules, std::wstring(L"Remind"), std::wstring(L"定时器 "), L"flush:" + kRun}) {
    g = World{};
    g.refused = refusal;
    EXPECT_FALSE(svc::keep_schedule(kSample)) << refusal;
    const std::wstring id = made_id();
    EXPECT_EQ(id.empty(), refusal == kSchedules) << refusal;
    if (id.empty()) continue;
    EXPECT_FALSE(has_record(id)) << refusal;
    EXPECT_EQ(run_value(id), L"") << refusal;
    EXPECT_FALSE(lock_exists(id)) << refusal;
  }
  g = World{};
  EXPECT_TRUE(svc::keep_schedule(kSample)) << "kept once the registry takes it";
}

TEST_F(ScheduleStore, TheRunCommandStaysWellUnderItsLimit) {
  // "<exe>" /resume <16 digits>: 27 characters besides the exe.
  const auto exe = [](std::size_t length) { return L"C:\\" + std::wstring(length - 13, L'd') + L"\\timer.exe"; };
  const std::wstring short_exe = L"C:\\DDDDDD~1\\TIMER~1.EXE";
  const struct {
    const char* what;
    std::wstring exe, short_exe, in_command;  // none: nothing kept
  } cases[] = {
      {"200 characters with the long path", exe(173), short_exe, exe(173)},
      {"one more: the short path", exe(174), short_exe, short_exe},
      {"the short path too long", exe(300), exe(174), L""},
      {"no short path", exe(300), L"", L""},
  };
  for (const auto& c : cases) {
    g = World{};
    g.exe = c.exe;
    g.short_exe = c.short_exe;
    EXPECT_EQ(svc::keep_schedule(kSample), !c.in_command.empty()) << c.what;
    const std::wstring id = made_id();
    EXPECT_EQ(id.empty(), c.in_command.empty()) << c.what << ": a key made only for a command";
    EXPECT_EQ(run_value(id), id.empty() ? L"" : command(c.in_command, id)) << c.what;
    svc::forget_schedule();
  }
}

TEST_F(ScheduleStore, AClaimedRecordIsThisProgramsUntilForgotten) {
  plant(kPlanted, kSampleValues);
  const rt::store::Claimed claimed = rt::store::claim_record(narrow(kPlanted));
  ASSERT_EQ(claimed.claim, Claim::Restored);
  const rt::store::ScheduleRecord& r = claimed.record;
  EXPECT_NEAR(r.moment, kMoment, 1e-9);
  EXPECT_TRUE(r.shut_down && !r.music && r.remind);
  EXPECT_EQ(r.reminder + "|" + r.hour + "|" + r.minute + "|" + r.second, "到点了|22|45|");
  EXPECT_EQ(r.date, 46365.0);
  EXPECT_TRUE(lock_exists(kPlanted));

  svc::KeptSchedule changed = kSample;
  changed.reminder = "改了";
  ASSERT_TRUE(svc::keep_schedule(changed));
  EXPECT_EQ(g.created, Paths{kRun}) << "no record made";
  EXPECT_EQ(stored(record_path(kPlanted)), with(kSampleValues, L"Reminder", L"sz:改了"));
  EXPECT_EQ(run_value(kPlanted), command(this_exe(), kPlanted));

  svc::forget_schedule();
  EXPECT_FALSE(has_record(kPlanted));
  EXPECT_EQ(run_value(kPlanted), L"");
  EXPECT_FALSE(lock_exists(kPlanted));
}

TEST_F(ScheduleStore, AClaimLeavesAnotherProgramsRecordAndRemovesAnUntrustedOne) {
  const struct {
    const char* what;
    std::wstring id;
    Values values;  // none: no record
    bool held_elsewhere;
  } cases[] = {
      {"another program holds it", kPlanted, kSampleValues, true},
      {"no record, only its Run value", kPlanted, {}, false},
      {"the moment as a DWORD", kPlanted, with(kSampleValues, L"Moment", L"4:1"), false},
      {"a reminder GBK cannot hold", kPlanted, with(kSampleValues, L"Reminder", L"sz:到点了ก"), false},
      {"a text of odd size", kPlanted, with(kSampleValues, L"Hour", L"odd:22"), false},
      {"a value missing", kPlanted, with(kSampleValues, L"Second", L""), false},
      {"an id that is none", L"zz", {}, false},
  };
  for (const auto& c : cases) {
    plant(c.id, c.values);
    {
      std::optional<OtherHolder> other;
      if (c.held_elsewhere) other.emplace(c.id);
      EXPECT_EQ(rt::store::claim_record(narrow(c.id)).claim,
                c.held_elsewhere ? Claim::OwnedElsewhere : Claim::Unreadable)
          << c.what;
    }
    EXPECT_EQ(stored(record_path(c.id)), c.held_elsewhere ? c.values : Values{}) << c.what;
    EXPECT_EQ(has_record(c.id), c.held_elsewhere) << c.what;
    EXPECT_EQ(run_value(c.id).empty(), !c.held_elsewhere) << c.what;
    EXPECT_FALSE(lock_exists(c.id)) << c.what << ": nor taken";
    remove_planted(c.id);
  }
}

}  // namespace
