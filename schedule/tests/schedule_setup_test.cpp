// Starting a schedule on the loaded main window in the zone of New York (the
// test runs with TZ=America/New_York): the count is the real seconds from now
// to the target, across the changes of clocks too. The clock is faked; the
// zone's rules and the conversion are the program's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "datetime.h"
#include "datetime_text.h"
#include "layout_facts.h"
#include "main_window_handlers.h"
#include "message_box.h"
#include "property_rules.h"
#include "schedule_setup.h"
#include "service.h"

namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

// The box that refuses a target: its text, caption and style (the
// information icon) as the message box service reads them.
const char kRefused[] = "未设置完整时间! 提示 64";

double g_local_now = 0, g_universal_now = 0;
std::string g_box;

void local_now(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, g_local_now); }
void universal_clock(rt::Result& r, int, const rt::Arg*) { rt::set_double(r, g_universal_now); }
// The moment the schedule is kept with.
double g_kept_moment = 0;
void keep(rt::Result& r, int n, const rt::Arg* args) {
  g_kept_moment = rt::datetime_of(rt::arg_at(n, args, 0));
  rt::set_bool(r, true);
}
void box(rt::Result&, int n, const rt::Arg* args) {
  g_box = rt::box_text(rt::arg_at(n, args, 0)) + " " + rt::box_caption(rt::arg_at(n, args, 2)) + " " +
          std::to_string(rt::arg_at(n, args, 1).low);
}

class ScheduleSetup : public MainWindowHandlers {
 protected:
  void SetUp() override {
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, 300) << "Wine did not take the zone of TZ=America/New_York";
    MainWindowHandlers::SetUp();
  }

  // Clicks 定时 at the given moment for a target entered in the boxes, and
  // gives what the label shows, or the box that refused it.
  static std::string count(const char* local, const char* universal, const char* target, const char* minute = nullptr) {
    g_local_now = rt::read_datetime(local);
    // A quarter of a second into the second: the count is of whole seconds,
    // the moment is the instant itself plus the count.
    g_universal_now = rt::add_seconds(rt::read_datetime(universal), 0.25);
    g_box.clear();
    g_kept_moment = 0;
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
    return g_box.empty() ? rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption).c_str() : g_box;
  }

  rt::ServiceOverride now_{rt::Service::Now, local_now};
  rt::ServiceOverride universal_{rt::Service::UniversalClock, universal_clock};
  rt::ServiceOverride keep_{rt::Service::KeepSchedule, keep};
  rt::ServiceOverride box_{rt::Service::MessageBox, box};
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
      // A count must fit 31 bits: 24837 days ahead it does, 24856 days ahead it does not.
      {"2024-07-01 12:00:00", "2024-07-01 16:00:00", "2092-07-01 12:00:00", "2145916800"},
      {"2024-07-01 12:00:00", "2024-07-01 16:00:00", "2092-07-20 12:00:00", kRefused},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.local) + " to " + r.target);
    EXPECT_EQ(count(r.local, r.universal, r.target), r.shown);
    if (std::string(r.shown) != kRefused) {
      EXPECT_NEAR(rt::seconds_between(g_universal_now, g_kept_moment), std::stod(r.shown), 0.001) << "now plus the count";
    }
  }
}

// The only target before 1601 the boxes can give is one that does not read
// (the date box begins in 1752), which is 100-01-01. No zone rules reach it,
// so its count is taken between local times: with a local clock a day past
// it, the count is a day less one second; against universal now it would not fit.
TEST_F(ScheduleSetup, ATargetNoZoneRulesReachCountsBetweenLocalTimes) {
  EXPECT_EQ(count("100-01-02 00:00:00", "2024-07-01 16:00:00", "2024-07-01 13:00:00", "75"), "86399");
  EXPECT_EQ(count("2024-07-01 12:00:00", "2024-07-01 16:00:00", "2024-07-01 13:00:00", "75"), kRefused);
}

}  // namespace
