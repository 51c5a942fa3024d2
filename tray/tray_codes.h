// The codes of a window's tray notification event: what the mouse did on
// the window's notification-area icon.
#pragma once

#include <cstdint>

namespace tray {

enum TrayCode : int32_t {
  kTrayNothing = 0,       // a mouse message that raises no event
  kTrayLeftUp = 1,        // left button released (also around a double-click)
  kTrayDoubleClick = 2,   // left button double-clicked
  kTrayRightUp = 3,       // right button released, or the context-menu key
  kTrayBalloonClick = 4,  // the user clicked the icon's balloon
};

}  // namespace tray
