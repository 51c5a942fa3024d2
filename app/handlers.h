// The table of the program's handlers, by the names the layouts bind.
#pragma once

#include "layout.h"

namespace app {

extern const rt::HandlerEntry kHandlers[];
extern const int kHandlerCount;

}  // namespace app
