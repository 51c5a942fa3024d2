#include "timer_icon.h"

#include "clock_face.h"
#include "icon_file.h"

namespace assets {

Bytes make_timer_icon() {
  return write_icon({
      {draw_clock_face(16), 32},
      {draw_clock_face(32), 24},
      {draw_clock_face(48), 32},
      {draw_clock_face(128), 32},
  });
}

}  // namespace assets
