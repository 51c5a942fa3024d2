#include "program.h"

#include "handlers.h"
#include "layouts.h"
#include "start_win.h"
#include "window_runtime.h"

namespace app {

void start_program() {
  rt::start_runtime();
  rt::start_windows(layouts::kAll, layouts::kCount, kHandlers, kHandlerCount);
}

}  // namespace app
