// Starting a schedule on the loaded main window in the zone of New York (the
// test runs with TZ=America/New_York): the count is the real seconds from now
// to the target, across the changes of clocks too. The clock is faked; the
// zone's rules and the conversion are the program's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "datetime.h"
#include "datetime_text.h"
#include "fatal_catcher.h"
#include "gui_test_support.h"
#include "layout_facts.h"
#include "layouts.h"
#include "main_window.h"
#include "property_rules.h"
#include "schedule_setup.h"
#include "service.h"
#include "start_win.h"
#include "window_runtime.h"

namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;


double g_local_now = 0, g_universal_now = 0;
bool g_refused = false;

void local_now(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, g_local_now); }
void universal_now(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, g_universal_now); }
void refuse(rt::Result&, int, const rt::Arg*) { g_refused = true; }

class ScheduleSetup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    rt::start_runtime();
    rt::start_windows(layouts::kAll, layouts::kCount, nullptr, 0);
  }

  void SetUp() override {
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, 300) << "Wine did not take the zone of TZ=America/New_York";
    ASSERT_TRUE(rt::load_window(mw::kWindow, 0, false));
  }
  void TearDown() override { gui::close_all_windows(); }

  // Clicks 定时 at the given moment for a target entered in the boxes, and
  // gives what the label shows, or "refused".
  static std::string count(const char* local, const char* universal, const char* target, const char* minute = nullptr) {
    g_local_now = rt::read_datetime(local);
    g_universal_now = rt::read_datetime(universal);
    g_refused = false;
    const rt::CalendarFields t = rt::calendar_fields(rt::read_datetime(target));
    const double date = rt::build_datetime(t.year, t.month, t.day, 0, 0, 0);
    rt::put_double(mw::kWindow, mw::日期框_日期, prop::kSelectedDate, date);
    const HWND hour = GetDlgItem(gui::frame(mw::kWindow), layouts::unit_index(mw::kLayout, mw::组合框_时));
    SendMessageW(hour, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(t.hour).c_str()));
    SendMessageW(hour, CB_SETCURSEL, SendMessageW(hour, CB_GETCOUNT, 0, 0) - 1, 0);
    const std::string minute_text = minute ? minute : std::to_string(t.minute);
    rt::put_text(mw::kWindow, mw::组合框_分, prop::kComboContent, minute_text.c_str());
    rt::put_text(mw::kWindow, mw::组合框_秒, prop::kComboContent, std::to_string(t.second).c_str());
    rt::put_text(mw::kWindow, mw::按钮1, prop::kButtonCaption, "定时");
    schedule::on_schedule_button();
    return g_refused ? "refused" : rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption).c_str();
  }

  FatalCatcher fatal_;  // a fatal error fails the test instead of ending it
  rt::ServiceOverride now_{rt::Service::Now, local_now};
  rt::ServiceOverride universal_{rt::Service::UniversalNow, universal_now};
  rt::ServiceOverride box_{rt::Service::MessageBox, refuse};
};

TEST_F(ScheduleSetup, TheCountIsRealSecondsToTheTarget) {
  const struct {
    const char *local, *universal, *target, *shown;
  } rows[] = {
      {"2024-11-03 00:30:00", "2024-11-03 04:30:00", "2024-11-03 03:00:00", "12600"},  // the clocks go back at 02:00
      {"2024-11-03 00:30:00", "2024-11-03 04:30:00", "2024-11-03 01:30:00", "3600"},   // the first of the two
      {"2024-11-03 01:10:00", "2024-11-03 06:10:00", "2024-11-03 01:50:00", "2400"},   // now in the second: to it
      {"2024-11-03 03:00:00", "2024-11-03 08:00:00", "2024-11-03 00:30:00", "12599"},  // behind: one less
      {"2024-03-10 01:00:00", "2024-03-10 06:00:00", "2024-03-10 02:30:00", "3600"},   // skipped: to 03:00
      {"2024-07-01 12:00:00", "2024-07-01 16:00:00", "2024-07-01 13:00:00", "3600"},
      {"2006-03-20 12:00:00", "2006-03-20 17:00:00", "2006-03-20 13:00:00", "3600"},  // daylight time from April 2
  };
  for (const auto& r : rows) EXPECT_EQ(count(r.local, r.universal, r.target), r.shown) << r.local << " to " << r.target;
}

// The only target before 1601 the boxes can give is one that does not read
// (the date box begins in 1752), which is 100-01-01. No zone rules reach it,
// so its count is taken between local times: with a local clock a day past
// it, the count is a day less one second; against universal now it would not fit.
TEST_F(ScheduleSetup, ATargetNoZoneRulesReachCountsBetweenLocalTimes) {
  EXPECT_EQ(count("100-01-02 00:00:00", "2024-07-01 16:00:00", "2024-07-01 13:00:00", "75"), "86399");
  EXPECT_EQ(count("2024-07-01 12:00:00", "2024-07-01 16:00:00", "2024-07-01 13:00:00", "75"), "refused");
}

}  // namespace
