#include "scenario_support.h"

#include <map>

#include "command_line.h"

namespace scn {
namespace {

std::map<std::wstring, std::wstring>& programs() {
  static std::map<std::wstring, std::wstring> m;
  return m;
}

std::wstring& shots_folder() {
  static std::wstring dir;
  return dir;
}

// A program shows its first window within this bound when Wine is warm; the
// first start in a new virtual desktop takes longer.
constexpr DWORD kStartMs = 30000;

}  // namespace

void read_arguments() {
  const drv::CommandLine c = drv::command_line();
  for (const auto& [name, path] : c.keyed(L"program")) programs()[name] = drv::windows_path(path);
  if (c.has(L"shots")) {
    shots_folder() = drv::windows_path(c.value(L"shots"));
    CreateDirectoryW(shots_folder().c_str(), nullptr);
  }
}

std::wstring program(const std::wstring& name) {
  const auto it = programs().find(name);
  return it == programs().end() ? std::wstring() : it->second;
}

void take_shot(HWND w, const std::wstring& name) {
  if (shots_folder().empty()) return;  // run by hand without --shots
  const std::wstring path = shots_folder() + L"\\" + name + L".png";
  EXPECT_TRUE(drv::save_window_shot(w, path)) << "screenshot " << drv::utf8(path);
}

void take_desktop_shot(const std::wstring& name) {
  if (shots_folder().empty()) return;
  const std::wstring path = shots_folder() + L"\\" + name + L".png";
  EXPECT_TRUE(drv::save_desktop_shot(path)) << "screenshot " << drv::utf8(path);
}

::testing::AssertionResult launch(const std::wstring& name, const std::vector<std::wstring>& args,
                                  const std::wstring& caption, Launched* out) {
  const std::wstring path = program(name);
  if (path.empty()) return ::testing::AssertionFailure() << "no --program=" << drv::utf8(name) << "=PATH given";
  out->process = drv::Process::start(path, args);
  if (!out->process.started())
    return ::testing::AssertionFailure() << "cannot start " << drv::utf8(path) << ", error " << out->process.error();
  out->window = drv::wait_for_window({caption, L"", out->process.id(), true}, kStartMs);
  if (!out->window) {
    out->process.end();
    return ::testing::AssertionFailure() << drv::utf8(name) << " showed no window \"" << drv::utf8(caption) << "\"";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult exits_with_zero(Launched& launched) {
  const std::optional<DWORD> code = launched.process.wait_exit(drv::kPromptMs);
  if (!code) {
    launched.process.end();
    return ::testing::AssertionFailure() << "the program did not exit";
  }
  if (*code != 0) return ::testing::AssertionFailure() << "exit code " << *code;
  return ::testing::AssertionSuccess();
}

}  // namespace scn
