#include "message_box_win.h"

#include <windows.h>

#include "gbk_win.h"
#include "message_box.h"

namespace rt {
namespace {

static_assert(kBoxButtonsMask == MB_TYPEMASK && kBoxSystemModal == MB_SYSTEMMODAL && kBoxTaskModal == MB_TASKMODAL,
              "Windows style bits");

int show_box(const char* text, const char* caption, uint32_t style) {
  return MessageBoxW(nullptr, to_wide(text).c_str(), to_wide(caption).c_str(), style);
}

}  // namespace

void provide_message_box_service() { provide_message_box(&show_box); }

}  // namespace rt
