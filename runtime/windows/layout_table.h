// The table of window layouts: the built-in layouts, checked once at start-up
// and with every handler name turned into the handler itself.
#pragma once

#include <cstdint>
#include <vector>

#include "layout.h"

namespace rt {

struct ResolvedUnit {
  const UnitDef* def;
  int index;  // position in the layout
  std::vector<std::pair<int, Handler>> handlers;
  Handler find(int event) const;
};

struct ResolvedWindow {
  const WindowDef* def;
  std::vector<ResolvedUnit> units;
  int first_menu = -1;  // the window's run of menu items
  int menu_count = 0;
  std::vector<int> focus_order;  // layout indexes of the focus stops, in Tab order

  const ResolvedUnit* unit(uint32_t unit_id) const;
  // The menu item at a command identifier, or null.
  const ResolvedUnit* menu_item(int command) const;
  int menu_command(int layout_index) const;  // -1 for units that are not menu items
};

// Tab order: the focus stops by focus-order number, equal numbers in reverse
// layout order.
std::vector<int> focus_order(const WindowDef& def);

class LayoutTable {
 public:
  // Checks and resolves the layouts. A layout that does not hold together
  // (no own unit first, a unit identifier twice, a menu parent that is not a
  // menu, menu items not in one run) is refused: returns false.
  bool load(const WindowDef* const* layouts, int count, const HandlerEntry* handlers, int handler_count);
  const ResolvedWindow* find(uint32_t window_id) const;
  void clear() { windows_.clear(); }

 private:
  std::vector<ResolvedWindow> windows_;
};

}  // namespace rt
