#include "theme/canvas_win.h"

namespace rt::theme {
namespace {

COLOR16 channel(int v) { return static_cast<COLOR16>(v << 8); }

TRIVERTEX vertex(int x, int y, Color c) {
  return {x, y, channel(red(c)), channel(green(c)), channel(blue(c)), 0};
}

HBRUSH dc_brush(HDC dc, Color c) {
  SetDCBrushColor(dc, c);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

// DrawText flags of a button's alignment bits, apart from the vertical ones,
// which draw_text places itself (DrawText centres single lines only).
UINT text_flags(const TextStyle& how) {
  UINT flags = (how.style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (how.style & BS_CENTER) {
    case BS_LEFT:
      return flags | DT_LEFT;
    case BS_RIGHT:
      return flags | DT_RIGHT;
    case BS_CENTER:
      return flags | DT_CENTER;
    default:
      return flags | (how.fallback == Align::Centre ? DT_CENTER : DT_LEFT);
  }
}

// Where DrawText puts `text` inside `in`, with the font already selected.
Rect place_text(HDC dc, const std::wstring& text, const Rect& in, const TextStyle& how) {
  const UINT flags = text_flags(how);
  RECT calc = to_win(in);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &calc, flags | DT_CALCRECT);
  const int w = calc.right - calc.left, h = calc.bottom - calc.top;
  int x = in.left, y = in.top + (in.height() - h) / 2;
  if (flags & DT_CENTER) x = in.left + (in.width() - w) / 2;
  if (flags & DT_RIGHT) x = in.right - w;
  if ((how.style & BS_VCENTER) == BS_TOP) y = in.top;
  if ((how.style & BS_VCENTER) == BS_BOTTOM) y = in.bottom - h;
  return {x, y, x + w, y + h};
}

}  // namespace

Color face_color() { return GetSysColor(COLOR_BTNFACE); }

void fill(HDC dc, const Rect& r, Color c) { fill(dc, r, dc_brush(dc, c)); }

void fill(HDC dc, const Rect& r, HBRUSH b) {
  if (r.empty()) return;
  const RECT w = to_win(r);
  FillRect(dc, &w, b);
}

void frame(HDC dc, const Rect& r, Color c, int width) { frame(dc, r, dc_brush(dc, c), width); }

void frame(HDC dc, const Rect& r, HBRUSH b, int width) {
  for (int i = 0; i < width && !r.shrunk(i).empty(); ++i) {
    const RECT w = to_win(r.shrunk(i));
    FrameRect(dc, &w, b);
  }
}

void fill_gradient(HDC dc, const Rect& r, const Gradient& g) {
  if (r.empty()) return;
  if (g.top_left == g.top_right && g.bottom_left == g.bottom_right) {
    // Top to bottom only: the two triangles give every row one colour, as
    // the vertical rectangle fill does at a fraction of the cost.
    TRIVERTEX v[2] = {vertex(r.left, r.top, g.top_left), vertex(r.right, r.bottom, g.bottom_left)};
    GRADIENT_RECT whole{0, 1};
    GradientFill(dc, v, 2, &whole, 1, GRADIENT_FILL_RECT_V);
    return;
  }
  TRIVERTEX v[4] = {vertex(r.left, r.top, g.top_left), vertex(r.right, r.top, g.top_right),
                    vertex(r.left, r.bottom, g.bottom_left), vertex(r.right, r.bottom, g.bottom_right)};
  GRADIENT_TRIANGLE t[2] = {{0, 1, 2}, {3, 1, 2}};
  GradientFill(dc, v, 4, t, 2, GRADIENT_FILL_TRIANGLE);
}

void draw_focus(HDC dc, const Rect& r, int width) {
  for (int i = 0; i < width && !r.shrunk(i).empty(); ++i) {
    const RECT w = to_win(r.shrunk(i));
    DrawFocusRect(dc, &w);
  }
}

Rect text_extent(HDC dc, const std::wstring& text, const Rect& in, const TextStyle& how) {
  SelectObjectScope font(dc, how.font);
  return place_text(dc, text, in, how);
}

Rect draw_text(HDC dc, const std::wstring& text, const Rect& in, const TextStyle& how, Color c) {
  SelectObjectScope font(dc, how.font);
  const Rect at = place_text(dc, text, in, how);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c);
  // The whole width of `in`, so that DrawText's own horizontal placement and
  // line breaks are the ones measured.
  RECT out{in.left, at.top, in.right, at.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &out, text_flags(how));
  return at;
}

MemoryCanvas::MemoryCanvas(HDC like, int width, int height)
    : dc_(CreateCompatibleDC(like)),
      bitmap_(CreateCompatibleBitmap(like, width, height)),
      selected_(dc_.get(), dc_ ? bitmap_.get() : nullptr) {}

}  // namespace rt::theme
