// Ownership: every block handed out comes back exactly once.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "convert.h"
#include "fatal_catcher.h"
#include "heap.h"
#include "owned.h"
#include "service.h"

namespace {

using namespace rt;

// Built-in data of the test program: registered once as constant memory.
char g_builtin[64] = "built-in text";

class Heap : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!is_constant(g_builtin)) add_constant_range(g_builtin, sizeof g_builtin);
  }
  void SetUp() override { live_ = live_blocks(); }
  void TearDown() override { EXPECT_EQ(live_blocks(), live_); }
  long live_ = 0;
};

TEST_F(Heap, AllocateAndReleaseBalance) {
  void* a = allocate(10);
  void* b = allocate(0);  // a zero-sized request still gives a block
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(live_blocks(), live_ + 2);
  release(a);
  release(b);
}

TEST_F(Heap, ReleaseOfNullDoesNothing) {
  release(nullptr);
  EXPECT_EQ(live_blocks(), live_);
}

TEST_F(Heap, ConstantDataIsNeverReleased) {
  EXPECT_TRUE(is_constant(g_builtin));
  EXPECT_TRUE(is_constant(g_builtin + sizeof g_builtin - 1));
  EXPECT_FALSE(is_constant(g_builtin + sizeof g_builtin));
  release(g_builtin);
  release(g_builtin + 5);  // a text starting inside the range
  EXPECT_STREQ(g_builtin, "built-in text");
  Text adopted = Text::adopt(g_builtin);  // owning a built-in text is harmless
}

TEST_F(Heap, EmptyTextIsNullAndTakesNothing) {
  Text t = Text::copy("");
  EXPECT_EQ(t.get(), nullptr);
  EXPECT_STREQ(t.c_str(), "");
  EXPECT_TRUE(t.empty());
  EXPECT_EQ(live_blocks(), live_);
}

TEST_F(Heap, TextReleasesExactlyOnceAcrossMoves) {
  {
    Text a = Text::copy("提醒");
    EXPECT_EQ(live_blocks(), live_ + 1);
    Text b = std::move(a);
    EXPECT_EQ(a.get(), nullptr);
    EXPECT_STREQ(b.c_str(), "提醒");
    Text c;
    c = std::move(b);
    c = Text::copy("x");  // the old block goes back at the assignment
    EXPECT_EQ(live_blocks(), live_ + 1);
  }
  EXPECT_EQ(live_blocks(), live_);
}

TEST_F(Heap, TakeHandsOwnershipOn) {
  Text t = Text::copy("abc");
  char* raw = t.take();
  EXPECT_EQ(t.get(), nullptr);
  EXPECT_EQ(live_blocks(), live_ + 1);
  release(raw);
}

TEST_F(Heap, BlocksCopyTheirBytes) {
  const unsigned char bytes[] = {1, 0, 2, 3};
  Block b = Block::copy(bytes, sizeof bytes);
  const BlockView v = b.view();
  ASSERT_EQ(v.size, 4u);
  EXPECT_EQ(std::memcmp(v.data, bytes, 4), 0);
  EXPECT_EQ(static_cast<const BlockHeader*>(b.get())->dimensions, 1u);
  EXPECT_EQ(view_block(nullptr).size, 0u);
}

TEST_F(Heap, ServiceResultsAreReturnedByTheirOwners) {
  provide_value_services();
  for (int i = 0; i < 100; ++i) {
    Text a = result_text(call(Service::ToText, {arg_double(i * 0.5)}));
    Text b = result_text(call(Service::ToText, {arg_text(a.c_str())}));
    EXPECT_STREQ(a.c_str(), b.c_str());
  }
}

void* no_memory(std::size_t) { return nullptr; }

TEST_F(Heap, ExhaustionIsFatal) {
  FatalCatcher catcher;
  const RawAllocator old = set_raw_allocator(&no_memory);
  std::string text;
  try {
    allocate(123);
  } catch (const FatalRaised& e) {
    text = e.text;
  }
  set_raw_allocator(old);
  EXPECT_EQ(text, "运行时出错!\r\n\r\n错误信息：分配 123 字节内存失败!\r\n");
}

TEST_F(Heap, NegativeSizeIsRefusedAsExhaustion) {
  FatalCatcher catcher;
  try {
    allocate(-8);
    FAIL() << "no fatal error";
  } catch (const FatalRaised& e) {
    EXPECT_NE(e.text.find("分配 -8 字节内存失败!"), std::string::npos);
  }
}

}  // namespace
