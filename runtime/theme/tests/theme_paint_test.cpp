// The painters on memory bitmaps: border and frame colours, the state rings'
// gradient end points, corner pixels, the tick and the chevron, per state.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "theme/scheme_colors.h"
#include "theme/shapes.h"
#include "theme_test_support.h"

namespace {

using namespace rt::theme;
using tt::Canvas;
using tt::near_color;
namespace st = rt::theme::state;

using PixelSet = std::set<std::pair<int, int>>;

// The pixels of `c` inside `r` that have exactly colour `color`.
PixelSet pixels_of(const Canvas& c, const Rect& r, Color color) {
  PixelSet s;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (c.at(x, y) == color) s.insert({x, y});
  return s;
}

// A picture as rows of text: 'X' marks a pixel, placed at `origin`.
PixelSet picture(Point origin, std::initializer_list<const char*> rows) {
  PixelSet s;
  int y = origin.y;
  for (const char* row : rows) {
    for (int x = 0; row[x]; ++x)
      if (row[x] == 'X') s.insert({origin.x + x, y});
    ++y;
  }
  return s;
}

// Pixels where two canvases of one size differ.
PixelSet differences(const Canvas& a, const Canvas& b) {
  PixelSet s;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.at(x, y) != b.at(x, y)) s.insert({x, y});
  return s;
}

bool on_outline(std::pair<int, int> p, const Rect& r) {
  const bool in_x = p.first >= r.left && p.first < r.right, in_y = p.second >= r.top && p.second < r.bottom;
  return (in_x && (p.second == r.top || p.second == r.bottom - 1)) ||
         (in_y && (p.first == r.left || p.first == r.right - 1));
}

// How far a gradient's pixel may be from its corner colour `steps` pixels in.
int slack(Color a, Color b, int steps, int length) {
  const int d = std::max({std::abs(red(a) - red(b)), std::abs(green(a) - green(b)), std::abs(blue(a) - blue(b))});
  return d * steps / length + d / length + 2;
}

const Color kFace = GetSysColor(COLOR_BTNFACE);
constexpr int kNone = -1;

// 80 x 40: border at 1, ring 2..3 and the face from 4 on.
TEST(ThemePaint, PushButtonByState) {
  struct Case {
    uint32_t state;
    int ring;  // kNone: the flat disabled face
    int face;  // kNone: no face of its own
  };
  const Case cases[] = {
      {0, 4, 6},
      {st::kHot, 1, 6},
      {st::kPressed | st::kHot, 0, 5},
      {st::kHot | st::kChecked | st::kFocused, 1, 5},
      {st::kChecked, 2, 5},
      {st::kIndeterminate, 2, 5},
      {st::kFocused, 3, 6},
      {st::kDefault, 3, 6},
      {st::kDisabled, kNone, kNone},
      {st::kDisabled | st::kFocused, kNone, kNone},
  };
  const SchemeColors& scheme = scheme_colors(1);
  const int w = 80, h = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state);
    Canvas canvas(w, h);
    canvas.paint(ControlKind::PushButton, tt::look(c.state, BS_PUSHBUTTON));
    const bool disabled = c.state & st::kDisabled;
    const Color border = disabled ? darker(kFace, kDisabledBorderStep) : scheme.button_border;

    EXPECT_TRUE(near_color(canvas.at(0, 20), kFace)) << "outer frame";
    EXPECT_TRUE(near_color(canvas.at(1, 20), border));
    EXPECT_TRUE(near_color(canvas.at(40, h - 2), border));
    if (c.ring == kNone) {
      EXPECT_TRUE(near_color(canvas.at(3, 2), kDisabledButtonFace));
      EXPECT_TRUE(near_color(canvas.at(3, h - 3), kDisabledButtonFace));
    } else {
      const Gradient& g = scheme.button[c.ring];
      EXPECT_TRUE(near_color(canvas.at(3, 2), g.top_left, slack(g.top_left, g.top_right, 1, w - 4)));
      EXPECT_TRUE(near_color(canvas.at(3, h - 3), g.bottom_left, slack(g.top_left, g.bottom_left, 1, h - 4)));
    }
    if (c.face == kNone) {
      EXPECT_TRUE(near_color(canvas.at(5, 4), kDisabledButtonFace)) << "the ring's flat fill shows through";
    } else {
      const Gradient& g = scheme.button[c.face];
      EXPECT_TRUE(near_color(canvas.at(5, 4), g.top_left, slack(g.top_left, g.top_right, 1, w - 8)));
      EXPECT_TRUE(near_color(canvas.at(5, h - 5), g.bottom_left, slack(g.top_left, g.bottom_left, 1, h - 8)));
    }
    // The rounded corners, pixel by pixel.
    const Color inner = disabled ? darker(kFace, kDisabledInnerCornerStep) : border;
    const Color edge = disabled ? darker(kFace, kDisabledEdgeCornerStep) : border;
    for (const Point p : {Point{1, 1}, Point{1, h - 2}, Point{w - 2, h - 2}, Point{w - 2, 1}})
      EXPECT_EQ(canvas.at(p.x, p.y), kFace) << p.x << "," << p.y;
    for (const Point p : {Point{2, 2}, Point{2, h - 3}, Point{w - 3, h - 3}, Point{w - 3, 2}})
      EXPECT_EQ(canvas.at(p.x, p.y), inner) << p.x << "," << p.y;
    for (const Point p : {Point{1, 2}, Point{2, 1}, Point{w - 3, 1}, Point{w - 2, 2}, Point{w - 3, h - 2},
                          Point{w - 2, h - 3}, Point{2, h - 2}, Point{1, h - 3}})
      EXPECT_EQ(canvas.at(p.x, p.y), edge) << p.x << "," << p.y;

    // The focus rectangle lies 1 pixel around the face, and nowhere else.
    if (c.state & st::kFocused) {
      Canvas unfocused(w, h);
      unfocused.paint(ControlKind::PushButton, tt::look((c.state & ~st::kFocused) | st::kDefault, BS_PUSHBUTTON));
      const PixelSet diff = differences(canvas, unfocused);
      EXPECT_GT(diff.size(), 40u);
      for (const auto& p : diff) EXPECT_TRUE(on_outline(p, {3, 3, w - 3, h - 3})) << p.first << "," << p.second;
    }
  }
}

