#include "start_request.h"

#include <algorithm>

#include "datetime.h"
#include "schedule_record.h"

namespace app {
namespace {

using Kind = StartRequest::Kind;

// The longest count the schedule takes, as the 定时 button does.
constexpr int64_t kLongestCount = 2147483646;  // a count the window takes: below 2^31 - 1
constexpr int kSecondsPerDay = 86400;

enum class Option { At, In, ShutDown, Music, Remind, Hide, Help, Resume, Count };

struct OptionName {
  const char* name;   // lower case, without its / or -
  Option option;
  const char* value;  // what the value is called, or null for none
};

constexpr OptionName kOptions[] = {
    {"at", Option::At, "时刻"},          {"in", Option::In, "时长"},    {"shutdown", Option::ShutDown, nullptr},
    {"music", Option::Music, nullptr},   {"remind", Option::Remind, "提醒的文字"},
    {"hide", Option::Hide, nullptr},     {"?", Option::Help, nullptr}, {"resume", Option::Resume, "编号"},
};

const char kTimeShapes[] = "不是时刻。请写成 23:00、23:00:30 或 \"2026-05-01 23:00\"。";
const char kTooFar[] = "这个时刻太远：定时最多 2147483646 秒（约 68 年）。";
const char kDurationShapes[] = "不是时长。请写成 90s、45m、2h 或 1h30m15s（h 时、m 分、s 秒）。";

bool is_digit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The option an argument names: "/x", "-x" or "--x", x in any case. Only
// ASCII letters are folded: a GBK character never names an option.
const OptionName* option_of(const std::string& arg) {
  const size_t start = arg.compare(0, 2, "--") == 0 ? 2 : !arg.empty() && (arg[0] == '/' || arg[0] == '-') ? 1 : 0;
  if (start == 0) return nullptr;
  std::string name = arg.substr(start);
  std::transform(name.begin(), name.end(), name.begin(), lower);
  for (const OptionName& o : kOptions) {
    if (name == o.name) return &o;
  }
  return nullptr;
}

// An argument as the user would type it: quoted when it is empty or holds a
// space.
std::string shown(const std::string& arg) {
  return arg.empty() || arg.find(' ') != std::string::npos ? "\"" + arg + "\"" : arg;
}

StartRequest wrong(const std::string& what, const std::string& why) {
  StartRequest r;
  r.kind = Kind::Error;
  r.error = "参数 " + what + " 有误：" + why;
  return r;
}

// Reads `min_digits` to `max_digits` digits at `pos`; -1 when there are fewer.
int read_number(const std::string& s, size_t& pos, size_t min_digits, size_t max_digits) {
  int value = 0;
  size_t n = 0;
  while (n < max_digits && pos < s.size() && is_digit(s[pos])) {
    value = value * 10 + (s[pos++] - '0');
    ++n;
  }
  return n >= min_digits ? value : -1;
}

// "H:MM" or "H:MM:SS" (one or two digits of hours) from `pos` to the end.
bool read_time(const std::string& s, size_t pos, LocalMoment& at) {
  at.hour = read_number(s, pos, 1, 2);
  if (at.hour < 0 || pos >= s.size() || s[pos++] != ':') return false;
  at.minute = read_number(s, pos, 2, 2);
  at.second = 0;
  if (at.minute >= 0 && pos < s.size() && s[pos] == ':') at.second = read_number(s, ++pos, 2, 2);
  return at.minute >= 0 && at.second >= 0 && pos == s.size();
}

// "YYYY-MM-DD" or "YYYY/MM/DD" (one or two digits of month and day) at
// `pos`, which it leaves after the date.
bool read_date(const std::string& s, size_t& pos, LocalMoment& at) {
  at.year = read_number(s, pos, 4, 4);
  const char separator = pos < s.size() ? s[pos] : '\0';
  if (at.year < 0 || (separator != '-' && separator != '/')) return false;
  at.month = read_number(s, ++pos, 1, 2);
  if (at.month < 0 || pos >= s.size() || s[pos++] != separator) return false;
  at.day = read_number(s, pos, 1, 2);
  return at.day >= 0;
}

// The value of /at into `r`, or the reason it is none (empty when it is).
std::string read_at(const std::string& value, StartRequest& r) {
  const size_t first = value.find_first_not_of(' ');
  if (first == std::string::npos) return kTimeShapes;
  const std::string s = value.substr(first, value.find_last_not_of(' ') + 1 - first);
  size_t pos = 0;
  LocalMoment at;
  r.at_has_date = read_date(s, pos, at);
  if (r.at_has_date) {
    if (pos == s.size()) return "日期和时刻要放在同一对引号里，例如 /at \"2026-05-01 23:00\"。";
    if (s[pos] != ' ') return kTimeShapes;
    pos = s.find_first_not_of(' ', pos);
  } else {
    at = LocalMoment{};
    pos = 0;
  }
  if (!read_time(s, pos, at)) return kTimeShapes;
  if (at.hour > 23 || at.minute > 59 || at.second > 59) return "不是一天中的时刻。";
  if (r.at_has_date && !rt::fields_are_valid(at.year, at.month, at.day, at.hour, at.minute, at.second)) {
    return "没有这一天。";
  }
  r.at = at;
  return "";
}

// The value of /in into `r`, or the reason it is none (empty when it is).
// Each number saturates just above the longest count, so no sum overflows.
std::string read_in(const std::string& s, StartRequest& r) {
  constexpr int64_t kCap = kLongestCount + 1;
  const struct {
    char unit;
    int64_t seconds;
  } units[] = {{'h', 3600}, {'m', 60}, {'s', 1}};
  size_t pos = 0, next_unit = 0;
  int64_t total = 0;
  while (pos < s.size()) {
    const size_t digits = pos;
    int64_t number = 0;
    for (; pos < s.size() && is_digit(s[pos]); ++pos) number = std::min(number * 10 + (s[pos] - '0'), kCap);
    if (pos == s.size() && pos != digits) return "缺少单位。请写成 90s、45m 或 2h（s 秒、m 分、h 时）。";
    while (next_unit < 3 && units[next_unit].unit != lower(s[pos])) ++next_unit;
    if (pos == digits || next_unit == 3) return kDurationShapes;
    total = std::min(total + number * units[next_unit++].seconds, kCap);
    ++pos;
  }
  if (s.empty()) return kDurationShapes;
  if (total == 0) return "时长不能为零。";
  if (total > kLongestCount) return "时长太长：最多 2147483646 秒（约 68 年）。";
  r.by_duration = true;
  r.in_seconds = total;
  return "";
}

int second_of_day(const LocalMoment& m) { return m.hour * 3600 + m.minute * 60 + m.second; }

}  // namespace

StartRequest read_command_line(const std::vector<Argument>& args) {
  StartRequest r;
  for (const Argument& a : args) {
    const OptionName* o = option_of(a.gbk);
    if (o && o->option == Option::Help) {
      r.kind = Kind::Help;
      return r;
    }
  }
  for (const Argument& a : args) {
    if (a.lossy) return wrong(shown(a.gbk), "含有本程序无法显示的字符。");
  }
  bool seen[static_cast<int>(Option::Count)] = {};
  std::string needs_moment, resume;  // the first of /shutdown, /music, /remind; /resume
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i].gbk;
    const OptionName* o = option_of(arg);
    if (!o && !arg.empty() && (arg[0] == '/' || arg[0] == '-')) return wrong(shown(arg), "没有这个选项。");
    if (!o) return wrong(shown(arg), "不是选项。文字中有空格时，请把整段文字放在一对引号里。");
    bool& once = seen[static_cast<int>(o->option)];
    if (once) return wrong(shown(arg), "这个选项只能用一次。");
    once = true;
    std::string value, what = shown(arg);
    if (o->value) {
      if (i + 1 == args.size() || option_of(args[i + 1].gbk)) {
        return wrong(what, std::string("后面缺少") + o->value + "。");
      }
      value = args[++i].gbk;
      what += " " + shown(value);
    }
    std::string why;
    switch (o->option) {
      case Option::At:
      case Option::In:
        if (seen[static_cast<int>(Option::At)] && seen[static_cast<int>(Option::In)]) {
          return wrong(what, "/at 和 /in 只能用其中一个。");
        }
        why = o->option == Option::At ? read_at(value, r) : read_in(value, r);
        if (!why.empty()) return wrong(what, why);
        if (o->option == Option::At) r.at_argument = what;
        break;
      case Option::ShutDown: r.shut_down = true; break;
      case Option::Music: r.music = true; break;
      case Option::Remind:
        r.remind = true;
        r.reminder = value;
        break;
      case Option::Hide: r.hide = true; break;
      case Option::Resume:
        if (!rt::store::is_record_id(value)) return wrong(what, "不是有效的编号。");
        r.resume_id = value;
        resume = what;
        break;
      default: break;  // /? was taken above
    }
    if (o->option == Option::ShutDown || o->option == Option::Music || o->option == Option::Remind) {
      if (needs_moment.empty()) needs_moment = what;
    }
  }
  const bool moment = seen[static_cast<int>(Option::At)] || seen[static_cast<int>(Option::In)];
  if (!resume.empty()) {
    if (std::count(std::begin(seen), std::end(seen), true) > 1) return wrong(resume, "不能和其他选项一起使用。");
    r.kind = Kind::Resume;
  } else if (moment) {
    r.kind = Kind::Schedule;
  } else if (!needs_moment.empty()) {
    return wrong(needs_moment, "要和 /at 或 /in 一起使用。");
  }
  return r;
}

