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

TEST(FatalBox, ShowsTheErrorWithoutOwnerThenExitsWithMinusOne) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring out = std::wstring(temp) + L"fatal_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(out.c_str());

  std::wstring command = L"\"" + exe_dir() + L"fatal_probe.exe\" \"" + out + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  const DWORD waited = WaitForSingleObject(pi.hProcess, 60000);
  DWORD exit_code = 0;
  GetExitCodeProcess(pi.hProcess, &exit_code);
  if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  ASSERT_EQ(waited, WAIT_OBJECT_0) << "the probe did not end";
  EXPECT_EQ(exit_code, 0xFFFFFFFFu);

  std::ifstream f(out.c_str(), std::ios::binary);
  std::stringstream seen;
  seen << f.rdbuf();
  DeleteFileW(out.c_str());
  EXPECT_EQ(seen.str(),
            u8"caption=错误\n"
            u8"text=运行时出错!\\r\\n\\r\\n错误信息：分配 77 字节内存失败!\\r\\n\n"
            "owner=none\n"
            "icon=error\n"
            "ok=yes\n");
}

}  // namespace
