// The message box service on Windows.
#pragma once

namespace rt {

// Provides the message box service, which shows a MessageBoxW without owner;
// its GBK texts are converted to UTF-16 first.
void provide_message_box_service();

}  // namespace rt
