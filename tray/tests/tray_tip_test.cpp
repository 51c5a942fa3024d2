// Cutting the tip to 62 bytes, or a tip changed in place to 127 characters,
// between whole GBK characters. The literals below are GBK: each Chinese
// character is two bytes.
#include "tray_tip.h"

#include <gtest/gtest.h>

namespace {

std::string times(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(TrayTip, KeepsAtMost62BytesOfWholeCharacters) {
  ASSERT_EQ(std::string("时").size(), 2u);
  const struct {
    const char* what;
    std::string text, tip;
  } cases[] = {
      {"empty", "", ""},
      {"short", "定时器", "定时器"},
      {"exactly 62 ASCII", times("a", 62), times("a", 62)},
      {"63 ASCII", times("a", 63), times("a", 62)},
      {"long ASCII", times("a", 200), times("a", 62)},
      {"exactly 62 in two-byte characters", times("时", 31), times("时", 31)},
      {"a character straddles byte 62", "a" + times("时", 31), "a" + times("时", 30)},
      {"a character ends at byte 62", times("a", 60) + "时间", times("a", 60) + "时"},
      {"0x80 starts a character", times("a", 61) + "\x80" "A", times("a", 61)},
      {"0xFF starts a character", times("a", 61) + "\xFF" "A", times("a", 61)},
      {"a lead byte and an ASCII byte are one character", "\x81" "A" "b", "\x81" "A" "b"},
      {"a lone lead byte at the end", "ab\xB6", "ab"},
      {"a lone lead byte at byte 61", times("a", 61) + "\xB6", times("a", 61)},
  };
  for (const auto& c : cases) EXPECT_EQ(tray::cut_tip(c.text.c_str()), c.tip) << c.what;
  EXPECT_EQ(tray::cut_tip(nullptr), "");
}

TEST(TrayTip, ATipChangedInPlaceKeepsAtMost127Characters) {
  const std::string counting = "定时器\n关机 剩余 596523:14:07";  // 22 characters
  EXPECT_EQ(tray::cut_long_tip(times("时", 127).c_str()), times("时", 127));
  EXPECT_EQ(tray::cut_long_tip(times("a", 128).c_str()), times("a", 127));
  EXPECT_EQ(tray::cut_long_tip((counting + times("时", 120)).c_str()), counting + times("时", 127 - 22));
  EXPECT_EQ(tray::cut_long_tip((times("a", 126) + "\xB6").c_str()), times("a", 126)) << "a lone lead byte";
}

}  // namespace
