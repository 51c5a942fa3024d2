// The state flags kept for each control that has the themed look. They
// decide which colours its painting takes.
#pragma once

#include <cstdint>

namespace rt::theme::state {

constexpr uint32_t kDisabled = 0x1;
constexpr uint32_t kPressed = 0x2;
constexpr uint32_t kHot = 0x4;  // the mouse is over the control
constexpr uint32_t kFocused = 0x10;
constexpr uint32_t kDefault = 0x10000;        // default push button
constexpr uint32_t kChecked = 0x20000;        // buttons
constexpr uint32_t kIndeterminate = 0x40000;  // buttons
constexpr uint32_t kReadOnly = 0x10000000;    // edit boxes

constexpr bool has(uint32_t s, uint32_t flag) { return (s & flag) != 0; }
constexpr uint32_t with(uint32_t s, uint32_t flag, bool on) { return on ? (s | flag) : (s & ~flag); }

}  // namespace rt::theme::state
