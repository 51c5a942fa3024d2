// Which standard controls the themed look takes over, and as what.
#pragma once

#include <cstdint>
#include <string_view>

namespace rt::theme {

enum class ControlKind { None, PushButton, CheckBox, RadioButton, GroupBox, Edit, ComboBox, ComboList, UpDown };

struct ControlFacts {
  std::string_view class_name;   // ASCII window class name, any case
  uint32_t style;
  std::string_view parent_class;
  bool has_text;
};

ControlKind classify(const ControlFacts& facts);

}  // namespace rt::theme
