// What a person may type, paste or pick in the main window that the program
// does not expect. Each gets an answer (the schedule counts, or the notice
// "未设置完整时间!" refuses it, or the reminder box shows the text as the
// reminder box holds it), and the program goes on: its clock keeps ticking
// and it ends with exit code 0 when closed.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;

class BadInput : public ss::MainWindowTest {
 protected:
  // The clock label changes within a few seconds: the program is alive.
  bool clock_ticks() const {
    const std::wstring shown = drv::text_of(unit(kNowLabel));
    return drv::wait_until([&] { return drv::text_of(unit(kNowLabel)) != shown; }, 5000);
  }

  void click_start() { ASSERT_TRUE(drv::click(unit(kStartButton))); }

  // Counting, with the count the program should show for a target that lay
  // `distance` seconds ahead (negative: behind) when it was clicked; a second
  // boundary may fall between the reading of the clock and the click.
  void expect_counting(long long distance) {
    ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; })) << "the schedule starts";
    const long long expected = distance >= 0 ? distance : -distance - 1;
    const std::wstring count = remaining();
    EXPECT_TRUE(count == std::to_wstring(expected) || count == std::to_wstring(expected - 1) ||
                count == std::to_wstring(expected + 1))
        << drv::utf8(count) << ", expected " << expected;
  }

  // With 提醒 checked, a schedule of one second fires; the reminder box that
  // it shows (a huge box may take a while to lay out).
  ss::Box fire_reminder() {
    EXPECT_TRUE(ss::check(app_.window, kCheckReminder));
    EXPECT_TRUE(ss::start_count(app_.window, 1));
    const ss::Box box = ss::wait_for_box(app_.process.id(), 30000);
    EXPECT_NE(box.window, nullptr) << "no reminder box";
    EXPECT_EQ(box.caption, L"提醒");
    return box;
  }
};

// The moment at `minute`:`second` of `t`'s day and hour.
SYSTEMTIME at(SYSTEMTIME t, int minute, int second) {
  t.wMinute = static_cast<WORD>(minute);
  t.wSecond = static_cast<WORD>(second);
  return t;
}
SYSTEMTIME today_at(int hour, int minute, int second) {
  SYSTEMTIME t = ss::local_time_plus(0);
  t.wHour = static_cast<WORD>(hour);
  return at(t, minute, second);
}
// A moment in the next hour, which is tomorrow's first hour late in the day.
SYSTEMTIME next_hour_at(int minute, int second) { return at(ss::local_time_plus(3600), minute, second); }

// A single-line edit box takes text up to its limit: the paste keeps the
// first characters of the megabyte. When the schedule fires, the reminder
// box holds all of those; it grows far taller than the screen (its OK
// button out of reach of the mouse), and Enter closes it.
TEST_F(BadInput, AMegabytePastedIntoTheReminderKeepsWhatTheBoxTakesAndTheReminderBoxHoldsIt) {
  const std::wstring piece = L"到点提醒0123456789";
  std::wstring text;
  while (text.size() < (1u << 20)) text += piece;
  const HWND edit = unit(kReminderEdit);
  const size_t limit = static_cast<size_t>(drv::ask(edit, EM_GETLIMITTEXT).value_or(0));
  ASSERT_GT(limit, 0u);
  ASSERT_LT(limit, text.size());

  ASSERT_TRUE(drv::put_on_clipboard(text));
  ASSERT_TRUE(ss::focus_unit(app_.window, kReminderEdit));
  ASSERT_TRUE(drv::press_key('V', drv::kControl));
  ASSERT_TRUE(drv::wait_until([&] { return drv::ask(edit, WM_GETTEXTLENGTH).value_or(0) > 0; }, 10000));
  EXPECT_EQ(drv::text_of(edit), text.substr(0, limit)) << "the first " << limit << " characters";
  std::printf("the reminder box took %zu of %zu characters\n", limit, text.size());
  EXPECT_TRUE(clock_ticks());

  const ss::Box box = fire_reminder();
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text.size(), limit);
  EXPECT_TRUE(box.text == text.substr(0, limit)) << "the box shows other text";
  const RECT outer = drv::screen_rect(box.window), inner = drv::screen_rect(drv::child_by_id(box.window, 0xFFFF));
  std::printf("the box spans %ld..%ld (its text %ld..%ld) of a screen %d high\n", outer.top, outer.bottom, inner.top,
              inner.bottom, kScreenHeight);
  scn::take_desktop_shot(L"bad_input_megabyte_reminder");
  EXPECT_TRUE(ss::close_box(box));
  EXPECT_TRUE(clock_ticks());
}

