// The window procedures that replace those of the restyled controls.
#pragma once

#include <windows.h>

#include "theme/control_kind.h"

namespace rt::theme {

// The replacement procedure of a kind; null for ControlKind::None.
WNDPROC themed_procedure(ControlKind kind);

}  // namespace rt::theme
