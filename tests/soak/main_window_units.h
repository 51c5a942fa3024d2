// What the soak reads and clicks in the main window: units by their control
// ID (a unit's index in its layout, read off the layout) and the schedule
// button's caption.
#pragma once

#include <windows.h>

#include <string>

#include "layout_facts.h"
#include "main_window.h"
#include "property_rules.h"
#include "window_runtime.h"

namespace soak {

inline const int kStartButton = layouts::unit_index(layouts::main_window::kLayout, layouts::main_window::按钮1);
inline const int kHourBox = layouts::unit_index(layouts::main_window::kLayout, layouts::main_window::组合框_时);

inline std::string button_caption() {
  return rt::get_text(layouts::main_window::kWindow, layouts::main_window::按钮1, rt::prop::kButtonCaption).c_str();
}

// A click on the button as its control reports it (WM_COMMAND to the frame).
inline void click(HWND frame, int unit) { SendMessageW(GetDlgItem(frame, unit), BM_CLICK, 0, 0); }

}  // namespace soak