// A reminder of nothing but spaces is a text like any other: the box shows
// the spaces as they were typed.
TEST_F(BadInput, AReminderOfOnlySpacesIsShownAsItIs) {
  const std::wstring spaces(5, L' ');
  ASSERT_TRUE(ss::focus_unit(app_.window, kReminderEdit));
  ASSERT_TRUE(drv::type_text(spaces));
  ASSERT_TRUE(drv::wait_until([&] { return drv::text_of(unit(kReminderEdit)) == spaces; }));
  const ss::Box box = fire_reminder();
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text, spaces);
  EXPECT_TRUE(ss::close_box(box));
  EXPECT_EQ(button(), L"定时");
  EXPECT_EQ(remaining(), L"0");
  EXPECT_TRUE(clock_ticks());
}

// Letters make the target text unreadable: refused. Full-width digits read
// as digits.
TEST_F(BadInput, LettersInTheTimeBoxesAreRefusedFullWidthDigitsCount) {
  struct Case {
    const wchar_t* minute;
    const wchar_t* second;
  };
  for (const Case& c : {Case{L"ab", L"0"}, Case{L"30", L"1x"}, Case{L"三十", L"0"}}) {
    SCOPED_TRACE(drv::utf8(c.minute) + " " + drv::utf8(c.second));
    ASSERT_TRUE(ss::enter_time(app_.window, 5, c.minute, c.second));
    click_start();
    expect_refused();
  }

  const SYSTEMTIME target = next_hour_at(30, 15);
  ASSERT_TRUE(ss::set_date(app_.window, target));
  ASSERT_TRUE(ss::enter_time(app_.window, target.wHour, L"３０", L"１５"));
  const long long distance = ss::seconds_between(ss::local_time_plus(0), target);
  click_start();
  expect_counting(distance);
}

// The hour box starts without a selection. Left so, the hour is absent from
// the target text, which reads it as hour 0 of the chosen day.
TEST_F(BadInput, AnEmptyHourBoxCountsFromMidnight) {
  ASSERT_EQ(drv::combo_selection(unit(kHourBox)), -1) << "no hour chosen at the start";
  ASSERT_TRUE(ss::enter_time(app_.window, -1, L"30", L"0"));
  const long long distance = ss::seconds_between(ss::local_time_plus(0), today_at(0, 30, 0));
  click_start();
  expect_counting(distance);
}

// A hundred starts and stops, each as soon as the button shows the last one
// took: the program ends idle, with the count of the last start, and no box.
TEST_F(BadInput, AHundredQuickStartsAndStopsEndIdle) {
  const SYSTEMTIME target = next_hour_at(0, 0);
  ASSERT_TRUE(ss::set_date(app_.window, target));
  ASSERT_TRUE(ss::enter_time(app_.window, target.wHour, L"0", L"0"));
  const HWND start = unit(kStartButton);
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(drv::click(start));
    ASSERT_TRUE(drv::wait_until([&] { return button() == L"停止"; })) << "start " << i;
    ASSERT_TRUE(drv::click(start));
    ASSERT_TRUE(drv::wait_until([&] { return button() == L"定时"; })) << "stop " << i;
  }
  const long long left = ss::seconds_between(ss::local_time_plus(0), target);
  const std::wstring count = remaining();
  EXPECT_GE(std::stoll(count), left - 1);
  EXPECT_LE(std::stoll(count), 3600);
  EXPECT_EQ(drv::find_window({L"", L"#32770", app_.process.id()}), nullptr) << "no message box";
  EXPECT_TRUE(clock_ticks());
  EXPECT_TRUE(clock_ticks());
  EXPECT_EQ(remaining(), count) << "the countdown is stopped";
}

// The first and the last day the date box takes lie far more than 2^31
// seconds from now: no count of seconds exists, and the start is refused.
TEST_F(BadInput, TheDateBoxsFirstAndLastDayAreRefused) {
  const HWND date = unit(kDateBox);
  SYSTEMTIME first{}, last{};
  ASSERT_TRUE(drv::date_box_extremes(date, &first, &last));
  std::printf("the date box takes %u-%u-%u to %u-%u-%u\n", first.wYear, first.wMonth, first.wDay, last.wYear,
              last.wMonth, last.wDay);
  ASSERT_TRUE(ss::enter_time(app_.window, 12, L"0", L"0"));
  for (const SYSTEMTIME& day : {first, last}) {
    SCOPED_TRACE(std::to_string(day.wYear) + "-" + std::to_string(day.wMonth) + "-" + std::to_string(day.wDay));
    ASSERT_TRUE(drv::set_date_box_time(date, day));
    click_start();
    expect_refused();
  }
}

}  // namespace
