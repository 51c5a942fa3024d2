// The command line: arguments against the request they make, written out
// in one line, and /at's moment against the local clock. The literals are
// GBK, as the program's texts.
#include "start_request.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using app::StartRequest;

std::string described(const StartRequest& r) {
  char moment[64] = "";
  switch (r.kind) {
    case StartRequest::Kind::Usual: return r.hide ? "usual hide" : "usual";
    case StartRequest::Kind::Help: return "help";
    case StartRequest::Kind::Resume: return "resume " + r.resume_id;
    case StartRequest::Kind::Error: return r.error;
    case StartRequest::Kind::Schedule: break;
  }
  const app::LocalMoment& m = r.at;
  if (r.by_duration) {
    std::snprintf(moment, sizeof moment, "in %lld", static_cast<long long>(r.in_seconds));
  } else {
    std::snprintf(moment, sizeof moment, "%s %d-%02d-%02d %02d:%02d:%02d", r.at_has_date ? "at" : "at-time", m.year,
                  m.month, m.day, m.hour, m.minute, m.second);
  }
  return std::string(moment) + (r.shut_down ? " shutdown" : "") + (r.music ? " music" : "") +
         (r.remind ? " remind=" + r.reminder : "") + (r.hide ? " hide" : "");
}

// Every argument plain, but the one at `lossy`.
StartRequest read(const std::vector<const char*>& args, int lossy = -1) {
  std::vector<app::Argument> arguments;
  for (const char* a : args) arguments.push_back({a, static_cast<int>(arguments.size()) == lossy});
  return app::read_command_line(arguments);
}

TEST(CommandLine, ArgumentsMakeTheirRequest) {
  const struct {
    std::vector<const char*> args;
    const char* request;
    int lossy = -1;
  } rows[] = {
      {{}, "usual"},
      {{"/hide"}, "usual hide"},
      {{"/in", "30s", "/remind", "开会", "/shutdown"}, "in 30 shutdown remind=开会"},
      {{"-IN", "1H30m15S", "--Music", "/HIDE"}, "in 5415 music hide"},
      {{"/in", "90m"}, "in 5400"},
      {{"/in", "1h90m"}, "in 9000"},
      {{"/in", "0h0m1s"}, "in 1"},
      {{"/in", "596523h14m6s"}, "in 2147483646"},
      {{"/remind", "带 材料", "/at", "8:05"}, "at-time 0-00-00 08:05:00 remind=带 材料"},
      {{"/at", "23:59:59", "/remind", ""}, "at-time 0-00-00 23:59:59 remind="},
      {{"/at", " 2026/5/1  08:00:30 "}, "at 2026-05-01 08:00:30"},
      {{"/at", "2028-02-29 00:00"}, "at 2028-02-29 00:00:00"},
      {{"/resume", "00FF12AB"}, "resume 00FF12AB"},
      {{"/resume", "00ff12ab"}, "参数 /resume 00ff12ab 有误：不是有效的编号。"},
      {{"/in", "25:00", "-?"}, "help"},
      {{"/?"}, "help", 0},
      {{"/at", "25:00"}, "参数 /at 25:00 有误：不是一天中的时刻。"},
      {{"/at", "23:60"}, "参数 /at 23:60 有误：不是一天中的时刻。"},
      {{"-at", "2027-02-29 08:00"}, "参数 -at \"2027-02-29 08:00\" 有误：没有这一天。"},
      {{"/at", "2026-04-31 08:00"}, "参数 /at \"2026-04-31 08:00\" 有误：没有这一天。"},
      {{"/at", "2026-05-01", "08:00"},
       "参数 /at 2026-05-01 有误：日期和时刻要放在同一对引号里，例如 /at \"2026-05-01 23:00\"。"},
      {{"/at", "2026-05/01 08:00"},
       "参数 /at \"2026-05/01 08:00\" 有误：不是时刻。请写成 23:00、23:00:30 或 \"2026-05-01 23:00\"。"},
      {{"/at", "8:5"}, "参数 /at 8:5 有误：不是时刻。请写成 23:00、23:00:30 或 \"2026-05-01 23:00\"。"},
      {{"/at", "23:00:"}, "参数 /at 23:00: 有误：不是时刻。请写成 23:00、23:00:30 或 \"2026-05-01 23:00\"。"},
      {{"/at", "/shutdown"}, "参数 /at 有误：后面缺少时刻。"},
      {{"/remind"}, "参数 /remind 有误：后面缺少提醒的文字。"},
      {{"/in", "90"}, "参数 /in 90 有误：缺少单位。请写成 90s、45m 或 2h（s 秒、m 分、h 时）。"},
      {{"/in", "1h30"}, "参数 /in 1h30 有误：缺少单位。请写成 90s、45m 或 2h（s 秒、m 分、h 时）。"},
      {{"/in", "30m1h"}, "参数 /in 30m1h 有误：不是时长。请写成 90s、45m、2h 或 1h30m15s（h 时、m 分、s 秒）。"},
      {{"/in", "1h1h"}, "参数 /in 1h1h 有误：不是时长。请写成 90s、45m、2h 或 1h30m15s（h 时、m 分、s 秒）。"},
      {{"/in", "-5m"}, "参数 /in -5m 有误：不是时长。请写成 90s、45m、2h 或 1h30m15s（h 时、m 分、s 秒）。"},
      {{"/in", "0m0s"}, "参数 /in 0m0s 有误：时长不能为零。"},
      {{"/in", "596523h14m7s"}, "参数 /in 596523h14m7s 有误：时长太长：最多 2147483646 秒（约 68 年）。"},
      {{"/in", "99999999999999999999s"},
       "参数 /in 99999999999999999999s 有误：时长太长：最多 2147483646 秒（约 68 年）。"},
      {{"/in", "5m", "/at", "23:00"}, "参数 /at 23:00 有误：/at 和 /in 只能用其中一个。"},
      {{"/music", "/music", "/in", "5m"}, "参数 /music 有误：这个选项只能用一次。"},
      {{"/hide", "/music", "/remind", "开会"}, "参数 /music 有误：要和 /at 或 /in 一起使用。"},
      {{"/resume", "0123456789ABCDEF0"}, "参数 /resume 0123456789ABCDEF0 有误：不是有效的编号。"},
      {{"/hide", "/resume", "1F"}, "参数 /resume 1F 有误：不能和其他选项一起使用。"},
      {{"/wait"}, "参数 /wait 有误：没有这个选项。"},
      {{"/remind", "开会", "带材料", "/in", "5m"},
       "参数 带材料 有误：不是选项。文字中有空格时，请把整段文字放在一对引号里。"},
      {{""}, "参数 \"\" 有误：不是选项。文字中有空格时，请把整段文字放在一对引号里。"},
      {{"/in", "5m", "/remind", "会?"}, "参数 会? 有误：含有本程序无法显示的字符。", 3},
  };
  for (const auto& row : rows) {
    std::string args;
    for (const char* a : row.args) args += std::string(" ") + a;
    EXPECT_EQ(described(read(row.args, row.lossy)), row.request) << args;
  }
}

