// The fatal runtime error as a user meets it: a real message box, then exit
// code -1. The probe program records the box from inside its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::wstring exe_dir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring s = path;
  return s.substr(0, s.find_last_of(L"\\/") + 1);
}

struct ProbeRun {
  DWORD exit_code = 0;
  std::string seen;  // what the probe's hook saw of the box
};

// Runs the probe with its mode argument and waits (bounded) for its end.
::testing::AssertionResult run_probe(const std::wstring& mode, ProbeRun* run) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"fatal_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(out.c_str());
  std::wstring command = L"\"" + exe_dir() + L"fatal_probe.exe\" \"" + out + L"\" " + mode;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return ::testing::AssertionFailure() << "cannot start the probe";
  const DWORD waited = WaitForSingleObject(pi.hProcess, 60000);
  GetExitCodeProcess(pi.hProcess, &run->exit_code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (waited != WAIT_OBJECT_0) return ::testing::AssertionFailure() << "the probe did not end";
  std::ifstream f(out.c_str(), std::ios::binary);
  std::stringstream seen;
  seen << f.rdbuf();
  f.close();
  DeleteFileW(out.c_str());
  run->seen = seen.str();
  return ::testing::AssertionSuccess();
}

// The machine may sleep again before the box shows, which may stay all night.
std::string expected_box(const char* message_utf8) {
  return std::string("kept awake\nmay sleep\n") + u8"caption=错误\n" + u8"text=运行时出错!\\r\\n\\r\\n错误信息：" + message_utf8 +
         "\\r\\n\n"
         "owner=none\n"
         "icon=error\n"
         "ok=yes\n";
}

// Each way the probe fails (fatal_probe.cpp) shows the one box without
// owner, with the error icon and OK, and exits with -1.
TEST(FatalBox, ShowsTheErrorOnceThenExitsWithMinusOne) {
  const struct {
    const wchar_t* mode;
    const char* message;
    const char* after_box = "";
  } cases[] = {
      {L"heap", u8"分配 77 字节内存失败!"},
      // No exception ever has to cross a window procedure: a C++ allocation
      // that fails ends the program with the same report.
      {L"new", u8"分配 2147483632 字节内存失败!"},
      // Memory that stays exhausted while the box is shown: the second fatal
      // error ends the process at once instead of opening a box inside the box.
      {L"again", u8"分配 77 字节内存失败!"},
      // One failed allocation in a timer's handler: behind the open box the
      // timer runs no handler and the window takes no input.
      {L"ticking", u8"分配 77 字节内存失败!", "ticks while open=0\nwindow=disabled\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.mode));
    ProbeRun run;
    ASSERT_TRUE(run_probe(c.mode, &run));
    EXPECT_EQ(run.exit_code, 0xFFFFFFFFu);
    EXPECT_EQ(run.seen, expected_box(c.message) + c.after_box);
  }
}

}  // namespace
