#include <gtest/gtest.h>

#include "property_rules.h"

namespace {

using namespace rt;

TEST(PropertyRules, DeclaredTypesOfTheUsedProperties) {
  struct Case {
    UnitClass cls;
    int number;
    PropType type;
  };
  const Case cases[] = {
      {UnitClass::Window, prop::kVisible, PropType::Boolean}, {UnitClass::Window, prop::kWindowState, PropType::Choice},
      {UnitClass::Label, prop::kLabelCaption, PropType::Text},  {UnitClass::Button, prop::kButtonCaption, PropType::Text},
      {UnitClass::CheckBox, prop::kChecked, PropType::Boolean}, {UnitClass::EditBox, prop::kEditContent, PropType::Text},
      {UnitClass::ComboBox, prop::kComboContent, PropType::Text}, {UnitClass::DateBox, prop::kSelectedDate, PropType::DateTime},
      {UnitClass::Timer, prop::kInterval, PropType::Integer},   {UnitClass::Timer, prop::kLeft, PropType::Integer},
      {UnitClass::Timer, prop::kSinceLastTick, PropType::Integer},
      {UnitClass::Label, prop::kTag, PropType::Text},           {UnitClass::Button, prop::kDisabled, PropType::Boolean},
      // numbers a class does not have
      {UnitClass::Label, prop::kButtonCaption, PropType::None}, {UnitClass::Button, prop::kLabelCaption, PropType::None},
      {UnitClass::MenuItem, prop::kLeft, PropType::None},       {UnitClass::Timer, 10, PropType::None},
      {UnitClass::Window, -1, PropType::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(property_info(c.cls, c.number).type, c.type) << static_cast<int>(c.cls) << " " << c.number;
  EXPECT_EQ(property_info(UnitClass::Window, prop::kWindowState).max_choice, 3);
}

TEST(PropertyRules, Clamps) {
  EXPECT_EQ(clamp_position(-32628), -32627);
  EXPECT_EQ(clamp_position(-32627), -32627);
  EXPECT_EQ(clamp_position(32627), 32627);
  EXPECT_EQ(clamp_position(32767), 32627);
  EXPECT_EQ(clamp_position(INT32_MIN), -32627);
  EXPECT_EQ(clamp_size(-1), 0);
  EXPECT_EQ(clamp_size(0), 0);
  EXPECT_EQ(clamp_size(32628), 32627);
  EXPECT_EQ(clamp_choice(-1, 3), 0);
  EXPECT_EQ(clamp_choice(2, 3), 2);
  EXPECT_EQ(clamp_choice(4, 3), 3);
  EXPECT_EQ(to_stored_bool(0), 0);
  EXPECT_EQ(to_stored_bool(0xFFFFFFFFu), 1);
  EXPECT_EQ(to_stored_bool(2), 1);
}

TEST(UnitKinds, TopBitsOfTheIdentifier) {
  EXPECT_EQ(unit_kind(0x06010000), UnitKind::Own);
  EXPECT_EQ(unit_kind(0x1601002A), UnitKind::Control);
  EXPECT_EQ(unit_kind(0x26010074), UnitKind::MenuItem);
  EXPECT_EQ(unit_kind(0x27010074), UnitKind::Invalid);
  EXPECT_EQ(unit_kind(0x36010074), UnitKind::Invalid);
}

}  // namespace
