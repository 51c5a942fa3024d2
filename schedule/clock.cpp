#include "clock.h"

#include "main_window.h"
#include "property_rules.h"
#include "service.h"
#include "window_runtime.h"

namespace schedule {

namespace mw = layouts::main_window;

void on_clock_tick() {
  const double now = rt::result_double(rt::call(rt::Service::Now, {}));
  const rt::Text text = rt::result_text(rt::call(rt::Service::ToText, {rt::arg_datetime(now)}));
  rt::put_text(mw::kWindow, mw::标签_当前时间, rt::prop::kLabelCaption, text.c_str());
}

}  // namespace schedule
