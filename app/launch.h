// What this start of the program was asked to do, read from its command
// line before any window is made: nothing more than usual, a schedule set
// from a shortcut or a script, or a schedule brought back at sign-in. The
// main window's created event carries it out.
#pragma once

#include "start_request.h"

namespace app {

// Reads the command line and does what comes before the main window: the
// usage box of /?, the box of arguments the program cannot take, taking a
// kept schedule over. Returns the exit code when the program ends here,
// else -1.
int prepare_launch();

// The main window has been created and prepared: fills it as asked and
// starts the count as 定时 does, or brings the kept schedule back.
void carry_out_launch();

}  // namespace app
