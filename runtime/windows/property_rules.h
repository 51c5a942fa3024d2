// Numbered properties: which declared type each number has for each unit
// class, and how values of those types pass in and out.
#pragma once

#include <cstdint>

#include "unit.h"

namespace rt {

namespace prop {
// common to every class except menu items
constexpr int kLeft = 0;
constexpr int kTop = 1;
constexpr int kWidth = 2;
constexpr int kHeight = 3;
constexpr int kTag = 4;
constexpr int kVisible = 5;
constexpr int kDisabled = 6;
constexpr int kMousePointer = 7;
// by class
constexpr int kWindowState = 18;    // window
constexpr int kLabelCaption = 8;    // label
constexpr int kButtonCaption = 10;  // button
constexpr int kChecked = 18;        // check box
constexpr int kEditContent = 8;     // edit box
constexpr int kComboContent = 9;    // combo box
constexpr int kSelectedDate = 10;   // date box
constexpr int kInterval = 8;        // timer
constexpr int kSinceLastTick = 9;   // timer, read only: ms from the tick before (or the start) to its last tick
}  // namespace prop

enum class PropType { None, Integer, Choice, Boolean, DateTime, Text, Cursor };

struct PropInfo {
  PropType type = PropType::None;
  int32_t max_choice = 0;  // for choices
};

// The declared type of a property; None for numbers a class does not have.
PropInfo property_info(UnitClass cls, int number);

// Window states.
constexpr int32_t kStateNormal = 0;
constexpr int32_t kStateCentred = 1;
constexpr int32_t kStateMinimised = 2;
constexpr int32_t kStateMaximised = 3;

// Left and top are kept within -32627..32627, width and height within
// 0..32627.
int32_t clamp_position(int32_t v);
int32_t clamp_size(int32_t v);
// A choice below 0 counts as 0; above its largest value it is that value.
int32_t clamp_choice(int32_t v, int32_t max);
// Booleans are stored as 0 or 1.
inline int32_t to_stored_bool(uint32_t v) { return v != 0 ? 1 : 0; }

}  // namespace rt
