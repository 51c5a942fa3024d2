// Every window layout of the program.
#pragma once

#include "layout.h"

namespace layouts {

extern const rt::WindowDef* const kAll[];
extern const int kCount;

}  // namespace layouts
