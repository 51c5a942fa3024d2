// The layouts name their handlers, and a name the program does not provide
// leaves its event silently dead: every name of both layouts must reach a
// handler of the program's table, and every handler of the table must be
// bound somewhere.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "handlers.h"
#include "layout_table.h"
#include "layouts.h"

namespace {

TEST(HandlerBinding, EveryNameOfBothLayoutsIsBoundAndEveryHandlerIsUsed) {
  rt::LayoutTable table;
  ASSERT_TRUE(table.load(layouts::kAll, layouts::kCount, app::kHandlers, app::kHandlerCount));
  std::set<std::string> used;
  for (int i = 0; i < layouts::kCount; ++i) {
    const rt::ResolvedWindow* window = table.find(layouts::kAll[i]->id);
    ASSERT_NE(window, nullptr);
    for (const rt::ResolvedUnit& unit : window->units) {
      for (const rt::EventDef& e : unit.def->events) {
        if (!e.handler) continue;
        used.insert(e.handler);
        EXPECT_NE(unit.find(e.event), nullptr) << "\"" << e.handler << "\" is bound to no handler";
      }
    }
  }
  for (int i = 0; i < app::kHandlerCount; ++i)
    EXPECT_EQ(used.count(app::kHandlers[i].name), 1u) << "no layout binds \"" << app::kHandlers[i].name << "\"";
}

}  // namespace
