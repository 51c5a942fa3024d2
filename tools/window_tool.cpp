// Starts a program inside the Wine virtual desktop that scripts/run and the
// installer test use, and lets the script see it from outside, through files
// in a status folder:
//
//   window_tool [--beside=PATH] [--walk] [--answers=ID,...] CAPTION STATUS-DIR PROGRAM [ARGS...]
//
// writes STATUS-DIR\shown once a visible top-level window with that caption
// exists (two lines: "parent PID NAME", the process that started the
// window's process as Toolhelp shows it, its name "-" once it has ended;
// "program PID", PROGRAM's own), posts WM_CLOSE to the window when
// STATUS-DIR\close appears, ends the program when STATUS-DIR\kill appears,
// and exits with the program's exit code once the program has ended and no
// such window is left. ARGS follow PROGRAM's path unquoted, as an installer
// made with NSIS reads "/D=" and "_?=": the rest of the line, spaces and all.
//
// --beside=PATH starts PATH first and waits for its window with the caption
//   (a 定时器 that runs while an installer does); it is closed at the end and
//   is not the window the status files speak of.
// --walk moves PROGRAM's pages on as a person does: a click on the button of
//   each page that goes forward (Next, Install, Finish: control 1) once it
//   is enabled. Each message box of PROGRAM gets its text and a line break
//   appended to STATUS-DIR\boxes (UTF-8) and a click on the button of the
//   next of the --answers (dialog result IDs, the last one repeating;
//   IDCANCEL without any). After a 取消 the installation aborts, and a click
//   on 取消 closes the page it ends on. A walk that PROGRAM ends with 0 waits
//   (at most 20 s) for the window with the caption that its finish page
//   starts.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace {

constexpr DWORD kWindowMs = 20000;

