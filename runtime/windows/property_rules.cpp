#include "property_rules.h"

namespace rt {

PropInfo property_info(UnitClass cls, int number) {
  if (cls == UnitClass::MenuItem) return {};
  switch (number) {
    case prop::kLeft:
    case prop::kTop:
    case prop::kWidth:
    case prop::kHeight:
      return {PropType::Integer};
    case prop::kTag:
      return {PropType::Text};
    case prop::kVisible:
    case prop::kDisabled:
      return {PropType::Boolean};
    case prop::kMousePointer:
      return {PropType::Cursor};
    default:
      break;
  }
  switch (cls) {
    case UnitClass::Window:
      if (number == prop::kWindowState) return {PropType::Choice, kStateMaximised};
      break;
    case UnitClass::Label:
      if (number == prop::kLabelCaption) return {PropType::Text};
      break;
    case UnitClass::Button:
      if (number == prop::kButtonCaption) return {PropType::Text};
      break;
    case UnitClass::CheckBox:
      if (number == prop::kChecked) return {PropType::Boolean};
      break;
    case UnitClass::EditBox:
      if (number == prop::kEditContent) return {PropType::Text};
      break;
    case UnitClass::ComboBox:
      if (number == prop::kComboContent) return {PropType::Text};
      break;
    case UnitClass::DateBox:
      if (number == prop::kSelectedDate) return {PropType::DateTime};
      break;
    case UnitClass::Timer:
      if (number == prop::kInterval || number == prop::kSinceLastTick) return {PropType::Integer};
      break;
    default:
      break;
  }
  return {};
}

int32_t clamp_position(int32_t v) { return v < -32627 ? -32627 : v > 32627 ? 32627 : v; }
int32_t clamp_size(int32_t v) { return v < 0 ? 0 : v > 32627 ? 32627 : v; }
int32_t clamp_choice(int32_t v, int32_t max) { return v < 0 ? 0 : v > max ? max : v; }

}  // namespace rt
