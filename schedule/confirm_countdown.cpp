#include "confirm_countdown.h"

#include <cstdint>

#include "confirm_window.h"
#include "property_rules.h"
#include "service.h"
#include "texts.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace cw = layouts::confirm_window;
using rt::call;
using rt::Service;

constexpr int32_t kSeconds = 10;
constexpr int32_t kModeShutDown = 1;

// The seconds left on the confirm button; program-wide, as only one
// confirmation window exists at a time.
int32_t g_seconds_left = 0;

void stop_counting() { rt::put_int(cw::kWindow, cw::时钟1, rt::prop::kInterval, 0); }

void show_seconds_left() {
  const rt::Text number = rt::result_text(call(Service::ToText, {rt::arg_int(g_seconds_left)}));
  const rt::Text caption = join_texts({"确定(", number.get(), ")"});
  rt::put_text(cw::kWindow, cw::按钮1, rt::prop::kButtonCaption, caption.c_str());
}

// Forced: other programs are closed without asking them.
void request_shutdown() { call(Service::ShutdownSystem, {rt::arg_int(kModeShutDown), rt::arg_bool(true)}); }

}  // namespace

void on_confirm_created() { g_seconds_left = kSeconds; }

void on_confirm_tick() {
  if (g_seconds_left > 0) {
    --g_seconds_left;
    show_seconds_left();
  } else {
    on_confirm_shut_down();
  }
}

void on_confirm_shut_down() {
  stop_counting();
  request_shutdown();
}

void on_confirm_cancel() {
  stop_counting();
  call(Service::Destroy, {rt::arg_unit(rt::kTagWindowRef, cw::kWindow, cw::kOwn), rt::omitted()});
}

}  // namespace schedule