// Which pixels of the face take the text colour.
PixelSet text_pixels(uint32_t state, Color color) {
  Canvas canvas(80, 24);
  canvas.paint(ControlKind::PushButton, tt::look(state, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, L"Ok"));
  return pixels_of(canvas, {4, 4, 76, 20}, color);
}

TEST(ThemePaint, PushButtonTextIsBlackOrGreyAndMovesWhenPressed) {
  const PixelSet normal = text_pixels(0, kButtonText);
  ASSERT_GT(normal.size(), 10u);
  EXPECT_TRUE(text_pixels(0, kDisabledButtonText).empty());
  EXPECT_EQ(text_pixels(st::kDisabled, kDisabledButtonText).size(), normal.size());
  EXPECT_TRUE(text_pixels(st::kDisabled, kButtonText).empty());
  EXPECT_EQ(text_pixels(st::kIndeterminate, kDisabledButtonText).size(), normal.size());
  PixelSet moved;
  for (const auto& p : normal) moved.insert({p.first + 1, p.second + 1});
  EXPECT_EQ(text_pixels(st::kPressed, kButtonText), moved);
}

// The tick in the 7 x 7 inner square.
PixelSet tick_at(Point inner) {
  return picture(inner, {
                            "......X",
                            ".....XX",
                            "X...XXX",
                            "XX.XXX.",
                            "XXXXX..",
                            ".XXX...",
                            "..X....",
                        });
}

