// The colours of the themed look: one table per scheme for push buttons,
// frames and arrow buttons, the check box colours that every scheme shares,
// and which table entry each control state takes.
#pragma once

#include <array>
#include <cstdint>

namespace rt::theme {

// A colour laid out as GDI's COLORREF: 0x00BBGGRR.
using Color = uint32_t;

constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 | static_cast<Color>(b & 0xFF) << 16;
}
constexpr int red(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int green(Color c) { return static_cast<int>(c >> 8 & 0xFF); }
constexpr int blue(Color c) { return static_cast<int>(c >> 16 & 0xFF); }

// The colour `face` made darker by `step` (both 0x00BBGGRR). Each channel
// goes down on its own and stops at 0, so a dark face never borrows from
// its neighbour channel.
Color darker(Color face, Color step);

// A gradient over a rectangle, given by the colours of its four corners. It
// is drawn as two triangles: (top left, top right, bottom left) and
// (bottom right, top right, bottom left).
struct Gradient {
  Color top_left, top_right, bottom_left, bottom_right;
};

struct SchemeColors {
  Color button_border;
  // Push buttons: rings 0 pressed, 1 hot, 2 checked, 3 focused or default,
  // 4 normal; faces 5 pressed or checked, 6 normal.
  std::array<Gradient, 7> button;
  Color frame;  // edit boxes, combo boxes and their lists
  Color arrow;  // the chevron of an arrow button
  // Arrow buttons, by arrow state a (see arrow_state): entry a fills the
  // button, a + 4 gives its four corner pixels, a + 8 fills it less 1 pixel.
  std::array<Gradient, 12> arrow_button;
};

// Schemes 1 to 3; any other number gives scheme 1.
const SchemeColors& scheme_colors(int scheme);

// What a disabled control takes instead of the scheme's colours: steps
// below the system button face.
constexpr Color kDisabledBorderStep = 0x202020;
constexpr Color kDisabledInnerCornerStep = 0x151515;
constexpr Color kDisabledEdgeCornerStep = 0x111111;
constexpr Color kDisabledButtonFace = rgb(245, 244, 234);
constexpr Color kDisabledButtonText = rgb(165, 162, 148);
constexpr Color kButtonText = rgb(0, 0, 0);
constexpr Color kDisabledArrow = rgb(206, 202, 198);

// Check boxes (and radio buttons) look the same in every scheme.
namespace check_box {
constexpr Color kFrame = rgb(24, 81, 132);
extern const std::array<Gradient, 3> kGradient;  // 0 pressed, 1 hot, 2 normal
constexpr Color kTick = rgb(33, 162, 33);
constexpr Color kDisabledTick = rgb(206, 203, 189);
constexpr Color kDisabledFill = rgb(255, 255, 255);
}  // namespace check_box

// Which entry a state takes.
int push_ring_entry(uint32_t state);  // 0..4
int push_face_entry(uint32_t state);  // 5, 6, or -1: no face (disabled)
int check_box_entry(uint32_t state);  // 0..2
int arrow_state(uint32_t state);      // 0 disabled, 1 pressed, 2 hot, 3 normal

// The flat fill of a check box's inner square, if the state has one.
struct InnerFill {
  bool present;
  Color color;
};
InnerFill check_box_inner_fill(uint32_t state);

}  // namespace rt::theme
