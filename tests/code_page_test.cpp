// Compiled into every test binary that shows windows: its ctest entry says
// which ANSI code page its Wine runs with (936, or 1252 for the runs that
// prove the wide-character path), and the run must really have that one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CodePage, IsTheOneThisRunIsFor) {
  const char* expected = std::getenv("TIMER_EXPECT_ACP");
  ASSERT_NE(expected, nullptr) << "TIMER_EXPECT_ACP not set by the test's entry";
  EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

}  // namespace
