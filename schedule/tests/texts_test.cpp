#include <gtest/gtest.h>

#include "heap.h"
#include "texts.h"

namespace {

using schedule::join_texts;
using schedule::texts_equal;

TEST(Texts, EqualityTreatsNullAsEmpty) {
  EXPECT_TRUE(texts_equal("定时", "定时"));
  EXPECT_FALSE(texts_equal("定时", "停止"));
  EXPECT_FALSE(texts_equal("定时", "定时 "));
  EXPECT_TRUE(texts_equal(nullptr, ""));
  EXPECT_TRUE(texts_equal("", nullptr));
  EXPECT_FALSE(texts_equal(nullptr, "0"));
}

TEST(Texts, JoiningCopiesThePiecesInOrder) {
  const long live = rt::live_blocks();
  {
    const rt::Text t = join_texts({"2014", "年", "11", "月", "8", "日", nullptr, "时", "30", "分", "0", "秒"});
    EXPECT_STREQ(t.c_str(), "2014年11月8日时30分0秒") << "a null piece adds nothing";
    EXPECT_EQ(rt::live_blocks(), live + 1);
    EXPECT_EQ(join_texts({nullptr, "", nullptr}).get(), nullptr) << "the empty result is null";
    EXPECT_STREQ(join_texts({"确定(", "9", ")"}).c_str(), "确定(9)");
  }
  EXPECT_EQ(rt::live_blocks(), live);
}

}  // namespace
