// The message box service: shows a value in a modal box and reports which
// button closed it. Everything but the showing itself lives here, so that it
// builds and is tested on any platform; the Windows layer supplies the
// function that puts the box on the screen (message_box_win.h).
#pragma once

#include <cstdint>
#include <string>

#include "value.h"

namespace rt {

// Style bits of the Windows message box that the service and its callers
// use.
constexpr uint32_t kBoxButtonsMask = 0x000F;  // 0: a lone OK button
constexpr uint32_t kBoxInformation = 0x0040;  // the information icon
constexpr uint32_t kBoxSystemModal = 0x1000;
constexpr uint32_t kBoxTaskModal = 0x2000;
constexpr uint32_t kBoxSetForeground = 0x10000;
constexpr uint32_t kBoxTopmost = 0x40000;  // in front of every other window

// Shown when the caller passes no caption; ends in a full-width colon.
extern const char* const kDefaultBoxCaption;

// The text a box shows for a value: numbers as to text writes them, 真 or
// 假, the date-time text, a text as it is (null is empty); anything else is
// the empty text.
std::string box_text(const Arg& value);

// The caption argument's text, or the default caption when it is omitted.
std::string box_caption(const Arg& caption);

// Task-modal unless the caller asked for system-modal: a box without owner
// then still keeps the thread's other windows from input.
uint32_t box_style(int32_t flags);

// The Windows button identifier (IDOK 1 .. IDNO 7) of a box of `style` as
// the service's result (0 .. 6); anything else, a failed call's 0 included,
// gives 0. A box with only an OK button answers OK however it is closed:
// Windows says IDOK for its Escape key and close button, Wine IDCANCEL.
int32_t box_result(int answer, uint32_t style);

// Shows a box without owner and returns the identifier of the button that
// closed it, or 0 when the box could not be shown.
using ShowBox = int (*)(const char* text, const char* caption, uint32_t style);

// Provides the message box service, showing its boxes with `show`.
void provide_message_box(ShowBox show);

}  // namespace rt
