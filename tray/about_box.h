// The about box of the tray menu: what the program does, who wrote it and
// when, in a plain message box.
#pragma once

namespace tray {

// GBK texts; the lines of the text are separated by CR LF, which the message
// box shows as line breaks.
extern const char kAboutText[];
extern const char kAboutCaption[];

// Shows the box (OK button, no icon, task-modal) and waits until it is
// closed; which way it was closed does not matter.
void show_about_box();

}  // namespace tray
