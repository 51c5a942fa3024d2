// Cutting the tip to 62 bytes between whole GBK characters. The literals
// below are GBK: each Chinese character is two bytes.
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

}  // namespace
