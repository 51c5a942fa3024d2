#include "layout_table.h"

#include <algorithm>
#include <cstring>

namespace rt {
namespace {

Handler lookup(const char* name, const HandlerEntry* handlers, int count) {
  if (!name) return nullptr;
  for (int i = 0; i < count; ++i)
    if (handlers[i].name && std::strcmp(handlers[i].name, name) == 0) return handlers[i].fn;
  return nullptr;  // a missing handler means no handler
}

bool holds_together(const WindowDef& def) {
  if (!def.units || def.unit_count < 1) return false;
  const UnitDef& own = def.units[0];
  if (own.cls != UnitClass::Window || unit_kind(own.id) != UnitKind::Own) return false;
  int menu_run_end = -1;
  for (int i = 1; i < def.unit_count; ++i) {
    const UnitDef& u = def.units[i];
    for (int j = 0; j < i; ++j)
      if (def.units[j].id == u.id) return false;
    if (u.cls == UnitClass::Window) return false;
    const bool menu = u.cls == UnitClass::MenuItem;
    if (menu != (unit_kind(u.id) == UnitKind::MenuItem)) return false;
    if (!menu && unit_kind(u.id) != UnitKind::Control) return false;
    if (menu) {
      if (menu_run_end != -1 && menu_run_end != i) return false;  // one contiguous run
      menu_run_end = i + 1;
      const bool under_menu = u.parent > 0 && u.parent < i && def.units[u.parent].cls == UnitClass::MenuItem;
      if (u.parent != 0 && !under_menu) return false;
    } else if (u.parent != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

Handler ResolvedUnit::find(int event) const {
  for (const auto& h : handlers)
    if (h.first == event) return h.second;
  return nullptr;
}

const ResolvedUnit* ResolvedWindow::unit(uint32_t unit_id) const {
  for (const ResolvedUnit& u : units)
    if (u.def->id == unit_id) return &u;
  return nullptr;
}

const ResolvedUnit* ResolvedWindow::menu_item(int command) const {
  const int position = command - kFirstMenuCommand;
  if (command >= kEndMenuCommands || position < 0 || position >= menu_count) return nullptr;
  return &units[first_menu + position];
}

int ResolvedWindow::menu_command(int layout_index) const {
  if (first_menu < 0 || layout_index < first_menu || layout_index >= first_menu + menu_count) return -1;
  return kFirstMenuCommand + layout_index - first_menu;
}

std::vector<int> focus_order(const WindowDef& def) {
  std::vector<int> stops;
  for (int i = def.unit_count - 1; i >= 1; --i)
    if (def.units[i].flags & unit_flag::kFocusStop) stops.push_back(i);
  std::stable_sort(stops.begin(), stops.end(),
                   [&](int a, int b) { return def.units[a].focus_order < def.units[b].focus_order; });
  return stops;
}

bool LayoutTable::load(const WindowDef* const* layouts, int count, const HandlerEntry* handlers, int handler_count) {
  std::vector<ResolvedWindow> table;
  for (int w = 0; w < count; ++w) {
    const WindowDef* def = layouts[w];
    if (!def || !holds_together(*def)) return false;
    for (const ResolvedWindow& other : table)
      if (other.def->id == def->id) return false;
    ResolvedWindow rw{def, {}, -1, 0, focus_order(*def)};
    for (int i = 0; i < def->unit_count; ++i) {
      const UnitDef& u = def->units[i];
      ResolvedUnit ru{&u, i, {}};
      for (const EventDef& e : u.events)
        if (Handler h = lookup(e.handler, handlers, handler_count)) ru.handlers.emplace_back(e.event, h);
      if (u.cls == UnitClass::MenuItem) {
        if (rw.first_menu < 0) rw.first_menu = i;
        ++rw.menu_count;
      }
      rw.units.push_back(std::move(ru));
    }
    table.push_back(std::move(rw));
  }
  windows_ = std::move(table);
  return true;
}

const ResolvedWindow* LayoutTable::find(uint32_t window_id) const {
  for (const ResolvedWindow& w : windows_)
    if (w.def->id == window_id) return &w;
  return nullptr;
}

}  // namespace rt
