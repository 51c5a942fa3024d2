// The painters on memory bitmaps: border and frame colours, the state rings'
// gradients, corner pixels, the tick and the chevron, per state and scheme.
// Every expected colour is a literal of the look's definition, never an
// entry of the tables that paint it.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "theme/scheme_colors.h"
#include "theme_test_support.h"

namespace {

using namespace rt::theme;
using tt::Canvas;
using tt::PixelSet;
using tt::chevron_down;
using tt::kCheckFrame;
using tt::kSchemes;
using tt::kTick;
using tt::pixels_of;
using tt::near_color;
namespace st = rt::theme::state;

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

// The colour of gradient `g` over `r` at `p`, from its corners as the look
// defines it: the triangles (top left, top right, bottom left) and (bottom
// right, top right, bottom left), each shaded linearly between its corners.
Color gradient_at(const Rect& r, const Gradient& g, Point p) {
  const double u = double(p.x - r.left) / r.width(), v = double(p.y - r.top) / r.height();
  const bool first = u + v <= 1;  // the weights of the four corners in p's triangle
  const double w[4] = {first ? 1 - u - v : 0, first ? u : 1 - v, first ? v : 1 - u, first ? 0 : u + v - 1};
  const Color corner[4] = {g.top_left, g.top_right, g.bottom_left, g.bottom_right};
  const auto channel = [&](int (*of)(Color)) {
    double c = 0.5;  // rounded to the nearest
    for (int i = 0; i < 4; ++i) c += w[i] * of(corner[i]);
    return int(c);
  };
  return rgb(channel(red), channel(green), channel(blue));
}

// The pixels of `c` at `points` are those of gradient `g` over `r`, within
// 1 on each channel (the platform rounds its own way).
void expect_gradient(const Canvas& c, const Rect& r, const Gradient& g, std::initializer_list<Point> points) {
  for (const Point p : points)
    EXPECT_TRUE(near_color(c.at(p.x, p.y), gradient_at(r, g, p), 1)) << "at " << p.x << "," << p.y;
}

const Color kFace = GetSysColor(COLOR_BTNFACE);
// A disabled control's shades: the button face's value less a step.
const Color kDisabledBorder = kFace - 0x202020;
constexpr Color kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// More of the look's colours (see theme_test_support.h). Push button
// gradients of scheme 1 (the hot and checked rings are every scheme's).
constexpr Gradient kPressedRing = {RGB(209, 204, 193), RGB(209, 204, 193), RGB(242, 241, 238), RGB(242, 241, 238)};
constexpr Gradient kHotRing = {RGB(255, 240, 207), RGB(255, 240, 207), RGB(229, 151, 0), RGB(229, 151, 0)};
constexpr Gradient kCheckedRing = {RGB(214, 203, 189), RGB(214, 207, 198), RGB(247, 243, 239), RGB(247, 243, 239)};
constexpr Gradient kFocusRing = {RGB(206, 231, 255), RGB(206, 231, 255), RGB(105, 130, 238), RGB(105, 130, 238)};
constexpr Gradient kNormalRing = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(226, 223, 214), RGB(226, 223, 214)};
constexpr Gradient kPressedFace = {RGB(231, 227, 222), RGB(231, 231, 231), RGB(231, 227, 222), RGB(231, 227, 222)};
constexpr Gradient kNormalFace = {RGB(252, 252, 251), RGB(252, 252, 251), RGB(236, 235, 230), RGB(236, 235, 230)};
constexpr Color kFlatDisabledFace = RGB(245, 244, 234);
// Scheme 1's arrow buttons: entry a fills, a + 4 gives the corners, a + 8
// fills inside (a: 0 disabled, 1 pressed, 2 hot, 3 normal).
constexpr Gradient kArrowButton[12] = {
    {RGB(247, 243, 239), RGB(231, 231, 222), RGB(231, 227, 222), RGB(231, 227, 222)},
    {RGB(165, 174, 222), RGB(189, 203, 247), RGB(115, 130, 222), RGB(181, 199, 247)},
    {RGB(181, 199, 239), RGB(148, 174, 231), RGB(132, 162, 222), RGB(140, 166, 222)},
    {RGB(214, 227, 255), RGB(189, 203, 247), RGB(173, 195, 247), RGB(181, 199, 247)},
    {RGB(247, 247, 247), RGB(247, 243, 239), RGB(247, 243, 239), RGB(247, 243, 239)},
    {RGB(189, 195, 222), RGB(173, 182, 222), RGB(222, 227, 255), RGB(222, 227, 247)},
    {RGB(206, 219, 239), RGB(198, 207, 239), RGB(198, 207, 231), RGB(189, 203, 231)},
    {RGB(231, 239, 255), RGB(222, 231, 255), RGB(222, 227, 255), RGB(222, 227, 247)},
    {RGB(247, 247, 247), RGB(239, 239, 231), RGB(239, 235, 231), RGB(231, 231, 222)},
    {RGB(107, 142, 247), RGB(132, 150, 247), RGB(140, 158, 239), RGB(214, 223, 239)},
    {RGB(255, 255, 255), RGB(206, 227, 255), RGB(198, 223, 255), RGB(189, 219, 255)},
    {RGB(231, 235, 255), RGB(189, 207, 255), RGB(181, 203, 255), RGB(173, 203, 247)},
};
constexpr Color kDisabledChevron = RGB(206, 202, 198);
// Check boxes, in every scheme.
constexpr Gradient kCheckPressed = {RGB(181, 178, 165), RGB(214, 215, 206), RGB(214, 215, 206), RGB(247, 239, 222)};
constexpr Gradient kCheckHot = {RGB(255, 243, 206), RGB(255, 203, 99), RGB(255, 203, 99), RGB(255, 178, 49)};
constexpr Gradient kCheckNormal = {RGB(222, 223, 214), RGB(247, 243, 239), RGB(247, 243, 239), RGB(255, 255, 255)};
constexpr Color kDisabledTick = RGB(206, 203, 189);

