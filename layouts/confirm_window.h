// The confirmation window "关机", which counts ten seconds down before the
// computer is shut down.
#pragma once

#include <cstdint>

#include "layout.h"

namespace layouts::confirm_window {

constexpr uint32_t kWindow = 0x5201005E;
constexpr uint32_t kOwn = 0x0601005D;

constexpr uint32_t 时钟1 = 0x16010062;  // countdown, running from creation
constexpr uint32_t 按钮2 = 0x16010061;  // cancel
constexpr uint32_t 按钮1 = 0x16010060;  // confirm
constexpr uint32_t 标签1 = 0x1601005F;  // the question

extern const rt::WindowDef kLayout;

}  // namespace layouts::confirm_window
