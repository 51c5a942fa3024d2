// What tests and tools read off a layout instead of copying it by hand.
#pragma once

#include <cstdint>

#include "layout.h"

namespace layouts {

// A unit's index in its window's layout, which is its control's ID; -1 when
// the layout has no such unit.
int unit_index(const rt::WindowDef& def, uint32_t unit_id);

// The controls of a layout: its units but the window's own, menu items and
// timers (which have no window of their own to show).
bool is_control(const rt::UnitDef& unit);
// How far down the controls reach (top plus height of the lowest one).
int lowest_control_bottom(const rt::WindowDef& def);
// How many controls the layout makes visible.
int visible_control_count(const rt::WindowDef& def);

}  // namespace layouts