// 100 x 19, box centred: (0,3)-(13,16), gradient from (1,4), inner square (3,6)-(10,13).
TEST(ThemePaint, CheckBoxByState) {
  constexpr Color kWhite = RGB(255, 255, 255);
  struct Case {
    uint32_t state;
    int gradient;     // kNone: white
    Color inner;      // kUnpainted: the gradient shows
    Color tick;       // kUnpainted: no tick
  };
  const Case cases[] = {
      {0, 2, tt::kUnpainted, tt::kUnpainted},
      {st::kHot, 1, RGB(231, 231, 231), tt::kUnpainted},
      {st::kPressed | st::kHot, 0, tt::kUnpainted, tt::kUnpainted},
      {st::kChecked, 2, tt::kUnpainted, check_box::kTick},
      {st::kChecked | st::kHot, 1, RGB(247, 247, 247), check_box::kTick},
      {st::kChecked | st::kPressed, 0, tt::kUnpainted, check_box::kTick},
      {st::kIndeterminate, 2, RGB(115, 195, 115), tt::kUnpainted},
      {st::kIndeterminate | st::kHot, 1, RGB(33, 162, 33), tt::kUnpainted},
      {st::kIndeterminate | st::kDisabled, kNone, RGB(206, 203, 189), tt::kUnpainted},
      {st::kDisabled, kNone, tt::kUnpainted, tt::kUnpainted},
      {st::kDisabled | st::kChecked, kNone, tt::kUnpainted, check_box::kDisabledTick},
  };
  const Rect box{0, 3, 13, 16}, inner{3, 6, 10, 13};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state);
    Canvas canvas(100, 19);
    canvas.paint(ControlKind::CheckBox, tt::look(c.state, BS_AUTOCHECKBOX | BS_VCENTER));
    const bool disabled = c.state & st::kDisabled;
    EXPECT_EQ(canvas.at(0, 0), kFace) << "the parent's background";
    EXPECT_EQ(canvas.at(box.left, box.top + 6), disabled ? darker(kFace, kDisabledBorderStep) : check_box::kFrame);
    EXPECT_EQ(canvas.at(box.right - 1, box.bottom - 1), canvas.at(box.left, box.top + 6));
    if (c.gradient == kNone) {
      EXPECT_EQ(canvas.at(1, 4), kWhite);
      EXPECT_EQ(canvas.at(11, 14), kWhite);
    } else {
      const Gradient& g = check_box::kGradient[c.gradient];
      EXPECT_TRUE(near_color(canvas.at(1, 4), g.top_left, slack(g.top_left, g.bottom_right, 1, 11)));
      EXPECT_TRUE(near_color(canvas.at(11, 14), g.bottom_right, slack(g.top_left, g.bottom_right, 1, 11)));
    }
    const PixelSet tick = tick_at({inner.left, inner.top});
    if (c.tick != tt::kUnpainted) {
      EXPECT_EQ(pixels_of(canvas, inner, c.tick), tick);
    } else if (c.inner != check_box::kTick) {
      EXPECT_TRUE(pixels_of(canvas, inner, check_box::kTick).empty());
    }
    if (c.inner != tt::kUnpainted)
      for (int y = inner.top; y < inner.bottom; ++y)
        for (int x = inner.left; x < inner.right; ++x)
          if (!tick.count({x, y}) || c.tick == tt::kUnpainted) {
            EXPECT_EQ(canvas.at(x, y), c.inner) << x << "," << y;
          }
  }
}

TEST(ThemePaint, CheckBoxTextTakesTheParentsColourAndItsFocusGoesAroundIt) {
  const auto paint = [](Canvas& canvas, uint32_t state) {
    Look l = tt::look(state, BS_AUTOCHECKBOX | BS_VCENTER, L"Music");
    l.text_color = RGB(200, 0, 0);
    l.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    canvas.paint(ControlKind::CheckBox, l);
  };
  Canvas normal(100, 19), focused(100, 19), disabled(100, 19);
  paint(normal, 0);
  paint(focused, st::kFocused);
  paint(disabled, st::kDisabled);
  const Rect text{18, 0, 100, 19};
  EXPECT_EQ(normal.at(50, 1), RGB(255, 255, 255)) << "the parent's brush";
  const size_t letters = pixels_of(normal, text, RGB(200, 0, 0)).size();
  EXPECT_GT(letters, 10u);
  EXPECT_EQ(pixels_of(disabled, text, GetSysColor(COLOR_GRAYTEXT)).size(), letters);
  const PixelSet diff = differences(normal, focused);
  ASSERT_GT(diff.size(), 20u);
  int right = 0;
  for (const auto& p : diff) {
    EXPECT_GE(p.first, 17) << "only around the text";
    right = std::max(right, p.first);
  }
  EXPECT_LT(right, 70) << "around the text's extent, not the whole rectangle";
}

TEST(ThemePaint, RadioButtonIsRoundWithADotWhenChecked) {
  for (const uint32_t state : {0u, st::kChecked}) {
    Canvas canvas(60, 13);
    Look l = tt::look(state, BS_AUTORADIOBUTTON);
    l.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    l.background_color = RGB(255, 255, 255);
    canvas.paint(ControlKind::RadioButton, l);
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255)) << "outside the circle";
    EXPECT_EQ(canvas.at(6, 0), check_box::kFrame);
    EXPECT_EQ(canvas.at(0, 6), check_box::kFrame);
    EXPECT_EQ(pixels_of(canvas, {4, 4, 9, 9}, check_box::kTick).size(), state ? 21u : 0u);
  }
}

