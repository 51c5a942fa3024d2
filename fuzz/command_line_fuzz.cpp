// Reading the command line, then resolving /at against a fixed now (the
// last second of a leap year's February 28). The input is the arguments, one
// a line; a line that begins with byte 1 is an argument marked lossy. Any
// arguments give one request that holds together: an error names an
// argument and says why, a schedule's moment is a valid one within the
// count, a reminder is one of the arguments.
#include <algorithm>

#include "datetime.h"
#include "fuzz_check.h"
#include "start_request.h"

namespace {

using Kind = app::StartRequest::Kind;

// GBK: 参数 and 。, which begin and end every error.
const std::string kErrorStart = "\xB2\xCE\xCA\xFD ";
const std::string kErrorEnd = "\xA1\xA3";

constexpr app::LocalMoment kNow{2028, 2, 28, 23, 59, 59};

void check_error(const app::StartRequest& r) {
  FUZZ_CHECK(r.error.compare(0, kErrorStart.size(), kErrorStart) == 0);
  FUZZ_CHECK(r.error.size() > kErrorStart.size() + kErrorEnd.size());
  FUZZ_CHECK(r.error.compare(r.error.size() - kErrorEnd.size(), kErrorEnd.size(), kErrorEnd) == 0);
}

long long seconds_of(const app::LocalMoment& m) {
  return rt::day_number(m.year, m.month, m.day) * 86400LL + m.hour * 3600 + m.minute * 60 + m.second;
}

}  // namespace

// The code under test writes the program's own bytes: the GBK error of
// "/at 25:00", spelled out here byte by byte.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FUZZ_CHECK(app::read_command_line({{"/at", false}, {"25:00", false}}).error ==
             "\xB2\xCE\xCA\xFD /at 25:00 \xD3\xD0\xCE\xF3\xA3\xBA\xB2\xBB\xCA\xC7\xD2\xBB\xCC\xEC\xD6\xD0\xB5\xC4\xCA"
             "\xB1\xBF\xCC\xA1\xA3");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = fuzz_text(data, size);
  std::vector<app::Argument> args;
  for (size_t start = 0; !text.empty() && start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const bool lossy = end > start && text[start] == '\x01';
    args.push_back({text.substr(start + lossy, end - start - lossy), lossy});
    start = end + 1;
  }
  app::StartRequest r = app::read_command_line(args);
  FUZZ_CHECK((r.kind == Kind::Error) == !r.error.empty());
  if (r.kind == Kind::Error) check_error(r);
  const bool any_lossy = std::any_of(args.begin(), args.end(), [](const app::Argument& a) { return a.lossy; });
  if (r.kind != Kind::Error && r.kind != Kind::Help) FUZZ_CHECK(!any_lossy);
  if (r.kind == Kind::Usual) FUZZ_CHECK(!r.shut_down && !r.music && !r.remind && (args.empty() || r.hide));
  if (r.kind == Kind::Resume) {
    FUZZ_CHECK(!r.resume_id.empty() && r.resume_id.size() <= 16);
    FUZZ_CHECK(r.resume_id.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos);
  }
  if (r.remind) {
    FUZZ_CHECK(std::any_of(args.begin(), args.end(), [&](const app::Argument& a) { return a.gbk == r.reminder; }));
  }
  if (r.kind != Kind::Schedule) return 0;
  if (r.by_duration) {
    FUZZ_CHECK(r.in_seconds >= 1 && r.in_seconds <= 2147483646);
    return 0;
  }
  const app::LocalMoment asked = r.at;
  FUZZ_CHECK(asked.hour <= 23 && asked.minute <= 59 && asked.second <= 59);
  FUZZ_CHECK(r.at_has_date ? rt::fields_are_valid(asked.year, asked.month, asked.day, 0, 0, 0)
                           : asked.year == 0 && asked.month == 0 && asked.day == 0);
  app::resolve_at(r, kNow);
  if (r.kind == Kind::Error) {
    check_error(r);
    return 0;
  }
  const app::LocalMoment& at = r.at;
  FUZZ_CHECK(rt::fields_are_valid(at.year, at.month, at.day, at.hour, at.minute, at.second));
  FUZZ_CHECK(at.hour == asked.hour && at.minute == asked.minute && at.second == asked.second);
  const long long ahead = seconds_of(at) - seconds_of(kNow);
  FUZZ_CHECK(ahead > 0 && ahead <= (r.at_has_date ? 2147483646 : 86400));
  return 0;
}
