// What follows from the two layouts: they load, and their order gives the
// Tab order and menu commands the program relies on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "confirm_window.h"
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
  EXPECT_EQ(tab_ids(cw::kLayout), (std::vector<uint32_t>{cw::按钮1, cw::按钮2}));
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

TEST(Layouts, NamesAreUniqueAndEveryBindingNamesAHandler) {
  for (const rt::WindowDef* def : {&mw::kLayout, &cw::kLayout}) {
    std::set<std::string> names;
    for (int i = 0; i < def->unit_count; ++i) {
      const rt::UnitDef& u = def->units[i];
      if (u.name) {
        EXPECT_TRUE(names.insert(u.name).second) << u.name;
      }
      for (const rt::EventDef& e : u.events) {
        if (e.handler) {
          EXPECT_NE(std::string(e.handler).find('.'), std::string::npos) << e.handler;
        }
      }
    }
  }
}

TEST(Layouts, MainWindowUnitsFitAClientAreaWithoutMenuBar) {
  int lowest = 0;
  for (int i = 1; i < mw::kLayout.unit_count; ++i) {
    const rt::UnitDef& u = mw::kLayout.units[i];
    if (u.cls == rt::UnitClass::MenuItem || u.cls == rt::UnitClass::Timer) continue;
    lowest = std::max(lowest, u.top + u.height);
  }
  EXPECT_EQ(lowest, 136);
}

}  // namespace
