#include "driver_process.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "driver_wait.h"

namespace drv {

std::wstring windows_path(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring out = L"Z:" + path;
  for (wchar_t& c : out)
    if (c == L'/') c = L'\\';
  return out;
}

std::wstring audio_out_path() {
  const char* unix_path = std::getenv("TIMER_AUDIO_OUT");
  return unix_path ? windows_path(std::wstring(unix_path, unix_path + std::strlen(unix_path))) : L"";
}

DWORD file_size(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA a{};
  return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a) ? a.nFileSizeLow : 0;
}

std::wstring quote_argument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // backslashes before a quote are doubled, and the quote escaped
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');  // before the closing quote
  return out + L"\"";
}

Process Process::start(const std::wstring& program, const std::vector<std::wstring>& args) {
  const std::wstring path = windows_path(program);
  std::wstring command = quote_argument(path);
  for (const std::wstring& a : args) command += L" " + quote_argument(a);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Process p;
  if (!CreateProcessW(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    p.error_ = GetLastError();
    return p;
  }
  CloseHandle(pi.hThread);
  p.handle_ = pi.hProcess;
  p.id_ = pi.dwProcessId;
  p.thread_id_ = pi.dwThreadId;
  return p;
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(other.id_), thread_id_(other.thread_id_), error_(other.error_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    end();
    if (handle_) CloseHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = other.id_;
    thread_id_ = other.thread_id_;
    error_ = other.error_;
  }
  return *this;
}

Process::~Process() {
  end();
  if (handle_) CloseHandle(handle_);
}

bool Process::running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::wait_exit(DWORD timeout_ms) {
  if (!handle_ || WaitForSingleObject(handle_, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(handle_, &code);
  return code;
}

void Process::end() {
  if (!running()) return;
  TerminateProcess(handle_, 1);
  WaitForSingleObject(handle_, kPromptMs);
}

}  // namespace drv
