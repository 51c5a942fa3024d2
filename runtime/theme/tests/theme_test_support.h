// What the tests of the themed look share: a canvas to paint into and read
// back, the look's colours and pictures, colour comparison, looks, and
// counts of live handles.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <utility>

#include "theme/canvas_win.h"
#include "theme/control_state.h"
#include "theme/paint_win.h"

namespace tt {

using rt::theme::Color;
using rt::theme::ControlKind;
using rt::theme::Look;
using rt::theme::Point;
using rt::theme::Rect;

// Where nothing was painted.
constexpr Color kUnpainted = RGB(255, 0, 255);

// A memory bitmap like the screen's, filled with kUnpainted.
class Canvas {
 public:
  Canvas(int width, int height);
  HDC dc() const { return canvas_.dc(); }
  Color at(int x, int y) const { return GetPixel(canvas_.dc(), x, y); }
  // Paints a control of `kind` over the whole canvas (window and client
  // rectangle alike), as paint_window does on a window.
  void paint(ControlKind kind, const Look& look);
  const int width, height;

 private:
  rt::WindowDc screen_;
  rt::theme::MemoryCanvas canvas_;
};

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of `c` inside `r` that have exactly colour `color`.
PixelSet pixels_of(const Canvas& c, const Rect& r, Color color);

// A picture as rows of text: 'X' marks a pixel, the picture's (0, 0) at
// `origin`; at `size` 2 (a 96-DPI picture at 192 DPI) each pixel is a
// 2 x 2 square.
PixelSet picture(Point origin, std::initializer_list<const char*> rows, int size = 1);

// The chevron of an arrow button pointing down around centre (cx, cy), each
// of its pixels `size` wide.
PixelSet chevron_down(int cx, int cy, int size = 1);

// A check box's tick in its 7 x 7 inner square from `inner`, each pixel
// `size` wide.
PixelSet tick(Point inner, int size = 1);

// The colours the look is defined with, written out here rather than read
// from the tables that paint them: a mistyped entry there must fail a test.
// Per scheme: push button border, frame of edit and combo boxes, chevrons.
struct SchemeLiterals {
  Color border, frame, arrow;
};
constexpr SchemeLiterals kSchemes[] = {{},
                                       {RGB(0, 60, 115), RGB(123, 158, 189), RGB(123, 158, 189)},
                                       {RGB(55, 98, 6), RGB(164, 185, 127), RGB(255, 255, 255)},
                                       {RGB(0, 60, 116), RGB(198, 197, 215), RGB(0, 0, 0)}};
// Check boxes in every scheme, and radio buttons: the frame and the tick.
constexpr Color kCheckFrame = RGB(24, 81, 132), kTick = RGB(33, 162, 33);

// A look of scheme 1 with the parent's default colours and the GUI font.
Look look(uint32_t state, uint32_t style = 0, const wchar_t* text = L"");

// Colours equal within `tolerance` on each channel.
testing::AssertionResult near_color(Color actual, Color expected, int tolerance = 0);

// Live GDI objects and user objects of this process. Wine answers 0 to
// GetGuiResources; there the GDI count comes from the process's handle
// table (GetObjectType knows a live object by its index alone) and the user
// count is that of this thread's windows.
long gdi_objects();
long user_objects();

}  // namespace tt
