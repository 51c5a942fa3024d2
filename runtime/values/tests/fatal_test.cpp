#include <gtest/gtest.h>

#include "fatal_catcher.h"
#include "service.h"

namespace {

TEST(FatalText, MessageOnly) {
  EXPECT_EQ(rt::fatal_error_text(nullptr, "指定窗口尚未载入"),
            "运行时出错!\r\n\r\n错误信息：指定窗口尚未载入\r\n");
}

TEST(FatalText, CodeAndMessage) {
  const int code = -12;
  EXPECT_EQ(rt::fatal_error_text(&code, "x"), "运行时出错!\r\n\r\n错误代码：-12\r\n\r\n错误信息：x\r\n");
}

TEST(FatalText, NeitherCodeNorMessage) {
  EXPECT_EQ(rt::fatal_error_text(nullptr, nullptr), "运行时出错!\r\n\r\n");
}

TEST(FatalText, RaisingReachesTheSink) {
  FatalCatcher catcher;
  try {
    rt::fatal_error_code(7, "载入启动窗口失败");
    FAIL();
  } catch (const FatalRaised& e) {
    EXPECT_EQ(e.text, "运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：载入启动窗口失败\r\n");
  }
}

// Exit code -1 as the parent sees it: all bits on Windows, the low byte on
// POSIX systems.
#ifdef _WIN32
constexpr int kMinusOne = -1;
#else
constexpr int kMinusOne = 255;
#endif

// A report that runs into another fatal error (its text finds no memory, a
// handler runs inside its box) ends the process instead of nesting.
TEST(FatalText, AnErrorRaisedWhileReportingEndsTheProcessWithMinusOne) {
  EXPECT_EXIT(
      {
        rt::set_fatal_sink([](const std::string&) { rt::fatal_error("again"); });
        rt::fatal_error("first");
      },
      ::testing::ExitedWithCode(kMinusOne), "");
}

TEST(FatalText, CallingAServiceThatNobodyProvidesIsFatal) {
  FatalCatcher catcher;
  rt::ServiceOverride none(rt::Service::PlaySound, nullptr);
  EXPECT_THROW(rt::call(rt::Service::PlaySound, {}), FatalRaised);
}

}  // namespace
