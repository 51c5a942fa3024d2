// The program's icon: the clock face at 16, 32, 48 and 128 pixels. The
// 32-pixel image is 24-bit for systems that draw icons without alpha.
#pragma once

#include "byte_writer.h"

namespace assets {

Bytes make_timer_icon();

}  // namespace assets
