// Setting a schedule in timer.exe's main window: a target picked in the
// boxes becomes a count of seconds, "停止" stops it, and targets that are
// incomplete or cannot be read are refused. A schedule that counts is kept
// in the registry with the entry that brings it back at the next sign-in,
// until it ends.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;

class Schedule : public ss::MainWindowTest {
 protected:
  // Enters the target moment (its date too: near midnight it lies on
  // another day) and clicks "定时"; the count of seconds the program should
  // show is measured from the clock just before the click.
  void set_target(const SYSTEMTIME& target, long long* expected_distance) {
    ASSERT_TRUE(ss::set_date(app_.window, target));
    ASSERT_TRUE(ss::enter_time(app_.window, target.wHour, std::to_wstring(target.wMinute), std::to_wstring(target.wSecond)));
    *expected_distance = ss::seconds_between(ss::local_time_plus(0), target);
    ASSERT_TRUE(drv::click(unit(kStartButton)));
  }
};

TEST_F(Schedule, AnEmptySecondBoxIsRefused) {
  ASSERT_TRUE(ss::enter_time(app_.window, 5, L"30", L""));
  ASSERT_TRUE(drv::click(unit(kStartButton)));
  expect_refused();
}

TEST_F(Schedule, ASecondThatIsNoSecondIsRefused) {
  ASSERT_TRUE(ss::enter_time(app_.window, 5, L"30", L"75"));
  ASSERT_TRUE(drv::click(unit(kStartButton)));
  expect_refused();
}

TEST_F(Schedule, AnHourAheadCounts3600AndStopKeepsTheCount) {
  const SYSTEMTIME target = ss::local_time_plus(3600);
  long long distance = 0;
  set_target(target, &distance);
  ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; }));
  const std::wstring count = remaining();
  // a second boundary may fall between the clock reading and the click
  EXPECT_TRUE(count == std::to_wstring(distance) || count == std::to_wstring(distance - 1))
      << drv::utf8(count) << ", expected " << distance;
  EXPECT_GE(distance, 3595);
  scn::take_shot(app_.window, L"schedule_counting");

  ASSERT_TRUE(drv::click(unit(kStartButton)));
  EXPECT_TRUE(drv::wait_until([&] { return button() == L"定时"; }));
  EXPECT_EQ(remaining(), count) << "stopping keeps the count shown";
}

TEST_F(Schedule, ATargetInThePastCountsItsSecondsLessOne) {
  const SYSTEMTIME target = ss::local_time_plus(-10);
  long long distance = 0;
  set_target(target, &distance);  // negative: the target lies behind
  ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; }));
  const long long behind = -distance;
  const std::wstring count = remaining();
  EXPECT_TRUE(count == std::to_wstring(behind - 1) || count == std::to_wstring(behind))
      << drv::utf8(count) << ", expected " << behind - 1;
}

// ---- the kept schedule ------------------------------------------------------

using ss::kEntryPrefix;
using ss::kRun;
using ss::record_ids;
using ss::run_entries;

std::wstring record_key(const std::wstring& id) { return std::wstring(ss::kSchedules) + L"\\" + id; }

