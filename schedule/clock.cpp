#include "clock.h"

#include "main_window.h"
#include "property_rules.h"
#include "services.h"
#include "window_runtime.h"

namespace schedule {

namespace mw = layouts::main_window;

void on_clock_tick() {
  const rt::Text text = svc::datetime_text(svc::now());
  rt::put_text(mw::kWindow, mw::标签_当前时间, rt::prop::kLabelCaption, text.c_str());
}

}  // namespace schedule
