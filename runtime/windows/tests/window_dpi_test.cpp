// A window moved to a screen of another DPI. Windows then sends the window
// WM_DPICHANGED with the new DPI and a suggested rectangle; Wine never does,
// so the test sends it, as Windows would, to test window A (96 DPI here):
// at 192 every unit, the font, the icons and the themed drawing are twice
// their size while the properties still read the layout's numbers; back at
// 96 everything is where and as it was, pixel for pixel.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "driver_picture.h"
#include "property_rules.h"
#include "service.h"
#include "window_test_support.h"

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using namespace rt::prop;

constexpr UINT kDpiChanged = 0x02E0;

struct Place {
  uint32_t unit;
  int left, top, width, height;  // height 0: a combo box's closed height is its font's
};

// Window A's controls at 96 DPI, as its layout has them.
constexpr Place kPlaces[] = {
    {wt::kButton, 8, 8, 80, 24},       {wt::kTimerA, 200, 0, 26, 26}, {wt::kLabel, 8, 40, 120, 24},
    {wt::kCheck, 8, 70, 80, 24},       {wt::kEdit, 8, 100, 200, 20},  {wt::kComboEdit, 8, 130, 60, 0},
    {wt::kComboList, 80, 130, 60, 0}, {wt::kDate, 150, 130, 120, 22},
};

RECT rect_in_frame(uint32_t unit) {
  const HWND w = wt::control(wt::kA, unit);
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT frame_rect() {
  RECT r{};
  GetWindowRect(wt::frame(wt::kA), &r);
  return r;
}

// What the screen shows of a rectangle once the window has painted: the
// frame's pending paint made now, then its controls' as messages are pumped
// until none waits (with a bound).
drv::Picture screen(const RECT& r) {
  RedrawWindow(wt::frame(wt::kA), nullptr, nullptr, RDW_UPDATENOW);
  wt::pump_until([] { return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0; }, 3000);
  return drv::Picture(r);
}

int font_height(HWND w) {
  LOGFONTW f{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof f, &f);
  return f.lfHeight;
}

int icon_width(int which) {
  const auto icon = reinterpret_cast<HICON>(SendMessageW(wt::frame(wt::kA), WM_GETICON, which, 0));
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP b{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof b, &b);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return b.bmWidth;
}

class WindowDpi : public ::testing::Test {
 protected:
  void SetUp() override {
    wt::start();
    rt::call(rt::Service::VisualStyle, {rt::arg_int(1)});
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
    SetForegroundWindow(wt::frame(wt::kA));
    before_ = frame_rect();
  }
  void TearDown() override {
    rt::call(rt::Service::VisualStyle, {rt::arg_int(0)});
    wt::finish();
  }
  // The message Windows sends, with a rectangle of the size it suggests.
  void move_to(int dpi, const RECT& suggested) {
    SendMessageW(wt::frame(wt::kA), kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }
  RECT doubled() const {
    return {before_.left, before_.top, before_.left + 2 * (before_.right - before_.left),
            before_.top + 2 * (before_.bottom - before_.top)};
  }
  RECT before_{};
};

TEST_F(WindowDpi, TwiceTheDpiDoublesEveryUnitFontAndIconAndGoesBackExactly) {
  std::vector<RECT> places;
  for (const Place& p : kPlaces) places.push_back(rect_in_frame(p.unit));
  const drv::Picture picture = screen(before_);
  ASSERT_TRUE(picture.ok()) << "the screen could not be read";
  const int font = font_height(wt::control(wt::kA, wt::kLabel));
  ASSERT_LT(font, 0);

  move_to(192, doubled());
  EXPECT_EQ(frame_rect(), doubled()) << "the suggested rectangle";
  for (const Place& p : kPlaces) {
    SCOPED_TRACE(testing::Message() << std::hex << p.unit);
    const RECT r = rect_in_frame(p.unit);
    EXPECT_EQ(r.left, 2 * p.left);
    EXPECT_EQ(r.top, 2 * p.top);
    EXPECT_EQ(r.right - r.left, 2 * p.width);
    if (p.height) {
      EXPECT_EQ(r.bottom - r.top, 2 * p.height);
    }
    // what the program reads stays in the layout's numbers
    EXPECT_EQ(rt::get_int(wt::kA, p.unit, kLeft), p.left);
    EXPECT_EQ(rt::get_int(wt::kA, p.unit, kWidth), p.width);
  }
  EXPECT_EQ(font_height(wt::control(wt::kA, wt::kLabel)), 2 * font);
  EXPECT_EQ(font_height(wt::control(wt::kA, wt::kButton)), 2 * font);
  EXPECT_EQ(icon_width(ICON_SMALL), 32);
  EXPECT_EQ(icon_width(ICON_BIG), 64);
  // The button's themed border: 2 pixels of the button face, then 2 of the
  // scheme's border colour, then the ring.
  const RECT b = rect_in_frame(wt::kButton);
  POINT at{b.left, (b.top + b.bottom) / 2};
  ClientToScreen(wt::frame(wt::kA), &at);
  const drv::Picture row = screen({at.x, at.y, at.x + 5, at.y + 1});
  const COLORREF face = GetSysColor(COLOR_BTNFACE), border = RGB(0, 60, 115);
  EXPECT_EQ((std::vector<COLORREF>{row.at(at.x, at.y), row.at(at.x + 1, at.y), row.at(at.x + 2, at.y),
                                   row.at(at.x + 3, at.y)}),
            (std::vector<COLORREF>{face, face, border, border}));
  EXPECT_NE(row.at(at.x + 4, at.y), border);

  move_to(96, before_);
  EXPECT_EQ(frame_rect(), before_);
  for (size_t i = 0; i < places.size(); ++i) EXPECT_EQ(rect_in_frame(kPlaces[i].unit), places[i]) << i;
  EXPECT_EQ(SendMessageW(wt::control(wt::kA, wt::kLabel), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_EQ(icon_width(ICON_SMALL), 16);
  EXPECT_EQ(icon_width(ICON_BIG), 32);
  // A caret that blinks in the focused box may show in one picture only.
  EXPECT_TRUE(wt::pump_until([&] { return screen(before_).image().rgb == picture.image().rgb; }, 3000))
      << "the same picture again";
}

TEST_F(WindowDpi, PropertiesWrittenAtTwiceTheDpiAreLaidOutDoubled) {
  move_to(192, doubled());
  rt::put_int(wt::kA, wt::kButton, kLeft, 31);
  rt::put_int(wt::kA, wt::kButton, kHeight, 27);
  const RECT r = rect_in_frame(wt::kButton);
  EXPECT_EQ(r.left, 62);
  EXPECT_EQ(r.right - r.left, 160) << "moving keeps the size";
  EXPECT_EQ(r.bottom - r.top, 54);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kLeft), 31);
  EXPECT_EQ(rt::get_int(wt::kA, wt::kButton, kHeight), 27);

  move_to(96, before_);
  EXPECT_EQ(rect_in_frame(wt::kButton), (RECT{31, 8, 111, 35})) << "what was written, at 96 DPI";
}

}  // namespace
