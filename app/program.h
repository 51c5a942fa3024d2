// The program as the runtime sees it: its layouts and its handlers.
#pragma once

namespace app {

// Starts the runtime and the tray with the program's layouts and handlers.
void start_program();

}  // namespace app
