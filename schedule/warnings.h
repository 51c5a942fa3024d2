// What a counting schedule tells through the tray icon: the time left in
// the icon's tip, and the warnings before a shutdown. Platform-independent.
#pragma once

#include <cstdint>
#include <string>

namespace schedule {

// The warning marks, in minutes before the moment.
constexpr int kWarningMarks[] = {10, 5, 1};

// The mark a count passes on its way from `before` to `after` seconds left
// (0 for none): the lowest mark it passed, so that a count that jumps past
// several warns once, of the one it lands under. A mark of m minutes is
// passed when before > m*60 >= after.
int warning_mark(int64_t before, int64_t after);

// "N 分钟后将关闭计算机。单击这里打开定时器。", GBK.
std::string warning_text(int minutes);

// The tip while a schedule counts, GBK: "定时器", a line break, then
// "剩余 H:MM:SS", with "关机 " in front when 关机 is ticked.
std::string counting_tip(int64_t seconds_left, bool shut_down);

}  // namespace schedule
