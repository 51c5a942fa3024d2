#include "confirm_countdown.h"

#include <cstdint>

#include "confirm_window.h"
#include "property_rules.h"
#include "services.h"
#include "texts.h"
#include "window_runtime.h"

namespace schedule {
namespace {

namespace cw = layouts::confirm_window;

constexpr int32_t kSeconds = 10;

// A tick this long after the one before was held up: the machine slept (the
// lid closed, Sleep chosen while the count ran) or the program stood still.
// The user may not even see the screen yet when it wakes.
constexpr int32_t kLongestTickMs = 5000;

// The seconds left on the confirm button; program-wide, as only one
// confirmation window exists at a time.
int32_t g_seconds_left = 0;

void stop_counting() { rt::put_int(cw::kWindow, cw::时钟1, rt::prop::kInterval, 0); }

void show_seconds_left() {
  const rt::Text number = svc::to_text(g_seconds_left);
  const rt::Text caption = join_texts({"确定(", number.get(), ")"});
  rt::put_text(cw::kWindow, cw::按钮1, rt::prop::kButtonCaption, caption.c_str());
}

// Forced: other programs are closed without asking them.
void request_shutdown() { svc::shut_down_system(svc::Shutdown::PowerOff, true); }

// Counting stops and 确定 waits for a deliberate click; the machine may
// sleep again.
void hold() {
  stop_counting();
  rt::put_text(cw::kWindow, cw::按钮1, rt::prop::kButtonCaption, "确定");
  svc::keep_awake(false);
}

}  // namespace

void on_confirm_created() { g_seconds_left = kSeconds; }

void on_confirm_tick() {
  if (rt::get_int(cw::kWindow, cw::时钟1, rt::prop::kSinceLastTick) > kLongestTickMs) {
    hold();
    return;
  }
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
  svc::keep_awake(false);  // asked for: nothing more to wait for
}

void on_confirm_cancel() {
  stop_counting();
  svc::destroy({cw::kWindow, cw::kOwn});
}

}  // namespace schedule
