#include "warnings.h"

namespace schedule {

int warning_mark(int64_t before, int64_t after) {
  int mark = 0;
  for (const int m : kWarningMarks) {
    const int64_t at = int64_t{m} * 60;
    if (before > at && at >= after) mark = m;  // the marks run downwards: the last one passed is the lowest
  }
  return mark;
}

std::string warning_text(int minutes) { return std::to_string(minutes) + " 分钟后将关闭计算机。单击这里打开定时器。"; }

namespace {

// Two digits, with a leading zero.
std::string two_digits(int64_t n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

}  // namespace

std::string counting_tip(int64_t seconds_left, bool shut_down) {
  const int64_t s = seconds_left > 0 ? seconds_left : 0;
  std::string tip = "定时器\n";
  if (shut_down) tip += "关机 ";
  return tip + "剩余 " + std::to_string(s / 3600) + ":" + two_digits(s / 60 % 60) + ":" + two_digits(s % 60);
}

}  // namespace schedule
