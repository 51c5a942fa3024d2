// A program under test, started as a child of the driver. It inherits the
// driver's desktop (the Wine virtual desktop the scenario runs in). A
// Process that goes out of scope while its program still runs ends it, so a
// failed scenario never leaves a program behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace drv {

// "/a/b" (a path of the build machine) becomes "Z:\a\b"; anything else is
// returned unchanged.
std::wstring windows_path(const std::wstring& path);

// The file that the wave device of `scripts/wine-run --audio FILE` writes
// to, as TIMER_AUDIO_OUT names it; empty when that is not set.
std::wstring audio_out_path();

// A file's size in bytes; 0 when it does not exist.
DWORD file_size(const std::wstring& path);

// One argument as CommandLineToArgvW reads it back.
std::wstring quote_argument(const std::wstring& arg);

class Process {
 public:
  Process() = default;
  // Starts `program` with `args`; check started() (and error()) afterwards.
  static Process start(const std::wstring& program, const std::vector<std::wstring>& args = {});

  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool started() const { return handle_ != nullptr; }
  DWORD error() const { return error_; }  // GetLastError of a failed start
  DWORD id() const { return id_; }
  DWORD thread_id() const { return thread_id_; }  // the program's first thread
  bool running() const;
  // The exit code once the program has ended within the bound; nothing if it
  // still runs.
  std::optional<DWORD> wait_exit(DWORD timeout_ms);
  // Ends the program if it still runs (exit code 1) and waits for it.
  void end();

 private:
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
  DWORD thread_id_ = 0;
  DWORD error_ = 0;
};

}  // namespace drv
