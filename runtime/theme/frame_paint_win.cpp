// Painting of the frames around edit boxes, combo boxes and drop-down lists,
// the arrow buttons of combo boxes and up-down controls.
#include "theme/canvas_win.h"
#include "theme/control_state.h"
#include "theme/painters_win.h"

namespace rt::theme {
namespace {

using state::has;

bool has_border(const Look& l) {
  return (l.style & WS_BORDER) || (l.ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

// The frame of the scheme, and inside it the plain (button face) or the
// window background.
void frame_twice(HDC dc, const Rect& a, const Look& l, bool plain_inside) {
  const bool disabled = has(l.state, state::kDisabled);
  frame(dc, a, disabled ? darker(face_color(), kDisabledBorderStep) : scheme_colors(l.scheme).frame);
  frame(dc, a.shrunk(1), GetSysColorBrush(plain_inside ? COLOR_BTNFACE : COLOR_WINDOW));
}

}  // namespace

void paint_edit_box(HDC dc, const Rect& a, const Look& l) {
  if (!has_border(l)) return;
  frame_twice(dc, a, l, has(l.state, state::kDisabled | state::kReadOnly));
}

// An empty list is left unframed.
void paint_combo_list(HDC dc, const Rect& a, const Look& l) {
  if (!has_border(l) || l.list_items <= 0) return;
  frame_twice(dc, a, l, has(l.state, state::kDisabled));
}

void paint_combo_box(HDC dc, const Rect& a, const Look& l) {
  const bool disabled = has(l.state, state::kDisabled);
  frame_twice(dc, a, l, disabled);
  Rect button = combo_button(a.shrunk(2), l.arrow_width);
  frame(dc, button, GetSysColorBrush(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
  button.left += 1;
  paint_arrow_button(dc, button, l.state, l.scheme, Direction::Down);
}

void paint_arrow_button(HDC dc, const Rect& a, uint32_t s, int scheme_number, Direction d) {
  if (a.empty()) return;
  const SchemeColors& scheme = scheme_colors(scheme_number);
  const int i = arrow_state(s);
  fill_gradient(dc, a, scheme.arrow_button[i]);
  const Gradient& corner = scheme.arrow_button[i + 4];
  put_pixel(dc, {a.left, a.top}, corner.top_left);
  put_pixel(dc, {a.right - 1, a.top}, corner.top_right);
  put_pixel(dc, {a.left, a.bottom - 1}, corner.bottom_left);
  put_pixel(dc, {a.right - 1, a.bottom - 1}, corner.bottom_right);
  fill_gradient(dc, a.shrunk(1), scheme.arrow_button[i + 8]);
  const Color pen = has(s, state::kDisabled) ? kDisabledArrow : scheme.arrow;
  for (const Polyline& line : chevron(a, d)) draw_polyline(dc, line, pen);
}

// Two arrow buttons, one above the other (side by side with UDS_HORZ).
void paint_up_down(HDC dc, const Rect& r, const Look& l) {
  constexpr uint32_t kHorizontal = 0x40;  // UDS_HORZ
  if (l.style & kHorizontal) {
    const int middle = r.left + r.width() / 2;
    paint_arrow_button(dc, {r.left, r.top, middle, r.bottom}, l.state, l.scheme, Direction::Left);
    paint_arrow_button(dc, {middle, r.top, r.right, r.bottom}, l.state, l.scheme, Direction::Right);
  } else {
    const int middle = r.top + r.height() / 2;
    paint_arrow_button(dc, {r.left, r.top, r.right, middle}, l.state, l.scheme, Direction::Up);
    paint_arrow_button(dc, {r.left, middle, r.right, r.bottom}, l.state, l.scheme, Direction::Down);
  }
}

}  // namespace rt::theme