// 80 x 40: border at 1, ring 2..3 and the face from 4 on. Schemes 2 and 3
// are held to what they share with scheme 1 (the hot and checked rings) and
// their own borders; their other entries are the look's own choice.
TEST(ThemePaint, PushButtonByState) {
  struct Case {
    uint32_t state;
    int scheme;
    const Gradient* ring;  // null: the flat disabled face, or not held
    const Gradient* face;  // null: no face of its own, or not held
  };
  const Case cases[] = {
      {0, 1, &kNormalRing, &kNormalFace},
      {st::kHot, 1, &kHotRing, &kNormalFace},
      {st::kPressed | st::kHot, 1, &kPressedRing, &kPressedFace},
      {st::kHot | st::kChecked | st::kFocused, 1, &kHotRing, &kPressedFace},
      {st::kChecked, 1, &kCheckedRing, &kPressedFace},
      {st::kIndeterminate, 1, &kCheckedRing, &kPressedFace},
      {st::kFocused, 1, &kFocusRing, &kNormalFace},
      {st::kDefault, 1, &kFocusRing, &kNormalFace},
      {st::kDisabled, 1, nullptr, nullptr},
      {st::kDisabled | st::kFocused, 1, nullptr, nullptr},
      {st::kHot, 2, &kHotRing, nullptr},
      {st::kChecked, 2, &kCheckedRing, nullptr},
      {st::kHot, 3, &kHotRing, nullptr},
      {st::kChecked, 3, &kCheckedRing, nullptr},
      {st::kDisabled, 3, nullptr, nullptr},
  };
  const int w = 80, h = 40;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state << " scheme " << c.scheme);
    Canvas canvas(w, h);
    Look l = tt::look(c.state, BS_PUSHBUTTON);
    l.scheme = c.scheme;
    canvas.paint(ControlKind::PushButton, l);
    const bool disabled = c.state & st::kDisabled;
    const Color border = disabled ? kDisabledBorder : kSchemes[c.scheme].border;

    EXPECT_TRUE(near_color(canvas.at(0, 20), kFace)) << "outer frame";
    EXPECT_TRUE(near_color(canvas.at(1, 20), border));
    EXPECT_TRUE(near_color(canvas.at(40, h - 2), border));
    if (disabled) {
      EXPECT_TRUE(near_color(canvas.at(3, 2), kFlatDisabledFace));
      EXPECT_TRUE(near_color(canvas.at(3, h - 3), kFlatDisabledFace));
      EXPECT_TRUE(near_color(canvas.at(5, 4), kFlatDisabledFace)) << "the ring's flat fill shows through";
    }
    // Points of the ring and of the face clear of the corners and of the
    // focus rectangle; the face's centre lies where the two triangles meet.
    if (c.ring) expect_gradient(canvas, {2, 2, w - 2, h - 2}, *c.ring, {{3, 2}, {w - 4, 2}, {3, h - 3}, {w - 4, h - 3}});
    if (c.face)
      expect_gradient(canvas, {4, 4, w - 4, h - 4}, *c.face,
                      {{5, 4}, {w - 6, 4}, {5, h - 5}, {w - 6, h - 5}, {w / 2, h / 2}});
    // The rounded corners, pixel by pixel.
    const Color inner = disabled ? kFace - 0x151515 : border;
    const Color edge = disabled ? kFace - 0x111111 : border;
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
      Look u = l;
      u.state = (c.state & ~st::kFocused) | st::kDefault;
      unfocused.paint(ControlKind::PushButton, u);
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
  constexpr Color kGreyText = RGB(165, 162, 148);
  const PixelSet normal = text_pixels(0, kBlack);
  ASSERT_GT(normal.size(), 10u);
  EXPECT_TRUE(text_pixels(0, kGreyText).empty());
  EXPECT_EQ(text_pixels(st::kDisabled, kGreyText).size(), normal.size());
  EXPECT_TRUE(text_pixels(st::kDisabled, kBlack).empty());
  EXPECT_EQ(text_pixels(st::kIndeterminate, kGreyText).size(), normal.size());
  PixelSet moved;
  for (const auto& p : normal) moved.insert({p.first + 1, p.second + 1});
  EXPECT_EQ(text_pixels(st::kPressed, kBlack), moved);
}

