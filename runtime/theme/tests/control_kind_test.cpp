// Which controls the themed look takes over.
#include <gtest/gtest.h>

#include "theme/control_kind.h"

namespace {

using rt::theme::classify;
using rt::theme::ControlKind;

TEST(ControlKind, ByClassNameStyleAndParent) {
  struct Case {
    const char* cls;
    uint32_t style;
    const char* parent;
    bool has_text;
    ControlKind kind;
  };
  const Case cases[] = {
      {"Button", 0x50012F00 & ~0x1Fu, "w", true, ControlKind::PushButton},   // BS_PUSHBUTTON and alignment
      {"BUTTON", 0x50000001, "w", true, ControlKind::PushButton},            // default push, any case
      {"button", 0x40010000, "w", false, ControlKind::None},                 // an empty plain button
      {"button", 0x40010000, "w", true, ControlKind::PushButton},
      {"Button", 0x50010000, "w", false, ControlKind::PushButton},
      {"Button", 0x50000080, "w", true, ControlKind::None},                  // picture button
      {"Button", 0x50002003, "w", true, ControlKind::CheckBox},              // auto check box, multi-line
      {"Button", 0x50000002, "w", true, ControlKind::CheckBox},
      {"Button", 0x50000005, "w", true, ControlKind::CheckBox},              // three-state
      {"Button", 0x50000006, "w", true, ControlKind::CheckBox},
      {"Button", 0x50001003, "w", true, ControlKind::PushButton},            // push-like check box
      {"Button", 0x50000004, "w", true, ControlKind::RadioButton},
      {"Button", 0x50000009, "w", true, ControlKind::RadioButton},
      {"Button", 0x50001009, "w", true, ControlKind::PushButton},            // push-like radio button
      {"Button", 0x50000007, "w", true, ControlKind::GroupBox},
      {"Button", 0x50000008, "w", true, ControlKind::None},
      {"Button", 0x5000000B, "w", true, ControlKind::None},                  // owner-drawn
      {"Edit", 0x50010080, "w", false, ControlKind::Edit},
      {"Edit", 0x50010080, "SysIPAddress32", false, ControlKind::None},
      {"Edit", 0x50010080, "ComboBox", false, ControlKind::Edit},            // a combo box's edit field
      {"ComboBox", 0x50210042, "w", false, ControlKind::ComboBox},           // drop-down
      {"ComboBox", 0x50210043, "w", false, ControlKind::ComboBox},           // drop-down list
      {"ComboBox", 0x50210041, "w", false, ControlKind::None},               // simple
      {"ComboLBox", 0x44800001, "ComboBox", false, ControlKind::ComboList},
      {"msctls_updown32", 0x50000000, "w", false, ControlKind::UpDown},
      {"SysDateTimePick32", 0x50000004, "w", false, ControlKind::None},
      {"TimerRuntimeLabel", 0x50000000, "w", true, ControlKind::None},
      {"Static", 0x50000000, "w", true, ControlKind::None},
      {"ListBox", 0x50000000, "w", false, ControlKind::None},
      {"Buttons", 0x50000000, "w", true, ControlKind::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(classify({c.cls, c.style, c.parent, c.has_text}), c.kind) << c.cls << " " << std::hex << c.style;
}

}  // namespace
