// The confirmation window loaded on its own by layout_host, and the log it
// keeps: every event the runtime raised, and every shutdown request, which
// layout_host records instead of making.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario_support.h"
#include "timer_windows.h"

namespace timer::confirm_window {

// Log lines of the confirmation window's events.
constexpr const char* kCancelClickedLine = "5201005E 16010061 0";
constexpr const char* kConfirmClickedLine = "5201005E 16010060 0";
// The request of the confirmation window: a forced shutdown that switches
// the machine off (Wine is an NT platform).
constexpr const char* kShutdownRequestLine = "ExitWindowsEx 12";

class Session : public ::testing::Test {
 protected:
  // Starts layout_host on the confirmation window with a fresh log. With
  // `again`, layout_host loads a new window once the first has closed.
  ::testing::AssertionResult open(bool again = false);
  void TearDown() override;

  HWND unit(Unit id) const { return drv::child_by_id(app_.window, id); }
  std::wstring confirm_caption() const { return drv::text_of(unit(kConfirmButton)); }
  std::vector<std::string> log() const;
  int count(const char* line) const;  // of log lines equal to `line`
  int shutdown_requests() const;      // of any mode

  std::wstring log_path_;
  scn::Launched app_;
};

// "确定(n)".
std::wstring confirm_caption_of(int seconds);

}  // namespace timer::confirm_window