// A visible top-level window with the caption, of a process other than
// `except` (the program running beside).
HWND find_visible(const std::wstring& caption, DWORD except) {
  for (HWND w : drv::find_windows({caption, L"", 0, true})) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != except) return w;
  }
  return nullptr;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void append(const std::wstring& path, const std::wstring& text) {
  HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  const std::string bytes = drv::utf8(text);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

// A script that waits for the file finds it whole: written beside, then
// renamed.
void publish(const std::wstring& path, const std::wstring& text) {
  const std::wstring draft = path + L".draft";
  DeleteFileW(draft.c_str());
  append(draft, text);
  MoveFileExW(draft.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// "parent PID NAME": who started process `pid`, as Toolhelp has it.
std::wstring parent_of(DWORD pid) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return L"parent ? ?";
  std::vector<PROCESSENTRY32W> all;
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL more = Process32FirstW(snapshot, &e); more; more = Process32NextW(snapshot, &e)) all.push_back(e);
  CloseHandle(snapshot);
  DWORD parent = 0;
  for (const PROCESSENTRY32W& p : all)
    if (p.th32ProcessID == pid) parent = p.th32ParentProcessID;
  std::wstring name = L"-";
  for (const PROCESSENTRY32W& p : all)
    if (parent && p.th32ProcessID == parent) name = p.szExeFile;
  return L"parent " + std::to_wstring(parent) + L" " + name;
}

// An installer's pages and boxes, moved on a step at a time.
class Walk {
 public:
  Walk(DWORD program, std::wstring boxes, std::vector<int> answers)
      : program_(program), boxes_(std::move(boxes)), answers_(std::move(answers)) {}

  void step() {
    for (HWND w : drv::find_windows({L"", L"", program_, true}))
      if (GetWindow(w, GW_OWNER)) return answer(w);
    const HWND top = drv::find_window({L"", L"#32770", program_, true});
    const HWND page = top ? page_of(top) : nullptr;
    if (!page || page == pressed_) return;
    const HWND button = drv::child_by_id(top, cancelled_ ? IDCANCEL : IDOK);
    if (button && drv::is_visible(button) && drv::is_enabled(button)) {
      pressed_ = page;
      drv::click(button);
    }
  }

 private:
  // A message box: a window of the program that has an owner, its text the
  // static control 0xFFFF.
  void answer(HWND box) {
    append(boxes_, drv::text_of(drv::child_by_id(box, 0xFFFF)) + L"\n");
    const int id = answers_.empty() ? IDCANCEL : answers_[std::min(answered_++, answers_.size() - 1)];
    if (const HWND button = drv::child_by_id(box, id)) drv::click(button);
    cancelled_ = id == IDCANCEL;
    drv::wait_until([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  }

  // The page shown now: the dialog inside the installer's window.
  static HWND page_of(HWND top) {
    for (HWND c : drv::children(top))
      if (drv::class_of(c) == L"#32770" && drv::is_visible(c)) return c;
    return nullptr;
  }

  DWORD program_;
  std::wstring boxes_;
  std::vector<int> answers_;
  size_t answered_ = 0;
  HWND pressed_ = nullptr;  // the page whose button was clicked last
  bool cancelled_ = false;
};

std::vector<int> ids(const std::wstring& list) {
  std::vector<int> out;
  for (size_t at = 0; at < list.size();) {
    const size_t comma = list.find(L',', at);
    out.push_back(std::stoi(list.substr(at, comma - at)));
    at = comma == std::wstring::npos ? list.size() : comma + 1;
  }
  return out;
}

// A process the tool started; its handle goes with it.
struct Started {
  explicit Started(std::wstring command) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      CloseHandle(pi.hThread);
  }
  ~Started() {
    if (pi.hProcess) CloseHandle(pi.hProcess);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  bool ended() const { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }
  DWORD exit_code() const {
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }

  PROCESS_INFORMATION pi{};
};

std::wstring quoted_path(const std::wstring& path) { return L"\"" + drv::windows_path(path) + L"\""; }

}  // namespace

int main() {
  const drv::CommandLine line = drv::command_line();
  const std::vector<std::wstring>& args = line.positional;
  if (args.size() < 3) return 2;
  const std::wstring caption = args[0], status = args[1] + L"\\";
  const bool walking = line.has(L"walk");
  std::wstring command = quoted_path(args[2]);
  for (size_t i = 3; i < args.size(); ++i) command += L" " + args[i];

  std::optional<Started> beside;
  if (line.has(L"beside")) beside.emplace(quoted_path(line.value(L"beside")));
  const DWORD beside_id = beside ? beside->pi.dwProcessId : 0;
  const auto beside_window = [&] { return drv::find_window({caption, L"", beside_id, true}); };
  if (beside && !drv::wait_until([&] { return beside_window() != nullptr; }, kWindowMs)) return 3;

  const Started program(command);
  if (!program.pi.hProcess) return 2;
  Walk walk(program.pi.dwProcessId, status + L"boxes", ids(line.value(L"answers")));
  bool shown = false, closed = false;
  DWORD window_due = 0;  // a finished walk's: the window its finish page starts
  for (;; Sleep(50)) {
    if (walking && !program.ended()) walk.step();
    const HWND w = find_visible(caption, beside_id);
    if (w && !shown) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      publish(status + L"shown", parent_of(pid) + L"\nprogram " + std::to_wstring(program.pi.dwProcessId) + L"\n");
      shown = true;
    }
    if (w && !closed && exists(status + L"close")) closed = PostMessageW(w, WM_CLOSE, 0, 0) != FALSE;
    if (exists(status + L"kill")) TerminateProcess(program.pi.hProcess, 1);
    if (!program.ended() || w) continue;
    if (!walking || program.exit_code() != 0 || shown || exists(status + L"kill")) break;
    if (!window_due) window_due = GetTickCount() + kWindowMs;
    if (static_cast<LONG>(GetTickCount() - window_due) >= 0) break;
  }
  if (beside) {
    if (const HWND b = beside_window()) PostMessageW(b, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(beside->pi.hProcess, kWindowMs) != WAIT_OBJECT_0) TerminateProcess(beside->pi.hProcess, 1);
  }
  return static_cast<int>(program.exit_code());
}
