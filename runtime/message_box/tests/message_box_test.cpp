// The message box service apart from the box itself: what it shows, its
// caption and style, and the result it makes of the button pressed.
#include <gtest/gtest.h>

#include <string>

#include "convert.h"
#include "datetime.h"
#include "heap.h"
#include "message_box.h"
#include "service.h"

namespace {

using namespace rt;

// Stands in for the Windows box: records what it was asked to show and
// answers with a chosen button.
struct FakeBox {
  static std::string text, caption;
  static uint32_t style;
  static int answer, shown;
  static int show(const char* t, const char* c, uint32_t s) {
    text = t;
    caption = c;
    style = s;
    ++shown;
    return answer;
  }
};
std::string FakeBox::text, FakeBox::caption;
uint32_t FakeBox::style;
int FakeBox::answer, FakeBox::shown;

struct Block4 {
  uint32_t dimensions = 1, length = 4;
  char bytes[4] = {'a', 'b', 'c', 'd'};
};

TEST(MessageBox, ShownTextOfEveryKind) {
  Block4 block;
  const struct {
    Arg value;
    const char* shown;
  } cases[] = {
      {arg_int(42), "42"},
      {arg_int(-7), "-7"},
      {arg_double(59.0), "59"},
      {arg_double(0.5), "0.5"},
      {arg_float(0.25f), "0.25"},
      {arg_byte(200), "200"},
      {arg_short(-3), "-3"},
      {arg_long(-1), "-1"},
      {arg_bool(true), "真"},
      {arg_bool(false), "假"},
      {arg_datetime(41951.0), "2014年11月8日"},
      {arg_datetime(41951.5), "2014年11月8日12时"},
      {arg_text("时间到!"), "时间到!"},
      {arg_text(nullptr), ""},
      {arg_block(&block), ""},
      {arg_unit(kTagWindowRef, 1, 2), ""},
      {omitted(), ""},
  };
  const long live = live_blocks();
  for (const auto& c : cases) EXPECT_EQ(box_text(c.value), c.shown) << std::hex << c.value.tag;
  EXPECT_EQ(live_blocks(), live);
}

TEST(MessageBox, TaskModalUnlessSystemModal) {
  EXPECT_EQ(box_style(0), 0x2000u);
  EXPECT_EQ(box_style(0x40), 0x2040u);
  EXPECT_EQ(box_style(0x1000), 0x1000u);
  EXPECT_EQ(box_style(0x1044), 0x1044u);
  EXPECT_EQ(box_style(0x2004), 0x2004u);
}

TEST(MessageBox, ButtonAnswersMapToResults) {
  const uint32_t ok_cancel = 0x2001;
  const int answers[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, -1};
  const int results[] = {0, 0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(box_result(answers[i], ok_cancel), results[i]) << answers[i];
}

TEST(MessageBox, BoxWithOnlyOkAnswersOkWhenCancelled) {
  EXPECT_EQ(box_result(2, 0x2000), 0);
  EXPECT_EQ(box_result(2, 0x2040), 0);
  EXPECT_EQ(box_result(2, 0x1000), 0);
  EXPECT_EQ(box_result(2, 0x2003), 1);  // yes, no and cancel
  EXPECT_EQ(box_result(2, 0x2005), 1);  // retry and cancel
}

TEST(MessageBox, ServiceShowsTheBoxAndMapsItsAnswer) {
  provide_message_box(&FakeBox::show);
  FakeBox::answer = 7;  // IDNO
  Result r = call(Service::MessageBox, {arg_text("未设置完整时间!"), arg_int(4), arg_text("提醒")});
  EXPECT_EQ(result_int(r), 6);
  EXPECT_EQ(FakeBox::text, "未设置完整时间!");
  EXPECT_EQ(FakeBox::caption, "提醒");
  EXPECT_EQ(FakeBox::style, 0x2004u);

  FakeBox::answer = 0;  // the box could not be shown
  r = call(Service::MessageBox, {arg_int(42), arg_int(0x40), omitted()});
  EXPECT_EQ(result_int(r), 0);
  EXPECT_EQ(FakeBox::text, "42");
  EXPECT_EQ(FakeBox::caption, "信息：");
  EXPECT_EQ(FakeBox::style, 0x2040u);

  FakeBox::answer = 1;
  r = call(Service::MessageBox, {arg_bool(true)});  // flags and caption left out
  EXPECT_EQ(FakeBox::caption, "信息：");
  EXPECT_EQ(FakeBox::style, 0x2000u);
  r = call(Service::MessageBox, {arg_text("x"), arg_int(0), arg_text(nullptr)});
  EXPECT_EQ(FakeBox::caption, "") << "a caption that is given is used, even when empty";
  EXPECT_EQ(FakeBox::shown, 4);
}

}  // namespace
