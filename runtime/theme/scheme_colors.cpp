#include "theme/scheme_colors.h"

#include "theme/control_state.h"

namespace rt::theme {
namespace {

constexpr Gradient vertical(Color top, Color bottom) { return {top, top, bottom, bottom}; }

// Rings and faces that scheme 1 shares with the other schemes.
constexpr Gradient kHotRing = vertical(rgb(255, 240, 207), rgb(229, 151, 0));
constexpr Gradient kCheckedRing = {rgb(214, 203, 189), rgb(214, 207, 198), rgb(247, 243, 239), rgb(247, 243, 239)};

// Blue.
constexpr SchemeColors kScheme1 = {
    rgb(0, 60, 115),
    {{
        vertical(rgb(209, 204, 193), rgb(242, 241, 238)),
        kHotRing,
        kCheckedRing,
        vertical(rgb(206, 231, 255), rgb(105, 130, 238)),
        vertical(rgb(255, 255, 255), rgb(226, 223, 214)),
        {rgb(231, 227, 222), rgb(231, 231, 231), rgb(231, 227, 222), rgb(231, 227, 222)},
        vertical(rgb(252, 252, 251), rgb(236, 235, 230)),
    }},
    rgb(123, 158, 189),
    rgb(123, 158, 189),
    {{
        {rgb(247, 243, 239), rgb(231, 231, 222), rgb(231, 227, 222), rgb(231, 227, 222)},
        {rgb(165, 174, 222), rgb(189, 203, 247), rgb(115, 130, 222), rgb(181, 199, 247)},
        {rgb(181, 199, 239), rgb(148, 174, 231), rgb(132, 162, 222), rgb(140, 166, 222)},
        {rgb(214, 227, 255), rgb(189, 203, 247), rgb(173, 195, 247), rgb(181, 199, 247)},
        {rgb(247, 247, 247), rgb(247, 243, 239), rgb(247, 243, 239), rgb(247, 243, 239)},
        {rgb(189, 195, 222), rgb(173, 182, 222), rgb(222, 227, 255), rgb(222, 227, 247)},
        {rgb(206, 219, 239), rgb(198, 207, 239), rgb(198, 207, 231), rgb(189, 203, 231)},
        {rgb(231, 239, 255), rgb(222, 231, 255), rgb(222, 227, 255), rgb(222, 227, 247)},
        {rgb(247, 247, 247), rgb(239, 239, 231), rgb(239, 235, 231), rgb(231, 231, 222)},
        {rgb(107, 142, 247), rgb(132, 150, 247), rgb(140, 158, 239), rgb(214, 223, 239)},
        {rgb(255, 255, 255), rgb(206, 227, 255), rgb(198, 223, 255), rgb(189, 219, 255)},
        {rgb(231, 235, 255), rgb(189, 207, 255), rgb(181, 203, 255), rgb(173, 203, 247)},
    }},
};

// Olive green, with white arrows on green arrow buttons.
constexpr SchemeColors kScheme2 = {
    rgb(55, 98, 6),
    {{
        vertical(rgb(205, 210, 186), rgb(241, 243, 234)),
        kHotRing,
        kCheckedRing,
        vertical(rgb(222, 236, 186), rgb(143, 172, 66)),
        vertical(rgb(255, 255, 255), rgb(220, 224, 204)),
        {rgb(226, 230, 214), rgb(229, 231, 222), rgb(226, 230, 214), rgb(226, 230, 214)},
        vertical(rgb(252, 252, 248), rgb(233, 236, 222)),
    }},
    rgb(164, 185, 127),
    rgb(255, 255, 255),
    {{
        {rgb(247, 243, 239), rgb(231, 231, 222), rgb(231, 227, 222), rgb(231, 227, 222)},
        {rgb(121, 146, 62), rgb(140, 166, 82), rgb(98, 124, 40), rgb(133, 160, 74)},
        {rgb(176, 204, 116), rgb(156, 186, 96), rgb(144, 174, 84), rgb(150, 180, 90)},
        {rgb(186, 208, 130), rgb(165, 192, 106), rgb(154, 182, 94), rgb(160, 187, 100)},
        {rgb(247, 247, 247), rgb(247, 243, 239), rgb(247, 243, 239), rgb(247, 243, 239)},
        {rgb(146, 164, 104), rgb(136, 156, 94), rgb(180, 200, 140), rgb(176, 196, 134)},
        {rgb(198, 216, 156), rgb(186, 206, 142), rgb(184, 204, 140), rgb(176, 198, 130)},
        {rgb(214, 230, 176), rgb(200, 220, 158), rgb(198, 218, 156), rgb(192, 212, 150)},
        {rgb(247, 247, 247), rgb(239, 239, 231), rgb(239, 235, 231), rgb(231, 231, 222)},
        {rgb(104, 132, 46), rgb(118, 146, 60), rgb(126, 154, 68), rgb(150, 176, 96)},
        {rgb(196, 222, 140), rgb(170, 200, 112), rgb(162, 192, 104), rgb(156, 186, 98)},
        {rgb(206, 226, 156), rgb(178, 204, 120), rgb(170, 198, 112), rgb(164, 192, 106)},
    }},
};

// Silver, with black arrows.
constexpr SchemeColors kScheme3 = {
    rgb(0, 60, 116),
    {{
        vertical(rgb(202, 201, 212), rgb(240, 240, 244)),
        kHotRing,
        kCheckedRing,
        vertical(rgb(214, 228, 252), rgb(122, 140, 222)),
        vertical(rgb(255, 255, 255), rgb(214, 214, 224)),
        {rgb(222, 222, 230), rgb(228, 228, 234), rgb(222, 222, 230), rgb(222, 222, 230)},
        vertical(rgb(253, 253, 253), rgb(228, 228, 236)),
    }},
    rgb(198, 197, 215),
    rgb(0, 0, 0),
    {{
        {rgb(247, 243, 239), rgb(231, 231, 222), rgb(231, 227, 222), rgb(231, 227, 222)},
        {rgb(180, 180, 198), rgb(198, 198, 214), rgb(160, 160, 182), rgb(192, 192, 210)},
        {rgb(236, 236, 244), rgb(220, 220, 232), rgb(208, 208, 224), rgb(214, 214, 228)},
        {rgb(246, 246, 250), rgb(230, 230, 240), rgb(222, 222, 234), rgb(226, 226, 238)},
        {rgb(247, 247, 247), rgb(247, 243, 239), rgb(247, 243, 239), rgb(247, 243, 239)},
        {rgb(196, 196, 212), rgb(186, 186, 204), rgb(220, 220, 234), rgb(216, 216, 230)},
        {rgb(226, 226, 236), rgb(218, 218, 230), rgb(216, 216, 228), rgb(210, 210, 224)},
        {rgb(236, 236, 244), rgb(228, 228, 238), rgb(226, 226, 236), rgb(222, 222, 232)},
        {rgb(247, 247, 247), rgb(239, 239, 231), rgb(239, 235, 231), rgb(231, 231, 222)},
        {rgb(170, 170, 190), rgb(182, 182, 200), rgb(190, 190, 206), rgb(222, 222, 232)},
        {rgb(255, 255, 255), rgb(236, 236, 244), rgb(230, 230, 240), rgb(224, 224, 236)},
        {rgb(250, 250, 252), rgb(234, 234, 242), rgb(228, 228, 238), rgb(222, 222, 234)},
    }},
};

}  // namespace

namespace check_box {
const std::array<Gradient, 3> kGradient = {{
    {rgb(181, 178, 165), rgb(214, 215, 206), rgb(214, 215, 206), rgb(247, 239, 222)},
    {rgb(255, 243, 206), rgb(255, 203, 99), rgb(255, 203, 99), rgb(255, 178, 49)},
    {rgb(222, 223, 214), rgb(247, 243, 239), rgb(247, 243, 239), rgb(255, 255, 255)},
}};
}  // namespace check_box

Color darker(Color face, Color step) {
  const auto down = [](int a, int b) { return a > b ? a - b : 0; };
  return rgb(down(red(face), red(step)), down(green(face), green(step)), down(blue(face), blue(step)));
}

const SchemeColors& scheme_colors(int scheme) {
  switch (scheme) {
    case 2:
      return kScheme2;
    case 3:
      return kScheme3;
    default:
      return kScheme1;
  }
}

using state::has;

int push_ring_entry(uint32_t s) {
  if (has(s, state::kPressed)) return 0;
  if (has(s, state::kHot)) return 1;
  if (has(s, state::kChecked | state::kIndeterminate)) return 2;
  if (has(s, state::kFocused | state::kDefault)) return 3;
  return 4;
}

int push_face_entry(uint32_t s) {
  if (has(s, state::kPressed | state::kChecked | state::kIndeterminate)) return 5;
  return has(s, state::kDisabled) ? -1 : 6;
}

int check_box_entry(uint32_t s) {
  if (has(s, state::kPressed)) return 0;
  return has(s, state::kHot) ? 1 : 2;
}

int arrow_state(uint32_t s) {
  if (has(s, state::kDisabled)) return 0;
  if (has(s, state::kPressed)) return 1;
  return has(s, state::kHot) ? 2 : 3;
}

InnerFill check_box_inner_fill(uint32_t s) {
  if (has(s, state::kIndeterminate)) {
    if (has(s, state::kDisabled)) return {true, rgb(206, 203, 189)};
    if (has(s, state::kPressed)) return {true, rgb(24, 138, 24)};
    if (has(s, state::kHot)) return {true, rgb(33, 162, 33)};
    return {true, rgb(115, 195, 115)};
  }
  // A hot box shows its gradient as a 2-pixel ring around a flat square.
  if (has(s, state::kHot) && !has(s, state::kPressed))
    return {true, has(s, state::kChecked) ? rgb(247, 247, 247) : rgb(231, 231, 231)};
  return {false, 0};
}

}  // namespace rt::theme
