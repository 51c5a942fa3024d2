// Painting of push buttons, check boxes, radio buttons and group boxes.
#include "theme/canvas_win.h"
#include "theme/control_state.h"
#include "theme/painters_win.h"

namespace rt::theme {
namespace {

using state::has;

Color corner_color(CornerTone tone, bool disabled, Color face, Color border) {
  switch (tone) {
    case CornerTone::Face:
      return face;
    case CornerTone::BorderInner:
      return disabled ? darker(face, kDisabledInnerCornerStep) : border;
    default:
      return disabled ? darker(face, kDisabledEdgeCornerStep) : border;
  }
}

// The box of a check box: frame, gradient, flat inner fill, tick.
void paint_check_mark(HDC dc, const Rect& box, const Look& l) {
  const bool disabled = has(l.state, state::kDisabled);
  frame(dc, box, disabled ? darker(face_color(), kDisabledBorderStep) : check_box::kFrame);
  if (disabled)
    fill(dc, check_box_gradient(box), check_box::kDisabledFill);
  else
    fill_gradient(dc, check_box_gradient(box), check_box::kGradient[check_box_entry(l.state)]);
  const Rect inner = check_box_inner(box);
  const InnerFill flat = check_box_inner_fill(l.state);
  if (flat.present) fill(dc, inner, flat.color);
  if (!has(l.state, state::kChecked)) return;
  const Color tick = disabled ? check_box::kDisabledTick : check_box::kTick;
  for (const Stroke& s : tick_strokes(inner)) draw_stroke(dc, s, tick);
}

// Pixels of a 13 x 13 (or 5 x 5) picture whose rows are texts, where the
// row text has `mark`.
template <size_t N>
void put_marked(HDC dc, Point origin, const std::array<const char*, N>& rows, char mark, Color c) {
  for (size_t y = 0; y < N; ++y)
    for (size_t x = 0; rows[y][x]; ++x)
      if (rows[y][x] == mark) put_pixel(dc, {origin.x + static_cast<int>(x), origin.y + static_cast<int>(y)}, c);
}

// The box of a radio button: the check box's gradient rounded by its
// outline, and a dot when checked.
void paint_radio_mark(HDC dc, const Rect& box, const Look& l) {
  const bool disabled = has(l.state, state::kDisabled);
  if (disabled)
    fill(dc, check_box_gradient(box), check_box::kDisabledFill);
  else
    fill_gradient(dc, check_box_gradient(box), check_box::kGradient[check_box_entry(l.state)]);
  const Point at{box.left, box.top};
  put_marked(dc, at, kRadioOutline, '.', l.background_color);
  put_marked(dc, at, kRadioOutline, 'o', disabled ? darker(face_color(), kDisabledBorderStep) : check_box::kFrame);
  const Point dot{box.left + 4, box.top + 4};
  if (has(l.state, state::kIndeterminate))
    put_marked(dc, dot, kRadioDot, '#', check_box_inner_fill(l.state).color);
  else if (has(l.state, state::kChecked))
    put_marked(dc, dot, kRadioDot, '#', disabled ? check_box::kDisabledTick : check_box::kTick);
}

// Check boxes and radio buttons: the background, the box, the text beside
// it and the focus around the text.
void paint_choice(HDC dc, const Rect& k, const Look& l, void (*mark)(HDC, const Rect&, const Look&)) {
  fill(dc, k, l.background);
  const CheckBoxPlacement place = place_check_box(k, l.style);
  mark(dc, place.box, l);
  if (l.text.empty()) return;
  const Color text = has(l.state, state::kDisabled) ? GetSysColor(COLOR_GRAYTEXT) : l.text_color;
  const Rect at = draw_text(dc, l.text, place.text, {l.style, Align::Left, l.font}, text);
  if (!has(l.state, state::kFocused)) return;
  const Rect around = at.grown(1);
  draw_focus(dc, {around.left > k.left ? around.left : k.left, around.top > k.top ? around.top : k.top,
                  around.right < k.right ? around.right : k.right, around.bottom < k.bottom ? around.bottom : k.bottom});
}

}  // namespace

void paint_push_button(HDC dc, const Rect& r, const Look& l) {
  const SchemeColors& scheme = scheme_colors(l.scheme);
  const bool disabled = has(l.state, state::kDisabled);
  const Color face = face_color();
  fill(dc, r, l.background);
  frame(dc, r, GetSysColorBrush(COLOR_BTNFACE));

  const PushButtonRects p = push_button_rects(r);
  const Color border = disabled ? darker(face, kDisabledBorderStep) : scheme.button_border;
  frame(dc, p.border, border);
  if (disabled)
    fill(dc, p.ring, kDisabledButtonFace);
  else
    fill_gradient(dc, p.ring, scheme.button[push_ring_entry(l.state)]);
  const int face_entry = push_face_entry(l.state);
  if (face_entry >= 0) fill_gradient(dc, p.face, scheme.button[face_entry]);
  for (const CornerPixel& c : push_button_corners(r)) put_pixel(dc, c.at, corner_color(c.tone, disabled, face, scheme.button_border));

  if (has(l.state, state::kFocused)) draw_focus(dc, p.face.grown(1));
  if (l.text.empty()) return;
  const bool grey = disabled || has(l.state, state::kIndeterminate);
  const Rect text = has(l.state, state::kPressed) ? p.face.moved(1, 1) : p.face;
  draw_text(dc, l.text, text, {l.style, Align::Centre, l.font}, grey ? kDisabledButtonText : kButtonText);
}

void paint_check_box(HDC dc, const Rect& client, const Look& look) { paint_choice(dc, client, look, paint_check_mark); }

void paint_radio_button(HDC dc, const Rect& client, const Look& look) { paint_choice(dc, client, look, paint_radio_mark); }

// A group box keeps what is inside it: only the band of its frame line and
// the caption are drawn anew, in the scheme's frame colour with rounded
// corners.
void paint_group_box(HDC dc, const Rect& r, const Look& l) {
  const bool disabled = has(l.state, state::kDisabled);
  TEXTMETRICW tm{};
  {
    SelectObjectScope font(dc, l.font);
    GetTextMetricsW(dc, &tm);
  }
  const Rect line{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
  frame(dc, line, l.background);
  frame(dc, line.shrunk(1), l.background);
  frame(dc, line, disabled ? darker(face_color(), kDisabledBorderStep) : scheme_colors(l.scheme).frame);
  for (const Point p : {Point{line.left, line.top}, Point{line.right - 1, line.top}, Point{line.left, line.bottom - 1},
                        Point{line.right - 1, line.bottom - 1}})
    put_pixel(dc, p, l.background_color);
  if (l.text.empty()) return;
  constexpr int kIndent = 8;
  const TextStyle how{(l.style & BS_CENTER) | BS_TOP, Align::Left, l.font};
  const Rect room{r.left + kIndent, r.top, r.right - kIndent, r.top + tm.tmHeight};
  const Rect at = text_extent(dc, l.text, room, how);
  fill(dc, {at.left - 2, at.top, at.right + 2, at.bottom}, l.background);
  draw_text(dc, l.text, room, how, disabled ? GetSysColor(COLOR_GRAYTEXT) : l.text_color);
}

}  // namespace rt::theme
