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
using ss::record_ids;
using ss::run_entries;

std::wstring record_key(const std::wstring& id) { return std::wstring(ss::kSchedules) + L"\\" + id; }

// A flag of a record; 0xFFFF when it is not there.
DWORD record_dword(const std::wstring& id, const wchar_t* name) {
  DWORD value = 0xFFFF, size = sizeof value, type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, record_key(id).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
    RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (key) RegCloseKey(key);
  return type == REG_DWORD ? value : 0xFFFF;
}

bool nothing_kept() { return record_ids().empty() && run_entries().empty(); }

// A record and its Run value as a program counting to a moment `seconds`
// from now left them when Windows ended the session: 关机 and 音乐 ticked,
// 12:30:00 in the boxes; `moment_type` REG_QWORD as the program writes it.
// Then the sign-in: the program started on it.
drv::Process signed_in_on(const std::wstring& id, long long seconds, DWORD moment_type = REG_QWORD) {
  HKEY key = nullptr, run = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, record_key(id).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const unsigned long long moment =  // whole milliseconds, as the program keeps them
      ((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000 * 10000 +
      static_cast<unsigned long long>(seconds * 10000000LL);
  RegSetValueExW(key, L"Moment", 0, moment_type, reinterpret_cast<const BYTE*>(&moment), sizeof moment);
  const DWORD flags[] = {1, 1, 0};
  const wchar_t* flag_names[] = {L"Shutdown", L"Music", L"Remind"};
  for (int i = 0; i < 3; ++i) RegSetValueExW(key, flag_names[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags[i]), 4);
  for (const auto& [name, text] : std::map<std::wstring, std::wstring>{
           {L"Reminder", L""}, {L"Date", L"2026-12-09"}, {L"Hour", L"12"}, {L"Minute", L"30"}, {L"Second", L"0"}})
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  const std::wstring exe = drv::windows_path(scn::program(L"timer")), command = L"\"" + exe + L"\" /resume " + id;
  RegCreateKeyExW(HKEY_CURRENT_USER, ss::kRun, 0, nullptr, 0, KEY_WRITE, nullptr, &run, nullptr);
  RegSetValueExW(run, (kEntryPrefix + id).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(run);
  return drv::Process::start(exe, {L"/resume", id});
}

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

// At sign-in: a record whose moment lies ahead comes back as it was left,
// and a second start on it leaves it to the program that has it; one whose
// moment passed while the computer was off fires at once as a missed one
// (nothing shuts down, the box says what was missed); one that cannot be
// read is dropped with a notice, and the program starts as usual.
TEST_F(KeptSchedule, AtSignInAScheduleComesBackIsMissedOrIsDropped) {
  drv::ask(app_.window, WM_CLOSE);
  ASSERT_TRUE(scn::exits_with_zero(app_));
  scn::Launched back;
  back.process = signed_in_on(L"C0FFEE", 3600);
  back.window = drv::wait_for_window({kCaption, L"", back.process.id(), true});
  ASSERT_NE(back.window, nullptr);
  const auto shown = [&](int index) { return drv::text_of(ss::unit(back.window, index)); };
  EXPECT_EQ(shown(kStartButton), L"停止");
  const long long left = std::stoll(L"0" + shown(kRemainingLabel));
  EXPECT_TRUE(left > 3570 && left <= 3600) << left;
  EXPECT_EQ(shown(kHourBox) + L":" + shown(kMinuteBox) + L":" + shown(kSecondBox), L"12:30:0");
  EXPECT_EQ(drv::check_state(ss::unit(back.window, kCheckShutdown)), BST_CHECKED);
  EXPECT_EQ(drv::check_state(ss::unit(back.window, kCheckMusic)), BST_CHECKED);
  const auto date = drv::date_box_time(ss::unit(back.window, kDateBox));
  EXPECT_TRUE(date && date->wYear == 2026 && date->wMonth == 12 && date->wDay == 9);
  drv::Process again = drv::Process::start(drv::windows_path(scn::program(L"timer")), {L"/resume", L"C0FFEE"});
  EXPECT_EQ(again.wait_exit(drv::kPromptMs), std::optional<DWORD>(0)) << "the schedule counts elsewhere";
  ASSERT_TRUE(drv::click(ss::unit(back.window, kStartButton)));  // 停止
  EXPECT_TRUE(drv::wait_until(nothing_kept));
  drv::ask(back.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));

  const SYSTEMTIME missed = ss::local_time_plus(-3600);
  back.process = signed_in_on(L"C0FFEE", -3600);
  ss::Box box = ss::wait_for_box(back.process.id());
  EXPECT_EQ(box.caption, L"提醒");
  const std::wstring shown_moment = box.text.substr(0, box.text.find(L"\r\n"));
  EXPECT_TRUE(shown_moment == L"错过的定时：" + ss::datetime_text(missed) ||
              shown_moment == L"错过的定时：" + ss::datetime_text(ss::local_time_plus(-3599)))
      << drv::utf8(box.text);
  EXPECT_NE(box.text.find(L"\r\n计算机没有关闭。\r\n时间到!"), std::wstring::npos) << drv::utf8(box.text);
  EXPECT_TRUE(nothing_kept()) << "removed as it fired";
  EXPECT_EQ(drv::find_window({confirm_window::kCaption, L"", back.process.id(), true}), nullptr) << "no confirmation";
  ASSERT_TRUE(ss::close_box(box));
  drv::ask(drv::find_window({kCaption, L"", back.process.id(), true}), WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));

  back.process = signed_in_on(L"BAD0", 3600, REG_SZ);
  box = ss::wait_for_box(back.process.id());
  EXPECT_EQ(box.caption, L"提示");
  EXPECT_TRUE(nothing_kept()) << "the broken record and its entry are gone";
  ASSERT_TRUE(ss::close_box(box));
  back.window = drv::wait_for_window({kCaption, L"", back.process.id(), true});
  ASSERT_NE(back.window, nullptr);
  EXPECT_EQ(shown(kStartButton), L"定时");
  drv::ask(back.window, WM_CLOSE);
  EXPECT_TRUE(scn::exits_with_zero(back));
}

}  // namespace