TEST(ThemePaint, GroupBoxFramesAroundWhatIsInside) {
  Canvas canvas(100, 60);
  canvas.paint(ControlKind::GroupBox, tt::look(0, BS_GROUPBOX, L"Group"));
  const Color frame = scheme_colors(1).frame;
  EXPECT_EQ(canvas.at(0, 40), frame);
  EXPECT_EQ(canvas.at(99, 40), frame);
  EXPECT_EQ(canvas.at(50, 59), frame);
  EXPECT_EQ(canvas.at(0, 59), kFace) << "rounded";
  EXPECT_EQ(canvas.at(50, 40), tt::kUnpainted) << "the inside is kept";
  EXPECT_GT(pixels_of(canvas, {8, 0, 60, 16}, GetSysColor(COLOR_BTNTEXT)).size(), 10u);
}

// 60 x 20 with a client edge: the scheme's frame, and inside it the window
// or the button face.
TEST(ThemePaint, EditBoxFramesByStateAndBorderStyle) {
  const Color window = GetSysColor(COLOR_WINDOW);
  struct Case {
    uint32_t state, style, ex_style;
    int scheme;
    Color outer, inner;  // kUnpainted: not framed
  };
  const Case cases[] = {
      {0, 0, WS_EX_CLIENTEDGE, 1, rgb(123, 158, 189), window},
      {st::kFocused | st::kHot, 0, WS_EX_CLIENTEDGE, 1, rgb(123, 158, 189), window},
      {st::kReadOnly, 0, WS_EX_CLIENTEDGE, 1, rgb(123, 158, 189), kFace},
      {st::kDisabled, 0, WS_EX_CLIENTEDGE, 1, darker(kFace, kDisabledBorderStep), kFace},
      {0, WS_BORDER, 0, 1, rgb(123, 158, 189), window},
      {0, 0, WS_EX_STATICEDGE, 1, rgb(123, 158, 189), window},
      {0, 0, WS_EX_CLIENTEDGE, 2, rgb(164, 185, 127), window},
      {0, 0, WS_EX_CLIENTEDGE, 3, rgb(198, 197, 215), window},
      {0, ES_READONLY, 0, 1, tt::kUnpainted, tt::kUnpainted},  // no border style: left alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state << " style 0x" << c.style << " ex 0x"
                                    << c.ex_style << " scheme " << c.scheme);
    Canvas canvas(60, 20);
    Look l = tt::look(c.state, c.style);
    l.ex_style = c.ex_style;
    l.scheme = c.scheme;
    canvas.paint(ControlKind::Edit, l);
    EXPECT_EQ(canvas.at(0, 10), c.outer);
    EXPECT_EQ(canvas.at(59, 19), c.outer);
    EXPECT_EQ(canvas.at(1, 10), c.inner);
    EXPECT_EQ(canvas.at(30, 1), c.inner);
    EXPECT_EQ(canvas.at(2, 2), tt::kUnpainted) << "the box's own painting stays";
  }
}

TEST(ThemePaint, DropDownListIsFramedOnlyWithABorderAndItems) {
  struct Case {
    uint32_t state, style;
    int items;
    Color outer;
  };
  const Case cases[] = {
      {0, WS_BORDER, 3, rgb(123, 158, 189)},
      {st::kDisabled, WS_BORDER, 3, darker(kFace, kDisabledBorderStep)},
      {0, WS_BORDER, 0, tt::kUnpainted},
      {0, 0, 3, tt::kUnpainted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "items " << c.items << " style 0x" << std::hex << c.style);
    Canvas canvas(40, 50);
    Look l = tt::look(c.state, c.style);
    l.list_items = c.items;
    canvas.paint(ControlKind::ComboList, l);
    EXPECT_EQ(canvas.at(0, 25), c.outer);
    const bool framed = c.outer != tt::kUnpainted;
    EXPECT_EQ(canvas.at(1, 25), !framed ? tt::kUnpainted : GetSysColor(c.state ? COLOR_BTNFACE : COLOR_WINDOW));
  }
}

// The chevron pointing down around centre (cx, cy).
PixelSet chevron_down(int cx, int cy) {
  return picture({cx - 4, cy - 3}, {
                                       ".X.....X.",
                                       "XXX...XXX",
                                       ".XXX.XXX.",
                                       "..XXXXX..",
                                       "...XXX...",
                                       "....X....",
                                   });
}

