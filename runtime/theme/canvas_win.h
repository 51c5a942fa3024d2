// Drawing primitives of the themed look on a device context, and the memory
// canvas that every paint is double-buffered through. Colours are drawn
// with the DC's own brush and pen (DC_BRUSH, DC_PEN), so no primitive
// creates a GDI object.
#pragma once

#include <windows.h>

#include <string>

#include "theme/scheme_colors.h"
#include "theme/shapes.h"
#include "win_handle.h"

namespace rt::theme {

inline RECT to_win(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
inline Rect from_win(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Color face_color();  // the system button face, COLOR_BTNFACE

void fill(HDC dc, const Rect& r, Color c);
void fill(HDC dc, const Rect& r, HBRUSH b);
// A frame `width` pixels wide, inside r.
void frame(HDC dc, const Rect& r, Color c, int width = 1);
void frame(HDC dc, const Rect& r, HBRUSH b, int width = 1);
void fill_gradient(HDC dc, const Rect& r, const Gradient& g);
// The dotted focus rectangle, `width` rings of it inside r.
void draw_focus(HDC dc, const Rect& r, int width = 1);

// Text of a button in `in`, placed by the style's BS_LEFT/BS_RIGHT/BS_CENTER
// and BS_TOP/BS_BOTTOM/BS_VCENTER bits (vertically centred when it has
// neither; horizontally `fallback` when it has none), on one line unless
// BS_MULTILINE. text_extent gives where draw_text puts it.
enum class Align { Left, Centre };
struct TextStyle {
  uint32_t style;
  Align fallback;
  HFONT font;  // null: the DC's own
};
Rect text_extent(HDC dc, const std::wstring& text, const Rect& in, const TextStyle& how);
Rect draw_text(HDC dc, const std::wstring& text, const Rect& in, const TextStyle& how, Color c);

// A memory DC with a bitmap like `like`'s, selected in for its lifetime.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC like, int width, int height);
  HDC dc() const { return dc_.get(); }
  explicit operator bool() const { return dc_ && bitmap_; }

 private:
  UniqueDc dc_;
  UniqueBitmap bitmap_;
  SelectObjectScope selected_;
};

}  // namespace rt::theme
