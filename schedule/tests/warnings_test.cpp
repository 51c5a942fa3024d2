// The warnings a counting schedule gives before a shutdown, and the tip
// that shows the time left. The literals are GBK.
#include "warnings.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using schedule::warning_mark;

// Counted down second by second, each mark once on the tick that reaches
// it; a count that jumps (a set clock, a wake) warns of the lowest mark it
// passed, once, and one that goes up passes nothing.
TEST(Warnings, MarksCountedDownAndJumpedPast) {
  const struct {
    int64_t start;
    std::vector<int> marks;
  } counts[] = {{7 * 60, {5, 1}}, {11 * 60, {10, 5, 1}}, {59, {}}, {60, {}}, {61, {1}}};
  for (const auto& c : counts) {
    std::vector<int> marks;
    for (int64_t left = c.start; left > 0; --left)
      if (const int m = warning_mark(left, left - 1)) marks.push_back(m);
    EXPECT_EQ(marks, c.marks) << c.start << " s";
  }
  constexpr int64_t kMost = std::numeric_limits<int64_t>::max(), kLeast = std::numeric_limits<int64_t>::min();
  const struct {
    int64_t before, after;
    int mark;
  } jumps[] = {{700, 299, 5}, {700, 30, 1}, {700, 601, 0}, {601, 600, 10}, {300, 299, 0},
               {61, -1, 1},   {30, 700, 0}, {299, 700, 0}, {kMost, kLeast, 1}, {0, kLeast, 0}};
  for (const auto& j : jumps) EXPECT_EQ(warning_mark(j.before, j.after), j.mark) << j.before << " to " << j.after;
}

TEST(Warnings, TextsOfTheBalloonAndTheTip) {
  EXPECT_EQ(schedule::warning_text(10), "10 分钟后将关闭计算机。单击这里打开定时器。");
  const struct {
    int64_t left;
    bool shut_down;
    const char* tip;
  } tips[] = {
      {3723, true, "定时器\n关机 剩余 1:02:03"},   {59, false, "定时器\n剩余 0:00:59"},
      {86400, false, "定时器\n剩余 24:00:00"},     {2147483647, true, "定时器\n关机 剩余 596523:14:07"},
      {-5, false, "定时器\n剩余 0:00:00"},
  };
  for (const auto& t : tips) EXPECT_EQ(schedule::counting_tip(t.left, t.shut_down), t.tip) << t.left << " s";
}

}  // namespace
