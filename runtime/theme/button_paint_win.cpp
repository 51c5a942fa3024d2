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
  const Scale s(l.dpi);
  const bool disabled = has(l.state, state::kDisabled);
  frame(dc, box, disabled ? darker(face_color(), kDisabledBorderStep) : check_box::kFrame, s.line());
  if (disabled)
    fill(dc, check_box_gradient(box, s), check_box::kDisabledFill);
  else
    fill_gradient(dc, check_box_gradient(box, s), check_box::kGradient[check_box_entry(l.state)]);
  const Rect inner = check_box_inner(box, s);
  const InnerFill flat = check_box_inner_fill(l.state);
  if (flat.present) fill(dc, inner, flat.color);
  if (!has(l.state, state::kChecked)) return;
  const Color tick = disabled ? check_box::kDisabledTick : check_box::kTick;
  for (const Rect& stroke : tick_strokes(inner)) fill(dc, stroke, tick);
}

// The cells of a picture whose rows are texts, laid as a grid of
// `width` x N over `area`, where the row text has `mark`.
template <size_t N>
void put_marked(HDC dc, const Rect& area, int width, const std::array<const char*, N>& rows, char mark, Color c) {
  for (size_t y = 0; y < N; ++y)
    for (size_t x = 0; rows[y][x]; ++x)
      if (rows[y][x] == mark) fill(dc, grid_cell(area, width, N, static_cast<int>(x), static_cast<int>(y)), c);
}

// The box of a radio button: the check box's gradient rounded by its
// outline, and a dot when checked (the middle 5 x 5 of the box's 13 x 13).
void paint_radio_mark(HDC dc, const Rect& box, const Look& l) {
  const Scale s(l.dpi);
  const bool disabled = has(l.state, state::kDisabled);
  if (disabled)
    fill(dc, check_box_gradient(box, s), check_box::kDisabledFill);
  else
    fill_gradient(dc, check_box_gradient(box, s), check_box::kGradient[check_box_entry(l.state)]);
  put_marked(dc, box, kCheckBoxSize, kRadioOutline, '.', l.background_color);
  put_marked(dc, box, kCheckBoxSize, kRadioOutline, 'o', disabled ? darker(face_color(), kDisabledBorderStep) : check_box::kFrame);
  const Rect from = grid_cell(box, kCheckBoxSize, kCheckBoxSize, 4, 4), to = grid_cell(box, kCheckBoxSize, kCheckBoxSize, 8, 8);
  const Rect dot{from.left, from.top, to.right, to.bottom};
  if (has(l.state, state::kIndeterminate))
    put_marked(dc, dot, 5, kRadioDot, '#', check_box_inner_fill(l.state).color);
  else if (has(l.state, state::kChecked))
    put_marked(dc, dot, 5, kRadioDot, '#', disabled ? check_box::kDisabledTick : check_box::kTick);
}

// Check boxes and radio buttons: the background, the box, the text beside
// it and the focus around the text.
void paint_choice(HDC dc, const Rect& k, const Look& l, void (*mark)(HDC, const Rect&, const Look&)) {
  const Scale s(l.dpi);
  fill(dc, k, l.background);
  const CheckBoxPlacement place = place_check_box(k, l.style, s);
  mark(dc, place.box, l);
  if (l.text.empty()) return;
  const Color text = has(l.state, state::kDisabled) ? GetSysColor(COLOR_GRAYTEXT) : l.text_color;
  const Rect at = draw_text(dc, l.text, place.text, {l.style, Align::Left, l.font}, text);
  if (!has(l.state, state::kFocused)) return;
  const Rect around = at.grown(s.line());
  draw_focus(dc,
             {around.left > k.left ? around.left : k.left, around.top > k.top ? around.top : k.top,
              around.right < k.right ? around.right : k.right, around.bottom < k.bottom ? around.bottom : k.bottom},
             s.line());
}

}  // namespace

void paint_push_button(HDC dc, const Rect& r, const Look& l) {
  const Scale s(l.dpi);
  const SchemeColors& scheme = scheme_colors(l.scheme);
  const bool disabled = has(l.state, state::kDisabled);
  const Color face = face_color();
  fill(dc, r, l.background);
  frame(dc, r, GetSysColorBrush(COLOR_BTNFACE), s.line());

  const PushButtonRects p = push_button_rects(r, s);
  const Color border = disabled ? darker(face, kDisabledBorderStep) : scheme.button_border;
  frame(dc, p.border, border, s.line());
  if (disabled)
    fill(dc, p.ring, kDisabledButtonFace);
  else
    fill_gradient(dc, p.ring, scheme.button[push_ring_entry(l.state)]);
  const int face_entry = push_face_entry(l.state);
  if (face_entry >= 0) fill_gradient(dc, p.face, scheme.button[face_entry]);
  for (const CornerPixel& c : push_button_corners(r, s)) fill(dc, c.at, corner_color(c.tone, disabled, face, scheme.button_border));

  if (has(l.state, state::kFocused)) draw_focus(dc, p.face.grown(s.line()), s.line());
  if (l.text.empty()) return;
  const bool grey = disabled || has(l.state, state::kIndeterminate);
  const Rect text = has(l.state, state::kPressed) ? p.face.moved(s.line(), s.line()) : p.face;
  draw_text(dc, l.text, text, {l.style, Align::Centre, l.font}, grey ? kDisabledButtonText : kButtonText);
}

void paint_check_box(HDC dc, const Rect& client, const Look& look) { paint_choice(dc, client, look, paint_check_mark); }

void paint_radio_button(HDC dc, const Rect& client, const Look& look) { paint_choice(dc, client, look, paint_radio_mark); }

// A group box keeps what is inside it: only the band of its frame line and
// the caption are drawn anew, in the scheme's frame colour with rounded
// corners.
void paint_group_box(HDC dc, const Rect& r, const Look& l) {
  const Scale s(l.dpi);
  const int n = s.line();
  const bool disabled = has(l.state, state::kDisabled);
  TEXTMETRICW tm{};
  {
    SelectObjectScope font(dc, l.font);
    GetTextMetricsW(dc, &tm);
  }
  const Rect line{r.left, r.top + tm.tmHeight / 2, r.right, r.bottom};
  frame(dc, line, l.background, 2 * n);
  frame(dc, line, disabled ? darker(face_color(), kDisabledBorderStep) : scheme_colors(l.scheme).frame, n);
  for (const Rect& corner : {Rect{line.left, line.top, line.left + n, line.top + n},
                             Rect{line.right - n, line.top, line.right, line.top + n},
                             Rect{line.left, line.bottom - n, line.left + n, line.bottom},
                             Rect{line.right - n, line.bottom - n, line.right, line.bottom}})
    fill(dc, corner, l.background_color);
  if (l.text.empty()) return;
  const int indent = s.to_device(8), gap = s.to_device(2);
  const TextStyle how{(l.style & BS_CENTER) | BS_TOP, Align::Left, l.font};
  const Rect room{r.left + indent, r.top, r.right - indent, r.top + tm.tmHeight};
  const Rect at = text_extent(dc, l.text, room, how);
  fill(dc, {at.left - gap, at.top, at.right + gap, at.bottom}, l.background);
  draw_text(dc, l.text, room, how, disabled ? GetSysColor(COLOR_GRAYTEXT) : l.text_color);
}

}  // namespace rt::theme
