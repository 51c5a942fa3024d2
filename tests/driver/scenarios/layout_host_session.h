// A window of the program loaded by layout_host, and the log it keeps:
// every event the runtime raised, and every shutdown request, which
// layout_host records instead of making.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario_support.h"

namespace timer::host {

class Session : public ::testing::Test {
 protected:
  // Starts layout_host on the window with this identifier (hexadecimal) and
  // caption, with a fresh log and any further arguments.
  ::testing::AssertionResult open(const std::wstring& window_id, const std::wstring& caption,
                                  const std::vector<std::wstring>& more = {});
  void TearDown() override;

  std::vector<std::string> log() const;
  int count(const std::string& line) const;  // of log lines equal to `line`
  int shutdown_requests() const;      // of any mode

  std::wstring log_path_;
  scn::Launched app_;
};

// Another program (driver_target), its window over the middle of the
// screen where the program's windows come up, and in front: the user works
// there when the program brings a window up.
::testing::AssertionResult launch_covering_program(scn::Launched* other);

}  // namespace timer::host