void resolve_at(StartRequest& request, const LocalMoment& now) {
  if (request.kind != Kind::Schedule || request.by_duration) return;
  LocalMoment& at = request.at;
  const long today = rt::day_number(now.year, now.month, now.day);
  if (!request.at_has_date) {
    // Today's has passed, or is this very second: tomorrow's.
    const long day = today + (second_of_day(at) <= second_of_day(now) ? 1 : 0);
    if (day > static_cast<long>(rt::kLastDateTime)) {
      request = wrong(request.at_argument, kTooFar);
      return;
    }
    const rt::CalendarFields f = rt::calendar_fields(rt::datetime_at(day, 0));
    at.year = f.year;
    at.month = f.month;
    at.day = f.day;
    return;
  }
  const int64_t ahead = static_cast<int64_t>(rt::day_number(at.year, at.month, at.day) - today) * kSecondsPerDay +
                        second_of_day(at) - second_of_day(now);
  if (ahead <= 0) {
    request = wrong(request.at_argument, "这个时刻已经过去。");
  } else if (ahead > kLongestCount) {
    request = wrong(request.at_argument, kTooFar);
  }
}

std::string usage_text() {
  return "用法：timer.exe [/at 时刻 | /in 时长] [/shutdown] [/music] [/remind 文字] [/hide]\r\n"
         "\r\n"
         "/at 23:00 或 /at 23:00:30：今天的这一时刻，已过则为明天。\r\n"
         "/at \"2026-05-01 23:00\"：那一天的这一时刻（日期也可写成 2026/05/01）。\r\n"
         "/in 45m：从现在起多久，带单位 h 时、m 分、s 秒，如 90s、2h、1h30m15s。\r\n"
         "/shutdown：到时关机。\r\n"
         "/music：到时播放音乐。\r\n"
         "/remind 文字：到时提醒这段文字，文字有空格时加引号。\r\n"
         "/hide：启动后隐藏到通知区域。\r\n"
         "/?：显示本说明。\r\n"
         "\r\n"
         "/shutdown、/music 和 /remind 要和 /at 或 /in 一起使用。选项不分大小写，也可写成 -at 或 --at。\r\n"
         "例如：timer.exe /in 10m /shutdown /hide";
}

}  // namespace app
