// Reading layouts into the table: checks, handler names, Tab order, menu
// command identifiers.
#include <gtest/gtest.h>

#include "layout_table.h"

namespace {

using namespace rt;
namespace f = unit_flag;

int32_t first(int, const int32_t*) { return 1; }
int32_t second(int, const int32_t*) { return 2; }
const HandlerEntry kHandlers[] = {{"first", first}, {"second", second}};

UnitDef own(uint32_t id = 0x06010000) {
  return UnitDef{id, "w", UnitClass::Window, -1, 0, 0, 100, 100, "w", 0, f::kVisible, 0,
                 {{{event::kCreated, "first"}, {event::kMoved, "missing"}}}};
}
UnitDef control(uint32_t id, UnitClass cls, uint32_t flags = f::kVisible, int order = 0) {
  return UnitDef{id, "c", cls, 0, 0, 0, 10, 10, "", 0, flags, order, {{{event::kClicked, "second"}}}};
}
UnitDef menu(uint32_t id, int parent) {
  return UnitDef{id, nullptr, UnitClass::MenuItem, parent, 0, 0, 0, 0, "m", 0, f::kVisible, 0, {{{0, "first"}}}};
}

bool loads(std::vector<UnitDef> units) {
  const WindowDef def{0x52010001, units.data(), static_cast<int>(units.size())};
  const WindowDef* list[] = {&def};
  LayoutTable t;
  return t.load(list, 1, kHandlers, 2);
}

TEST(LayoutTable, ResolvesHandlerNamesAndLeavesMissingOnesUnbound) {
  const UnitDef units[] = {own(), control(0x16010001, UnitClass::Button)};
  const WindowDef def{0x52010001, units, 2};
  const WindowDef* list[] = {&def};
  LayoutTable t;
  ASSERT_TRUE(t.load(list, 1, kHandlers, 2));
  const ResolvedWindow* w = t.find(0x52010001);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->units[0].find(event::kCreated), &first);
  EXPECT_EQ(w->units[0].find(event::kMoved), nullptr);
  EXPECT_EQ(w->units[0].find(event::kSized), nullptr);
  EXPECT_EQ(w->unit(0x16010001)->find(event::kClicked), &second);
  EXPECT_EQ(w->unit(0x16019999), nullptr);
  EXPECT_EQ(t.find(0x52010002), nullptr);
}

TEST(LayoutTable, RefusesLayoutsThatDoNotHoldTogether) {
  EXPECT_TRUE(loads({own(), control(0x16010001, UnitClass::Label)}));
  EXPECT_FALSE(loads({control(0x16010001, UnitClass::Label)})) << "own unit first";
  EXPECT_FALSE(loads({own(0x16010000)})) << "own unit's identifier";
  EXPECT_FALSE(loads({own(), control(0x16010001, UnitClass::Label), control(0x16010001, UnitClass::Button)}))
      << "an identifier twice";
  EXPECT_FALSE(loads({own(), control(0x26010001, UnitClass::Label)})) << "a control with a menu identifier";
  EXPECT_FALSE(loads({own(), menu(0x16010001, 0)})) << "a menu item with a control identifier";
  EXPECT_FALSE(loads({own(), menu(0x26010001, 0), control(0x16010002, UnitClass::Label), menu(0x26010003, 1)}))
      << "menu items in one run";
  EXPECT_FALSE(loads({own(), control(0x16010002, UnitClass::Label), menu(0x26010003, 1)}))
      << "a menu item under something that is not a menu";
  EXPECT_FALSE(loads({own(), menu(0x26010003, 5)})) << "a parent after the item";
  EXPECT_FALSE(loads({})) << "no units";
}

TEST(LayoutTable, RefusesTheSameWindowTwice) {
  const UnitDef units[] = {own()};
  const WindowDef def{0x52010001, units, 1};
  const WindowDef* list[] = {&def, &def};
  LayoutTable t;
  EXPECT_FALSE(t.load(list, 2, kHandlers, 2));
  EXPECT_FALSE(t.load(nullptr, 0, kHandlers, 2) && false);
}

TEST(LayoutTable, MenuCommandsFollowThePositionInTheRunOfMenuItems) {
  const UnitDef units[] = {own(), control(0x16010001, UnitClass::Label), menu(0x26010002, 0), menu(0x26010003, 2),
                           menu(0x26010004, 2), control(0x16010005, UnitClass::Timer)};
  const WindowDef def{0x52010001, units, 6};
  const WindowDef* list[] = {&def};
  LayoutTable t;
  ASSERT_TRUE(t.load(list, 1, kHandlers, 2));
  const ResolvedWindow& w = *t.find(0x52010001);
  EXPECT_EQ(w.menu_command(2), 20000);
  EXPECT_EQ(w.menu_command(4), 20002);
  EXPECT_EQ(w.menu_command(1), -1);
  EXPECT_EQ(w.menu_command(5), -1);
  EXPECT_EQ(w.menu_item(20001)->def->id, 0x26010003u);
  EXPECT_EQ(w.menu_item(20003), nullptr);
  EXPECT_EQ(w.menu_item(19999), nullptr);
  EXPECT_EQ(w.menu_item(57600), nullptr);
}

TEST(FocusOrder, ByNumberThenReverseLayoutOrder) {
  const UnitDef units[] = {own(),
                           control(0x16010001, UnitClass::CheckBox, f::kFocusStop),
                           control(0x16010002, UnitClass::Label),
                           control(0x16010003, UnitClass::Button, f::kFocusStop, 2),
                           control(0x16010004, UnitClass::EditBox, f::kFocusStop),
                           control(0x16010005, UnitClass::ComboBox, f::kFocusStop, 1),
                           control(0x16010006, UnitClass::DateBox, f::kFocusStop)};
  const WindowDef def{0x52010001, units, 7};
  EXPECT_EQ(focus_order(def), (std::vector<int>{6, 4, 1, 5, 3}));
}

}  // namespace
