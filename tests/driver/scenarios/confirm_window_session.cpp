#include "confirm_window_session.h"

#include <cstdio>
#include <cstring>

namespace timer::confirm_window {

::testing::AssertionResult Session::open(bool again) {
  wchar_t dir[MAX_PATH] = {}, file[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"evt", 0, file);
  log_path_ = file;
  std::vector<std::wstring> args = {kId, log_path_};
  if (again) args.push_back(L"--again");
  return scn::launch(L"layout_host", args, kCaption, &app_);
}

void Session::TearDown() {
  app_.process.end();
  if (!log_path_.empty()) DeleteFileW(log_path_.c_str());
}

std::vector<std::string> Session::log() const {
  std::vector<std::string> lines;
  FILE* f = _wfopen(log_path_.c_str(), L"r");
  if (!f) return lines;
  char line[128];
  while (std::fgets(line, sizeof line, f)) lines.emplace_back(line, std::strcspn(line, "\r\n"));
  std::fclose(f);
  return lines;
}

int Session::count(const char* line) const {
  int n = 0;
  for (const std::string& l : log()) n += l == line;
  return n;
}

int Session::shutdown_requests() const {
  int n = 0;
  for (const std::string& l : log()) n += l.rfind("ExitWindowsEx", 0) == 0 || l.rfind("SetSystemPowerState", 0) == 0;
  return n;
}

std::wstring confirm_caption_of(int seconds) { return L"确定(" + std::to_wstring(seconds) + L")"; }

}  // namespace timer::confirm_window
