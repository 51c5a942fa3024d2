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
  const int n = Scale(l.dpi).line();
  const bool disabled = has(l.state, state::kDisabled);
  frame(dc, a, disabled ? darker(face_color(), kDisabledBorderStep) : scheme_colors(l.scheme).frame, n);
  frame(dc, a.shrunk(n), GetSysColorBrush(plain_inside ? COLOR_BTNFACE : COLOR_WINDOW), n);
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

// The frames, then the drop-down button in the strip at the right, as wide
// as the system's scroll arrows at the window's DPI.
void paint_combo_box(HDC dc, const Rect& a, const Look& l) {
  const int n = Scale(l.dpi).line();
  const bool disabled = has(l.state, state::kDisabled);
  frame_twice(dc, a, l, disabled);
  Rect button = combo_button(a.shrunk(2 * n), l.arrow_width);
  frame(dc, button, GetSysColorBrush(disabled ? COLOR_BTNFACE : COLOR_WINDOW), n);
  button.left += n;
  paint_arrow_button(dc, button, l, Direction::Down);
}

void paint_arrow_button(HDC dc, const Rect& a, const Look& l, Direction d) {
  if (a.empty()) return;
  const Scale s(l.dpi);
  const int n = s.line();
  const SchemeColors& scheme = scheme_colors(l.scheme);
  const int i = arrow_state(l.state);
  fill_gradient(dc, a, scheme.arrow_button[i]);
  const Gradient& corner = scheme.arrow_button[i + 4];
  fill(dc, {a.left, a.top, a.left + n, a.top + n}, corner.top_left);
  fill(dc, {a.right - n, a.top, a.right, a.top + n}, corner.top_right);
  fill(dc, {a.left, a.bottom - n, a.left + n, a.bottom}, corner.bottom_left);
  fill(dc, {a.right - n, a.bottom - n, a.right, a.bottom}, corner.bottom_right);
  fill_gradient(dc, a.shrunk(n), scheme.arrow_button[i + 8]);
  const Color pen = has(l.state, state::kDisabled) ? kDisabledArrow : scheme.arrow;
  for (const Rect& pixel : chevron_pixels(a, d, s)) fill(dc, pixel, pen);
}

// Two arrow buttons, one above the other (side by side with UDS_HORZ).
void paint_up_down(HDC dc, const Rect& r, const Look& l) {
  constexpr uint32_t kHorizontal = 0x40;  // UDS_HORZ
  if (l.style & kHorizontal) {
    const int middle = r.left + r.width() / 2;
    paint_arrow_button(dc, {r.left, r.top, middle, r.bottom}, l, Direction::Left);
    paint_arrow_button(dc, {middle, r.top, r.right, r.bottom}, l, Direction::Right);
  } else {
    const int middle = r.top + r.height() / 2;
    paint_arrow_button(dc, {r.left, r.top, r.right, middle}, l, Direction::Up);
    paint_arrow_button(dc, {r.left, middle, r.right, r.bottom}, l, Direction::Down);
  }
}

}  // namespace rt::theme
