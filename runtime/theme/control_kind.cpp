#include "theme/control_kind.h"

namespace rt::theme {
namespace {

bool same(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

constexpr uint32_t kImage = 0x80;       // picture buttons keep their look
constexpr uint32_t kPushLike = 0x1000;

ControlKind classify_button(uint32_t style, bool has_text) {
  if (style & kImage) return ControlKind::None;
  switch (style & 0x1F) {
    case 0:
    case 1:
      return !has_text && style == 0x40010000u ? ControlKind::None : ControlKind::PushButton;
    case 2:
    case 3:
    case 5:
    case 6:
      return style & kPushLike ? ControlKind::PushButton : ControlKind::CheckBox;
    case 4:
    case 9:
      return style & kPushLike ? ControlKind::PushButton : ControlKind::RadioButton;
    case 7:
      return ControlKind::GroupBox;
    default:
      return ControlKind::None;
  }
}

}  // namespace

ControlKind classify(const ControlFacts& f) {
  if (same(f.class_name, "Button")) return classify_button(f.style, f.has_text);
  if (same(f.class_name, "Edit")) return same(f.parent_class, "SysIPAddress32") ? ControlKind::None : ControlKind::Edit;
  if (same(f.class_name, "ComboBox")) return (f.style & 3) == 1 ? ControlKind::None : ControlKind::ComboBox;
  if (same(f.class_name, "ComboLBox")) return ControlKind::ComboList;
  if (same(f.class_name, "msctls_updown32")) return ControlKind::UpDown;
  return ControlKind::None;
}

}  // namespace rt::theme
