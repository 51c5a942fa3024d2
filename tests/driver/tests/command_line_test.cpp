// How test programs, benchmarks and tools read their arguments.
#include <gtest/gtest.h>

#include "command_line.h"

namespace {

TEST(CommandLine, OptionsFlagsKeyedValuesAndTheRestInOrder) {
  const drv::CommandLine c = drv::parse_command_line(
      {L"52010001", L"--program=timer=/b/timer.exe", L"--again", L"log.txt", L"--out=C:\\r.txt",
       L"--program=host=Z:\\h=x.exe", L"--rounds=3", L"--rounds=5", L"--", L"-x"});
  EXPECT_EQ(c.positional, (std::vector<std::wstring>{L"52010001", L"log.txt", L"--", L"-x"}));
  EXPECT_TRUE(c.has(L"again"));
  EXPECT_FALSE(c.has(L"real-shutdown"));
  EXPECT_EQ(c.value(L"again"), L"");
  EXPECT_EQ(c.value(L"out"), L"C:\\r.txt");
  EXPECT_EQ(c.value(L"rounds"), L"5") << "the last one given";
  EXPECT_EQ(c.value(L"missing"), L"");
  const std::map<std::wstring, std::wstring> programs = c.keyed(L"program");
  EXPECT_EQ(programs, (std::map<std::wstring, std::wstring>{{L"timer", L"/b/timer.exe"}, {L"host", L"Z:\\h=x.exe"}}))
      << "split at the first '=' of the value";
}

}  // namespace
