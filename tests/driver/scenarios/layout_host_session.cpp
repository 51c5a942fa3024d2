#include "layout_host_session.h"

#include <cstdio>
#include <cstring>

#include "selftest/target_ids.h"

namespace timer::host {

::testing::AssertionResult Session::open(const std::wstring& window_id, const std::wstring& caption,
                                         const std::vector<std::wstring>& more) {
  wchar_t dir[MAX_PATH] = {}, file[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  GetTempFileNameW(dir, L"evt", 0, file);
  log_path_ = file;
  std::vector<std::wstring> args = {window_id, log_path_};
  args.insert(args.end(), more.begin(), more.end());
  return scn::launch(L"layout_host", args, caption, &app_);
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

int Session::count(const std::string& line) const {
  int n = 0;
  for (const std::string& l : log()) n += l == line;
  return n;
}

int Session::shutdown_requests() const {
  int n = 0;
  for (const std::string& l : log()) n += l.rfind("ExitWindowsEx", 0) == 0 || l.rfind("SetSystemPowerState", 0) == 0;
  return n;
}

::testing::AssertionResult launch_covering_program(scn::Launched* other) {
  const ::testing::AssertionResult launched = scn::launch(L"driver_target", {L"0"}, target::kCaption, other);
  if (!launched) return launched;
  if (!SetWindowPos(other->window, nullptr, 300, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_ASYNCWINDOWPOS))
    return ::testing::AssertionFailure() << "the other program's window does not move";
  if (!drv::bring_to_front(other->window))
    return ::testing::AssertionFailure() << "the other program does not come to the front";
  return ::testing::AssertionSuccess();
}

}  // namespace timer::host
