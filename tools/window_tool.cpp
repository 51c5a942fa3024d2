// Starts a program inside the Wine virtual desktop that scripts/run uses and
// lets the script see it from outside, through files in a status folder:
//
//   window_tool CAPTION STATUS-DIR PROGRAM
//
// writes STATUS-DIR\shown once a visible top-level window with that caption
// exists, posts WM_CLOSE to it when STATUS-DIR\close appears, ends the
// program when STATUS-DIR\kill appears, and exits with the program's exit
// code when the program has ended.
#include <windows.h>

#include <string>
#include <vector>

#include "command_line.h"

namespace {

HWND find_visible(const std::wstring& caption) {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, nullptr, caption.c_str())))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void touch(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
}

}  // namespace

int main() {
  const std::vector<std::wstring> args = drv::command_line().positional;
  if (args.size() < 3) return 2;
  const std::wstring caption = args[0], status = args[1] + L"\\";
  std::wstring command = L"\"" + args[2] + L"\"";

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 2;
  CloseHandle(pi.hThread);

  bool shown = false, closed = false;
  while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
    HWND w = find_visible(caption);
    if (w && !shown) {
      touch(status + L"shown");
      shown = true;
    }
    if (w && !closed && exists(status + L"close")) closed = PostMessageW(w, WM_CLOSE, 0, 0) != FALSE;
    if (exists(status + L"kill")) TerminateProcess(pi.hProcess, 1);
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}
