// How late a schedule fires against the wall clock: timer.exe, driven from
// outside in a virtual desktop, counts 600 seconds (--seconds=N for another
// count) down to a target moment; the figure is the time from that moment
// until its box shows. The count is whole seconds from the start click, so
// the click is made early in its second, as a person's would land anywhere
// in it. A second row gives the ticks' own drift: from the click to the box,
// less the count.
#include <windows.h>

#include <algorithm>
#include <string>

#include "bench_report.h"
#include "driver.h"
#include "main_window_session.h"

namespace {

namespace ss = timer::session;
namespace mw = timer::main_window;

constexpr int kFillingSeconds = 5;  // entering the target before the click

// Local wall-clock time in milliseconds, on the same scale as a SYSTEMTIME.
double ms_of(const SYSTEMTIME& t) {
  FILETIME f;
  SystemTimeToFileTime(&t, &f);
  return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000.0;
}

double now_ms() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return ms_of(t);
}

int fail(const std::string& why) {
  bench::report("schedule firing", "failed: " + why);
  return 1;
}

}  // namespace

int main() {
  bench::read_arguments();
  const int seconds = std::max(1, bench::option_int(L"seconds", 600));
  const std::string what = std::to_string(seconds) + " s count";

  drv::Process timer = drv::Process::start(bench::program(L"timer"));
  const HWND main = drv::wait_for_window({mw::kCaption, L"", timer.id(), true}, 30000);
  if (!main) return fail("timer.exe showed no window");

  const SYSTEMTIME target = ss::local_time_plus(seconds + kFillingSeconds);
  if (!ss::set_date(main, target) ||
      !ss::enter_time(main, target.wHour, std::to_wstring(target.wMinute), std::to_wstring(target.wSecond)))
    return fail("the target could not be entered");
  if (!drv::wait_until([&] { return ss::seconds_between(ss::local_time_plus(0), target) <= seconds; },
                       1000 * (kFillingSeconds + 2)))
    return fail("the clock did not reach the click");
  if (!drv::click(ss::unit(main, mw::kStartButton))) return fail("no click");
  const double clicked = now_ms();
  if (!drv::wait_until([&] { return drv::text_of(ss::unit(main, mw::kStartButton)) == L"停止"; }))
    return fail("the schedule did not start");
  const int count = _wtoi(drv::text_of(ss::unit(main, mw::kRemainingLabel)).c_str());

  // Idle until shortly before the moment, so that the measuring does not
  // load the machine, then watch closely.
  const double due = ms_of(target);
  while (now_ms() < due - 2000) Sleep(250);
  const ss::Box box = ss::wait_for_box(timer.id(), 60000);
  const double seen = now_ms();
  if (!box.window) return fail("nothing fired");

  bench::report("schedule firing after a " + what + ", late against the wall clock",
                bench::figure((seen - due) / 1000.0, 3, "s"), "< 1 s");
  bench::report("  the ticks' drift over the " + what + " (click to box, less the count)",
                bench::figure((seen - clicked - 1000.0 * count) / 1000.0, 3, "s"));
  ss::close_box(box);
  drv::ask(main, WM_CLOSE);
  timer.wait_exit(drv::kPromptMs);
  return 0;
}
