// Start of the runtime in the Windows program.
#pragma once

namespace rt {

// Registers the program image as constant data (its texts, the sound and the
// icon are never released), shows fatal errors in a message box and provides
// the runtime services.
void start_runtime();

void install_fatal_message_box();

// Makes failing C++ allocations a fatal runtime error (see memory_win.cpp).
void fail_allocations_fatally();

}  // namespace rt