// 80 x 21 with a 17-pixel button: inside the two frames (2,2)-(78,19), the
// button strip from 61, its arrow button (62,2)-(78,19) around (70,10).
TEST(ThemePaint, ComboBoxFrameAndArrowButtonByState) {
  const Color window = GetSysColor(COLOR_WINDOW);
  struct Case {
    uint32_t state;
    int scheme;
    int arrow;  // arrow state
  };
  const Case cases[] = {
      {0, 1, 3}, {st::kHot, 1, 2}, {st::kPressed | st::kHot, 1, 1}, {st::kDisabled | st::kPressed, 1, 0},
      {0, 2, 3}, {0, 3, 3},
  };
  const Rect button{62, 2, 78, 19};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state << " scheme " << c.scheme);
    Canvas canvas(80, 21);
    Look l = tt::look(c.state);
    l.scheme = c.scheme;
    canvas.paint(ControlKind::ComboBox, l);
    const SchemeColors& s = scheme_colors(c.scheme);
    const bool disabled = c.state & st::kDisabled;
    const Color inner = disabled ? kFace : window;
    EXPECT_EQ(canvas.at(0, 10), disabled ? darker(kFace, kDisabledBorderStep) : s.frame);
    EXPECT_EQ(canvas.at(1, 10), inner);
    EXPECT_EQ(canvas.at(61, 10), inner) << "the button strip's frame, left of the button";
    EXPECT_EQ(canvas.at(20, 10), tt::kUnpainted) << "the box's own painting stays";

    const Gradient& corner = s.arrow_button[c.arrow + 4];
    EXPECT_EQ(canvas.at(button.left, button.top), corner.top_left);
    EXPECT_EQ(canvas.at(button.right - 1, button.top), corner.top_right);
    EXPECT_EQ(canvas.at(button.left, button.bottom - 1), corner.bottom_left);
    EXPECT_EQ(canvas.at(button.right - 1, button.bottom - 1), corner.bottom_right);
    const Gradient& edge = s.arrow_button[c.arrow];
    EXPECT_TRUE(near_color(canvas.at(button.left + 1, button.top), edge.top_left, slack(edge.top_left, edge.top_right, 1, 16)));
    const Gradient& fill = s.arrow_button[c.arrow + 8];
    EXPECT_TRUE(near_color(canvas.at(button.left + 1, button.top + 1), fill.top_left,
                           slack(fill.top_left, fill.bottom_right, 1, 14)));
    const Color pen = disabled ? kDisabledArrow : s.arrow;
    EXPECT_EQ(pixels_of(canvas, button, pen), chevron_down(70, 10));
  }
}

TEST(ThemePaint, UpDownShowsTwoArrowButtons) {
  Canvas canvas(17, 30);  // halves (0,0)-(17,15) around (8,7) and (0,15)-(17,30) around (8,22)
  canvas.paint(ControlKind::UpDown, tt::look(0));
  const Color pen = scheme_colors(1).arrow;
  PixelSet up;
  for (const auto& p : chevron_down(8, 7)) up.insert({p.first, 2 * 7 - p.second});
  EXPECT_EQ(pixels_of(canvas, {0, 0, 17, 15}, pen), up);
  EXPECT_EQ(pixels_of(canvas, {0, 15, 17, 30}, pen), chevron_down(8, 22));
  EXPECT_EQ(canvas.at(0, 15), scheme_colors(1).arrow_button[7].top_left);
}

// Controls too small for their shapes paint what fits and nothing outside.
TEST(ThemePaint, TinyControlsStayInsideTheirRectangle) {
  for (int kind = 1; kind <= static_cast<int>(ControlKind::UpDown); ++kind) {
    for (const Rect r : {Rect{5, 5, 5, 5}, Rect{5, 5, 6, 6}, Rect{5, 5, 8, 8}, Rect{5, 5, 9, 45}}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " size " << r.width() << "x" << r.height());
      Canvas canvas(20, 50);
      Look l = tt::look(st::kFocused | st::kChecked, 0, L"Text");
      l.ex_style = WS_EX_CLIENTEDGE;
      l.list_items = 2;
      paint(static_cast<ControlKind>(kind), canvas.dc(), r, r, l);
      for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
          if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) {
            ASSERT_EQ(canvas.at(x, y), tt::kUnpainted) << x << "," << y;
          }
    }
  }
}

}  // namespace