// A flag of a record; 0xFFFF when it is not there.
DWORD record_dword(const std::wstring& id, const wchar_t* name) {
  DWORD value = 0xFFFF, size = sizeof value, type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, record_key(id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    value = 0xFFFF;
  RegCloseKey(key);
  return value;
}

// Plants a record as a program that counted would have left it: the moment
// `seconds` from now (as a file time), 关机 and 音乐 ticked, a time of
// 12:30:00 in the boxes; `moment_type` REG_QWORD as the program writes it.
void plant_record(const std::wstring& id, long long seconds, DWORD moment_type = REG_QWORD) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, record_key(id).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  // The program keeps whole milliseconds.
  const unsigned long long moment =
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000 * 10000 +
      static_cast<unsigned long long>(seconds * 10000000LL);
  RegSetValueExW(key, L"Moment", 0, moment_type, reinterpret_cast<const BYTE*>(&moment), sizeof moment);
  const DWORD one = 1, zero = 0;
  RegSetValueExW(key, L"Shutdown", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  RegSetValueExW(key, L"Music", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
  RegSetValueExW(key, L"Remind", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  for (const auto& text : std::vector<std::pair<const wchar_t*, std::wstring>>{
           {L"Reminder", L""}, {L"Date", L"2026-12-09"}, {L"Hour", L"12"}, {L"Minute", L"30"}, {L"Second", L"0"}})
    RegSetValueExW(key, text.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.second.c_str()),
                   static_cast<DWORD>((text.second.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  HKEY run = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRun, 0, nullptr, 0, KEY_WRITE, nullptr, &run, nullptr), ERROR_SUCCESS);
  const std::wstring command = L"\"" + drv::windows_path(scn::program(L"timer")) + L"\" /resume " + id;
  RegSetValueExW(run, (kEntryPrefix + id).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(run);
}

// Starts an entry's command as a sign-in does: the program in quotes, then
// its arguments.
drv::Process sign_in(const std::wstring& command) {
  const size_t end = command.find(L'"', 1);
  std::vector<std::wstring> args;
  std::wstring rest = end == std::wstring::npos ? L"" : command.substr(end + 1);
  for (size_t at = 0; at < rest.size();) {
    const size_t next = rest.find(L' ', at);
    const std::wstring word = rest.substr(at, next == std::wstring::npos ? std::wstring::npos : next - at);
    if (!word.empty()) args.push_back(word);
    if (next == std::wstring::npos) break;
    at = next + 1;
  }
  return drv::Process::start(command.substr(1, end == std::wstring::npos ? 0 : end - 1), args);
}

bool nothing_kept() { return record_ids().empty() && run_entries().empty(); }

class KeptSchedule : public Schedule {
 protected:
  void SetUp() override {
    ss::forget_kept_schedules();
    Schedule::SetUp();
  }
  void TearDown() override {
    Schedule::TearDown();
    ss::forget_kept_schedules();
  }
  // The one record and its entry, once the program has written them.
  std::wstring kept_id() {
    std::vector<std::wstring> ids;
    drv::wait_until([&] { return (ids = record_ids()).size() == 1 && run_entries().size() == 1; });
    return ids.size() == 1 ? ids.front() : L"";
  }
};

// 定时 keeps the schedule with the entry that resumes it; a change of the
// check boxes reaches the record within a second or two; 停止 and the end of
// the program by the user take both away.
TEST_F(KeptSchedule, ACountingScheduleIsKeptUntilTheUserEndsIt) {
  long long distance = 0;
  ASSERT_TRUE(ss::check(app_.window, kCheckShutdown));
  set_target(ss::local_time_plus(3600), &distance);
  const std::wstring id = kept_id();
  ASSERT_FALSE(id.empty()) << "no record";
  const std::wstring exe = drv::windows_path(scn::program(L"timer"));
  EXPECT_EQ(run_entries()[kEntryPrefix + id], L"\"" + exe + L"\" /resume " + id);
  EXPECT_LT(run_entries()[kEntryPrefix + id].size(), 200u);
  EXPECT_EQ(record_dword(id, L"Shutdown"), 1u);
  EXPECT_EQ(record_dword(id, L"Music"), 0u);
  ASSERT_TRUE(ss::check(app_.window, kCheckMusic));
  EXPECT_TRUE(drv::wait_until([&] { return record_dword(id, L"Music") == 1; }, 3000)) << "音乐 ticked";

  ASSERT_TRUE(drv::click(unit(kStartButton)));  // 停止
  EXPECT_TRUE(drv::wait_until(nothing_kept)) << "stopped";

  ASSERT_TRUE(drv::click(unit(kStartButton)));  // 定时 once more
  ASSERT_FALSE(kept_id().empty());
  drv::ask(app_.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(app_));
  EXPECT_TRUE(nothing_kept()) << "closed by the user";
}

// Windows ends the session: the record and its entry stay, and the entry
// brings the schedule back as it was. A second start of the same entry
// leaves it to the program that has it.
TEST_F(KeptSchedule, WhenTheSessionEndsTheScheduleComesBackAtSignIn) {
  long long distance = 0;
  ASSERT_TRUE(ss::check(app_.window, kCheckReminder));
  ASSERT_TRUE(drv::click(unit(kReminderEdit)));
  ASSERT_TRUE(drv::type_text(L"开会"));
  const SYSTEMTIME target = ss::local_time_plus(3600);
  set_target(target, &distance);
  const std::wstring id = kept_id();
  ASSERT_FALSE(id.empty());
  EXPECT_TRUE(drv::ask(app_.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF).value_or(0)) << "the end is not refused";
  drv::ask(app_.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  app_.process.end();  // as Windows ends the processes of a session
  ASSERT_EQ(record_ids(), std::vector<std::wstring>{id});
  const std::wstring command = run_entries()[kEntryPrefix + id];

  scn::Launched back;
  back.process = sign_in(command);
  ASSERT_TRUE(back.process.started());
  back.window = drv::wait_for_window({kCaption, L"", back.process.id(), true});
  ASSERT_NE(back.window, nullptr);
  const HWND main = back.window;
  EXPECT_EQ(drv::text_of(ss::unit(main, kStartButton)), L"停止");
  const long long left = std::stoll(L"0" + drv::text_of(ss::unit(main, kRemainingLabel)));
  EXPECT_GE(left, distance - 30);
  EXPECT_LE(left, distance);
  EXPECT_EQ(drv::check_state(ss::unit(main, kCheckReminder)), BST_CHECKED);
  EXPECT_EQ(drv::text_of(ss::unit(main, kReminderEdit)), L"开会");
  EXPECT_EQ(drv::text_of(ss::unit(main, kHourBox)), std::to_wstring(target.wHour));
  EXPECT_EQ(drv::text_of(ss::unit(main, kMinuteBox)), std::to_wstring(target.wMinute));
  const auto date = drv::date_box_time(ss::unit(main, kDateBox));
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(date->wDay, target.wDay);

  drv::Process again = sign_in(command);
  EXPECT_EQ(again.wait_exit(drv::kPromptMs), std::optional<DWORD>(0)) << "the schedule counts elsewhere";
  ASSERT_TRUE(drv::click(ss::unit(main, kStartButton)));  // 停止
  EXPECT_TRUE(drv::wait_until(nothing_kept));
  drv::ask(main, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));
}

// A record whose moment passed while the computer was off fires as soon as
// it is back, as a missed one: nothing shuts down, the box says what was
// missed. One that cannot be read is dropped with a notice, and the program
// starts as usual.
TEST_F(KeptSchedule, AMissedMomentIsToldAndABrokenRecordIsDropped) {
  drv::ask(app_.window, WM_CLOSE);
  ASSERT_TRUE(scn::exits_with_zero(app_));
  plant_record(L"C0FFEE", -3600);
  scn::Launched back;
  back.process = sign_in(run_entries()[std::wstring(kEntryPrefix) + L"C0FFEE"]);
  ss::Box box = ss::wait_for_box(back.process.id());
  EXPECT_EQ(box.caption, L"提醒");
  EXPECT_EQ(box.text.rfind(L"错过的定时：", 0), 0u) << drv::utf8(box.text);
  EXPECT_NE(box.text.find(L"\r\n计算机没有关闭。\r\n时间到!"), std::wstring::npos) << drv::utf8(box.text);
  EXPECT_TRUE(nothing_kept()) << "removed as it fired";
  EXPECT_EQ(drv::find_window({confirm_window::kCaption, L"", back.process.id(), true}), nullptr) << "no confirmation";
  ASSERT_TRUE(ss::close_box(box));
  back.window = drv::find_window({kCaption, L"", back.process.id(), true});
  drv::ask(back.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));

  plant_record(L"BAD0", 3600, REG_SZ);
  back.process = sign_in(run_entries()[std::wstring(kEntryPrefix) + L"BAD0"]);
  box = ss::wait_for_box(back.process.id());
  EXPECT_EQ(box.caption, L"提示");
  EXPECT_TRUE(nothing_kept()) << "the broken record and its entry are gone";
  ASSERT_TRUE(ss::close_box(box));
  back.window = drv::wait_for_window({kCaption, L"", back.process.id(), true});
  ASSERT_NE(back.window, nullptr);
  EXPECT_EQ(drv::text_of(ss::unit(back.window, kStartButton)), L"定时");
  drv::ask(back.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));
}

}  // namespace
