#include "start_win.h"

#include <windows.h>

#include "clock_win.h"
#include "convert.h"
#include "datetime.h"
#include "heap.h"
#include "message_box_win.h"
#include "schedule_store_win.h"
#include "sound/sound_service_win.h"
#include "system/shutdown_win.h"
#include "window_runtime.h"
#include "zone_rules_win.h"

namespace rt {
namespace {

// The whole mapped image of the exe: literal texts and the resources (the
// alarm sound and the icon) all lie inside it.
void register_image_as_constant() {
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  add_constant_range(base, nt->OptionalHeader.SizeOfImage);
}

}  // namespace

void start_runtime() {
  install_fatal_message_box();
  fail_allocations_fatally();
  static bool registered = false;
  if (!registered) register_image_as_constant();
  registered = true;
  provide_value_services();
  provide_datetime_services();
  provide_clock_services();
  provide_universal_time_service();
  provide_message_box_service();
  provide_window_services();
  system::provide_shutdown_service();
  provide_sound_services();
  store::provide_store_services();
}

}  // namespace rt
