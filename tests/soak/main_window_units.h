// What the soak reads and clicks in the main window: units by their control
// ID (a unit's index in its layout) and the schedule button's caption.
#pragma once

#include <windows.h>

#include <string>

#include "main_window.h"
#include "property_rules.h"
#include "window_runtime.h"

namespace soak {

constexpr int kStartButton = 12;  // 按钮1
constexpr int kHourBox = 17;      // 组合框_时

inline std::string button_caption() {
  return rt::get_text(layouts::main_window::kWindow, layouts::main_window::按钮1, rt::prop::kButtonCaption).c_str();
}

// A click on the button as its control reports it (WM_COMMAND to the frame).
inline void click(HWND frame, int unit) { SendMessageW(GetDlgItem(frame, unit), BM_CLICK, 0, 0); }

}  // namespace soak
