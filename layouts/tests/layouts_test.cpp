// What follows from the two layouts: they load, and their order gives the
// Tab order and menu commands the program relies on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "confirm_window.h"
#include "layout_facts.h"
#include "layout_table.h"
#include "layouts.h"
#include "main_window.h"

namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;

std::vector<uint32_t> tab_ids(const rt::WindowDef& def) {
  std::vector<uint32_t> ids;
  for (int index : rt::focus_order(def)) ids.push_back(def.units[index].id);
  return ids;
}

TEST(Layouts, BothHoldTogether) {
  rt::LayoutTable table;
  ASSERT_TRUE(table.load(layouts::kAll, layouts::kCount, nullptr, 0));
  EXPECT_NE(table.find(mw::kWindow), nullptr);
  EXPECT_NE(table.find(cw::kWindow), nullptr);
}

TEST(Layouts, MainWindowTabOrder) {
  const std::vector<uint32_t> expected = {mw::日期框_日期, mw::组合框_时, mw::组合框_分, mw::组合框_秒, mw::按钮1,
                                          mw::选择框1,     mw::选择框2,   mw::编辑框_提醒, mw::选择框3};
  EXPECT_EQ(tab_ids(mw::kLayout), expected);
}

TEST(Layouts, ConfirmWindowTabOrder) {
  EXPECT_EQ(tab_ids(cw::kLayout), (std::vector<uint32_t>{cw::按钮2, cw::按钮1}));
}

TEST(Layouts, MenuItemsAreCommands20000To20004) {
  rt::LayoutTable table;
  ASSERT_TRUE(table.load(layouts::kAll, layouts::kCount, nullptr, 0));
  const rt::ResolvedWindow& w = *table.find(mw::kWindow);
  const uint32_t items[] = {mw::菜单, mw::显示窗口, mw::隐藏窗口, mw::退出, mw::关于软件};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(w.menu_item(20000 + i)->def->id, items[i]);
  EXPECT_EQ(w.menu_item(20005), nullptr);
  EXPECT_FALSE(mw::kLayout.units[1].flags & rt::unit_flag::kVisible) << "the menu stays out of the menu bar";
}

// Which handler each name reaches is held against the program's handler
// table where that table lives (app/tests/handler_binding_test.cpp).
TEST(Layouts, UnitNamesAreUnique) {
  for (const rt::WindowDef* def : {&mw::kLayout, &cw::kLayout}) {
    std::set<std::string> names;
    for (int i = 0; i < def->unit_count; ++i) {
      if (const char* name = def->units[i].name) {
        EXPECT_TRUE(names.insert(name).second) << name;
      }
    }
  }
}

TEST(Layouts, MainWindowControlsFitAClientAreaWithoutMenuBar) {
  EXPECT_EQ(layouts::lowest_control_bottom(mw::kLayout), 136) << "选择框2 ends there";
  EXPECT_EQ(layouts::lowest_control_bottom(cw::kLayout), 88) << "the buttons end there";
}

// Control IDs are layout indices; tests read them, and counts, off the
// layouts through these. (An index off by one finds another control, and
// the tests and scenarios that read controls through it fail.)
TEST(LayoutFacts, UnitIndicesAndVisibleControls) {
  EXPECT_EQ(layouts::unit_index(mw::kLayout, cw::按钮2), -1) << "a unit of the other window";
  // the main window: 17 of its 19 controls and timers show (the timers do not)
  EXPECT_EQ(layouts::visible_control_count(mw::kLayout), 17);
  EXPECT_EQ(layouts::visible_control_count(cw::kLayout), 3);
}

}  // namespace
