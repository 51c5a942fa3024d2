#include "layout_facts.h"

namespace layouts {

int unit_index(const rt::WindowDef& def, uint32_t unit_id) {
  for (int i = 0; i < def.unit_count; ++i)
    if (def.units[i].id == unit_id) return i;
  return -1;
}

bool is_control(const rt::UnitDef& unit) {
  return unit.parent == 0 && unit.cls != rt::UnitClass::MenuItem && unit.cls != rt::UnitClass::Timer;
}

int lowest_control_bottom(const rt::WindowDef& def) {
  int lowest = 0;
  for (int i = 1; i < def.unit_count; ++i) {
    const rt::UnitDef& u = def.units[i];
    if (is_control(u) && u.top + u.height > lowest) lowest = u.top + u.height;
  }
  return lowest;
}

int visible_control_count(const rt::WindowDef& def) {
  int n = 0;
  for (int i = 1; i < def.unit_count; ++i) n += is_control(def.units[i]) && (def.units[i].flags & rt::unit_flag::kVisible);
  return n;
}

}  // namespace layouts
