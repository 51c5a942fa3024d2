// The switch of the themed look for the standard controls of the
// user-interface thread, and the record kept for each control it takes over.
#pragma once

#include <windows.h>

#include <cstdint>

#include "theme/control_kind.h"

namespace rt::theme {

// State flags of a restyled control.
namespace state {
constexpr uint32_t kDisabled = 0x1;
constexpr uint32_t kPressed = 0x2;
constexpr uint32_t kHot = 0x4;
constexpr uint32_t kFocused = 0x10;
constexpr uint32_t kDefault = 0x10000;
constexpr uint32_t kChecked = 0x20000;
constexpr uint32_t kIndeterminate = 0x40000;
constexpr uint32_t kReadOnly = 0x10000000;
}  // namespace state

struct ControlRecord {
  HWND hwnd;
  ControlKind kind;
  uint32_t state;
  WNDPROC old_proc;
  HBRUSH brush = nullptr;  // what the parent last reported for the control
  COLORREF brush_color = 0;
  COLORREF text_color = 0;
};

// Schemes 1 to 3 switch the look on (undoing an earlier switch first) and
// give 1; anything else switches it off and gives whether the hook could be
// removed (1 or 0), or 0 when none was installed.
int set_visual_style(int scheme);
int current_scheme();  // 0 while off
const ControlRecord* find_record(HWND hwnd);
int record_count();

}  // namespace rt::theme
