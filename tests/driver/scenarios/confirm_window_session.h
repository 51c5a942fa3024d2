// The confirmation window loaded on its own by layout_host.
#pragma once

#include <string>

#include "layout_host_session.h"
#include "timer_windows.h"

namespace timer::confirm_window {

// Log lines of the confirmation window's events.
inline const std::string kCancelClickedLine = host_event_line(cw::kWindow, cw::按钮2, rt::event::kClicked);
inline const std::string kConfirmClickedLine = host_event_line(cw::kWindow, cw::按钮1, rt::event::kClicked);
// The request of the confirmation window: a forced shutdown that switches
// the machine off (Wine is an NT platform).
constexpr const char* kShutdownRequestLine = "ExitWindowsEx 12";

class Session : public host::Session {
 protected:
  // With `again`, layout_host loads a new window once the first has closed.
  ::testing::AssertionResult open(bool again = false);

  HWND unit(Unit id) const { return drv::child_by_id(app_.window, id); }
  std::wstring confirm_caption() const { return drv::text_of(unit(kConfirmButton)); }
};

// "确定(n)".
std::wstring confirm_caption_of(int seconds);

}  // namespace timer::confirm_window