// 100 x 19, box centred: (0,3)-(13,16), gradient from (1,4), inner square (3,6)-(10,13).
TEST(ThemePaint, CheckBoxByState) {
  struct Case {
    uint32_t state;
    const Gradient* gradient;  // null: white
    Color inner;               // kUnpainted: the gradient shows
    Color tick;                // kUnpainted: no tick
  };
  const Case cases[] = {
      {0, &kCheckNormal, tt::kUnpainted, tt::kUnpainted},
      {st::kHot, &kCheckHot, RGB(231, 231, 231), tt::kUnpainted},
      {st::kPressed | st::kHot, &kCheckPressed, tt::kUnpainted, tt::kUnpainted},
      {st::kChecked, &kCheckNormal, tt::kUnpainted, kTick},
      {st::kChecked | st::kHot, &kCheckHot, RGB(247, 247, 247), kTick},
      {st::kChecked | st::kPressed, &kCheckPressed, tt::kUnpainted, kTick},
      {st::kIndeterminate, &kCheckNormal, RGB(115, 195, 115), tt::kUnpainted},
      {st::kIndeterminate | st::kHot, &kCheckHot, RGB(33, 162, 33), tt::kUnpainted},
      {st::kIndeterminate | st::kDisabled, nullptr, RGB(206, 203, 189), tt::kUnpainted},
      {st::kDisabled, nullptr, tt::kUnpainted, tt::kUnpainted},
      {st::kDisabled | st::kChecked, nullptr, tt::kUnpainted, kDisabledTick},
  };
  const Rect box{0, 3, 13, 16}, inner{3, 6, 10, 13};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state);
    Canvas canvas(100, 19);
    canvas.paint(ControlKind::CheckBox, tt::look(c.state, BS_AUTOCHECKBOX | BS_VCENTER));
    const bool disabled = c.state & st::kDisabled;
    EXPECT_EQ(canvas.at(0, 0), kFace) << "the parent's background";
    EXPECT_EQ(canvas.at(box.left, box.top + 6), disabled ? kDisabledBorder : kCheckFrame);
    EXPECT_EQ(canvas.at(box.right - 1, box.bottom - 1), canvas.at(box.left, box.top + 6));
    if (const Gradient* g = c.gradient) {  // its ring around the inner square
      expect_gradient(canvas, {1, 4, 12, 15}, *g, {{1, 4}, {11, 4}, {1, 14}, {11, 14}, {2, 9}, {6, 5}});
    } else {
      EXPECT_EQ(canvas.at(1, 4), kWhite);
      EXPECT_EQ(canvas.at(11, 14), kWhite);
    }
    const PixelSet tick = tt::tick({inner.left, inner.top});
    if (c.tick != tt::kUnpainted) {
      EXPECT_EQ(pixels_of(canvas, inner, c.tick), tick);
    } else if (c.inner != kTick) {
      EXPECT_TRUE(pixels_of(canvas, inner, kTick).empty());
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

// Radio buttons take the check box's colours (a choice of this look): the
// outline in its frame colour, the dot in its tick colour.
TEST(ThemePaint, RadioButtonIsRoundWithADotWhenChecked) {
  for (const uint32_t state : {0u, st::kChecked}) {
    Canvas canvas(60, 13);
    Look l = tt::look(state, BS_AUTORADIOBUTTON);
    l.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    l.background_color = kWhite;
    canvas.paint(ControlKind::RadioButton, l);
    EXPECT_EQ(canvas.at(0, 0), kWhite) << "outside the circle";
    EXPECT_EQ(canvas.at(6, 0), kCheckFrame);
    EXPECT_EQ(canvas.at(0, 6), kCheckFrame);
    EXPECT_EQ(pixels_of(canvas, {4, 4, 9, 9}, kTick).size(), state ? 21u : 0u);
  }
}

TEST(ThemePaint, GroupBoxFramesAroundWhatIsInside) {
  Canvas canvas(100, 60);
  canvas.paint(ControlKind::GroupBox, tt::look(0, BS_GROUPBOX, L"Group"));
  const Color frame = kSchemes[1].frame;  // the edit boxes' frame: a choice of this look
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
      {st::kDisabled, 0, WS_EX_CLIENTEDGE, 1, kDisabledBorder, kFace},
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
      {st::kDisabled, WS_BORDER, 3, kDisabledBorder},
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


// 80 x 21 with a 17-pixel button: inside the two frames (2,2)-(78,19), the
// button strip from 61, its arrow button (62,2)-(78,19) around (70,10).
// Schemes 2 and 3 are held to their frames and chevrons; their arrow
// buttons' gradients are the look's own choice.
TEST(ThemePaint, ComboBoxFrameAndArrowButtonByState) {
  const Color window = GetSysColor(COLOR_WINDOW);
  struct Case {
    uint32_t state;
    int scheme;
    int arrow;  // arrow state
  };
  const Case cases[] = {
      {0, 1, 3}, {st::kHot, 1, 2}, {st::kPressed | st::kHot, 1, 1}, {st::kDisabled | st::kPressed, 1, 0},
      {0, 2, 3}, {0, 3, 3}, {st::kDisabled, 2, 0}, {st::kDisabled, 3, 0},
  };
  const Rect button{62, 2, 78, 19};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state 0x" << std::hex << c.state << " scheme " << c.scheme);
    Canvas canvas(80, 21);
    Look l = tt::look(c.state);
    l.scheme = c.scheme;
    canvas.paint(ControlKind::ComboBox, l);
    const tt::SchemeLiterals& s = kSchemes[c.scheme];
    const bool disabled = c.state & st::kDisabled;
    const Color inner = disabled ? kFace : window;
    EXPECT_EQ(canvas.at(0, 10), disabled ? kDisabledBorder : s.frame);
    EXPECT_EQ(canvas.at(1, 10), inner);
    EXPECT_EQ(canvas.at(61, 10), inner) << "the button strip's frame, left of the button";
    EXPECT_EQ(canvas.at(20, 10), tt::kUnpainted) << "the box's own painting stays";

    if (c.scheme == 1) {
      const Gradient& corner = kArrowButton[c.arrow + 4];
      EXPECT_EQ(canvas.at(button.left, button.top), corner.top_left);
      EXPECT_EQ(canvas.at(button.right - 1, button.top), corner.top_right);
      EXPECT_EQ(canvas.at(button.left, button.bottom - 1), corner.bottom_left);
      EXPECT_EQ(canvas.at(button.right - 1, button.bottom - 1), corner.bottom_right);
      expect_gradient(canvas, button, kArrowButton[c.arrow], {{63, 2}, {76, 2}, {62, 10}, {77, 12}, {70, 18}});
      expect_gradient(canvas, {63, 3, 77, 18}, kArrowButton[c.arrow + 8], {{63, 3}, {76, 3}, {64, 16}, {75, 17}});
    }
    const Color pen = disabled ? kDisabledChevron : s.arrow;
    EXPECT_EQ(pixels_of(canvas, button, pen), chevron_down(70, 10));
  }
}

TEST(ThemePaint, UpDownShowsTwoArrowButtons) {
  Canvas canvas(17, 30);  // halves (0,0)-(17,15) around (8,7) and (0,15)-(17,30) around (8,22)
  canvas.paint(ControlKind::UpDown, tt::look(0));
  const Color pen = kSchemes[1].arrow;
  PixelSet up;
  for (const auto& p : chevron_down(8, 7)) up.insert({p.first, 2 * 7 - p.second});
  EXPECT_EQ(pixels_of(canvas, {0, 0, 17, 15}, pen), up);
  EXPECT_EQ(pixels_of(canvas, {0, 15, 17, 30}, pen), chevron_down(8, 22));
  EXPECT_EQ(canvas.at(0, 15), kArrowButton[7].top_left);
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