TEST(CommandLine, AtResolvesAgainstNow) {
  const struct {
    const char* at;
    app::LocalMoment now;
    const char* request;
  } rows[] = {
      {"23:00", {2026, 5, 1, 22, 59, 59}, "at-time 2026-05-01 23:00:00"},
      {"23:00", {2026, 5, 1, 23, 0, 0}, "at-time 2026-05-02 23:00:00"},
      {"0:00", {2026, 12, 31, 8, 0, 0}, "at-time 2027-01-01 00:00:00"},
      {"7:30", {2028, 2, 28, 8, 0, 0}, "at-time 2028-02-29 07:30:00"},
      {"7:30", {2027, 2, 28, 8, 0, 0}, "at-time 2027-03-01 07:30:00"},
      {"7:30", {2026, 4, 30, 8, 0, 0}, "at-time 2026-05-01 07:30:00"},
      {"7:30", {9999, 12, 31, 8, 0, 0}, "参数 /at 7:30 有误：这个时刻太远：定时最多 2147483646 秒（约 68 年）。"},
      {"2026-05-01 08:00:01", {2026, 5, 1, 8, 0, 0}, "at 2026-05-01 08:00:01"},
      {"2026-05-01 08:00", {2026, 5, 1, 8, 0, 0}, "参数 /at \"2026-05-01 08:00\" 有误：这个时刻已经过去。"},
      {"2025-12-31 23:59:59", {2026, 1, 1, 0, 0, 0}, "参数 /at \"2025-12-31 23:59:59\" 有误：这个时刻已经过去。"},
      // 2147483646 seconds are 24855 days, 3:14:06.
      {"2094-01-19 03:14:06", {2026, 1, 1, 0, 0, 0}, "at 2094-01-19 03:14:06"},
      {"2094-01-19 03:14:07", {2026, 1, 1, 0, 0, 0},
       "参数 /at \"2094-01-19 03:14:07\" 有误：这个时刻太远：定时最多 2147483646 秒（约 68 年）。"},
  };
  for (const auto& row : rows) {
    StartRequest r = read({"/at", row.at});
    app::resolve_at(r, row.now);
    EXPECT_EQ(described(r), row.request) << row.at;
  }
  // Any other request is left as it is.
  StartRequest in = read({"/in", "5m"});
  app::resolve_at(in, {2026, 5, 1, 8, 0, 0});
  EXPECT_EQ(described(in), "in 300");
}

TEST(CommandLine, UsageNamesEveryOptionInLinesEndedByCrLf) {
  const std::string usage = app::usage_text();
  for (const char* option : {"/at", "/in", "/shutdown", "/music", "/remind", "/hide", "/?"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  for (size_t n = usage.find('\n'); n != std::string::npos; n = usage.find('\n', n + 1)) EXPECT_EQ(usage[n - 1], '\r');
}

}  // namespace
