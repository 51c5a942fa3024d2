// The program's two windows on a screen of more than 96 DPI, as a user with
// a scaled display sees them. Run once per DPI (--dpi=N) in a Wine session
// whose display is set to it (at_display_scale): every unit sits at its
// layout place times DPI / 96, every caption fits its control in the font
// the program draws it with, and the themed borders lie where the scale
// puts them, as wide as the scale's lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "command_line.h"
#include "confirm_window_session.h"
#include "scenario_support.h"
#include "timer_windows.h"
#include "window_checks.h"

namespace {

using namespace timer;

int g_dpi = 0;  // the --dpi the scenario runs at

double scaled(int v) { return v * g_dpi / 96.0; }
// How wide a line 1 pixel wide at 96 DPI is drawn: whole pixels.
int line() { return g_dpi == 144 || g_dpi == 192 ? 2 : 0; }

int dpi_argument() { return _wtoi(drv::command_line().value(L"dpi").c_str()); }

constexpr int kComboRowHeight = 20;  // the combo boxes' row in the layout

::testing::AssertionResult within_a_pixel(int actual, double expected) {
  if (std::abs(actual - expected) <= 1.0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << actual << " is not within 1 px of " << expected;
}

// The frame at the layout's outer size scaled, centred on the screen, and
// every unit at its 96-DPI place scaled, inside the client area.
void expect_laid_out(HWND window, int width, int height, const std::vector<UnitRow>& places) {
  const RECT frame = drv::screen_rect(window);
  EXPECT_TRUE(within_a_pixel(frame.right - frame.left, scaled(width))) << "outer width";
  EXPECT_TRUE(within_a_pixel(frame.bottom - frame.top, scaled(height))) << "outer height";
  EXPECT_EQ(frame.left, (kScreenWidth - (frame.right - frame.left)) / 2) << "centred";
  EXPECT_EQ(frame.top, (kScreenHeight - (frame.bottom - frame.top)) / 2) << "centred";
  const SIZE client = drv::client_size(window);
  for (const UnitRow& p : places) {
    SCOPED_TRACE(p.name);
    const HWND unit = drv::child_by_id(window, p.id);
    ASSERT_NE(unit, nullptr);
    const RECT r = drv::rect_in_parent(unit);
    EXPECT_TRUE(within_a_pixel(r.left, scaled(p.left))) << "left";
    EXPECT_TRUE(within_a_pixel(r.top, scaled(p.top))) << "top";
    EXPECT_TRUE(within_a_pixel(r.right, scaled(p.left + p.width))) << "right";
    if (p.height) {
      EXPECT_TRUE(within_a_pixel(r.bottom, scaled(p.top + p.height))) << "bottom";
    } else {
      EXPECT_LE(r.bottom, scaled(p.top + kComboRowHeight) + 1) << "the closed box stays in its row";
    }
    EXPECT_LE(r.right, client.cx) << "inside the client area";
    EXPECT_LE(r.bottom, client.cy) << "inside the client area";
  }
}

// What GetTextExtentPoint32 gives for a text in the GUI font of this
// display, which the program's units use.
SIZE text_extent(const std::wstring& text) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

// Room for text inside a control, less what its kind draws beside it (96-DPI
// pixels): a check box's box and the gap after it, a push button's frames
// and rings on each side, and the part of a left-hand caption that the unit
// to its right lies over.
struct Room {
  int left, right, top, bottom;
};
constexpr Room kLabelRoom{0, 0, 0, 0}, kCheckBoxRoom{18, 0, 0, 0}, kButtonRoom{4, 4, 4, 4};
constexpr Room kUnderClock{0, 88 - 72, 0, 0};           // 标签1 under 标签_当前时间
constexpr Room kUnderDateBox{0, 88 - 64, 0, 0};         // 标签2 under 日期框_日期
constexpr Room kUnderMusic{18, 88 - 72, 0, 0};          // 选择框1 under 选择框3
constexpr Room kUnderReminderText{18, 88 - 64, 0, 0};   // 选择框2 under 编辑框_提醒

// The part of a control left for its text, in device pixels on the screen.
RECT text_room(HWND window, int id, const Room& room) {
  const RECT r = drv::screen_rect(drv::child_by_id(window, id));
  return {r.left + static_cast<LONG>(std::lround(scaled(room.left))), r.top + static_cast<LONG>(std::lround(scaled(room.top))),
          r.right - static_cast<LONG>(std::lround(scaled(room.right))),
          r.bottom - static_cast<LONG>(std::lround(scaled(room.bottom)))};
}

void expect_fits(HWND window, int id, const std::wstring& text, const Room& room) {
  SCOPED_TRACE(drv::utf8(text));
  const RECT r = text_room(window, id, room);
  const SIZE extent = text_extent(text);
  EXPECT_LE(extent.cx, r.right - r.left) << "width";
  EXPECT_LE(extent.cy, r.bottom - r.top) << "height";
}

// How wide the ink of a text is when the driver draws it in the same font,
// black on white: what the program's drawing of it must show.
int reference_ink_width(const std::wstring& text) {
  const SIZE extent = text_extent(text);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, extent.cx + 8, extent.cy + 8);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  const HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const RECT all{0, 0, extent.cx + 8, extent.cy + 8};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, 4, 4, text.c_str(), static_cast<int>(text.size()));
  drv::RgbImage drawn{all.right, all.bottom, {}};
  for (int y = 0; y < all.bottom; ++y)
    for (int x = 0; x < all.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      drawn.rgb.insert(drawn.rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  const auto [first, end] = drv::Picture(std::move(drawn), {0, 0}).ink(all);
  return end - first;
}

// A unit's caption as its window's table writes it out.
std::wstring text_in(const std::vector<UnitRow>& rows, int id) {
  for (const UnitRow& row : rows)
    if (row.id == id && row.text) return row.text;
  ADD_FAILURE() << "no text for unit " << id;
  return L"";
}

// A caption that never changes shows whole, inside its room, as wide as
// the driver draws it in the display's font (a 96-DPI font would cover two
// thirds of it at 144 DPI).
void expect_shown_whole(const drv::Picture& shot, HWND window, int id, const std::wstring& text, const Room& room) {
  SCOPED_TRACE(drv::utf8(text));
  const RECT r = text_room(window, id, room);
  const auto [first, end] = shot.ink(r);
  ASSERT_NE(end, 0) << "no text shows";
  EXPECT_NEAR(end - first, reference_ink_width(text), 1) << "the ink's width";
  EXPECT_LT(end, r.right) << "the text ends inside its room";
}

const COLORREF kButtonBorder = RGB(0, 60, 115), kFrame = RGB(123, 158, 189), kCheckFrame = RGB(24, 81, 132);

// A push button: the button face's frame, then the scheme's border, each a
// line wide, on all four sides.
void expect_button_border(const drv::Picture& shot, HWND window, int id) {
  const RECT r = drv::screen_rect(drv::child_by_id(window, id));
  const int n = line(), mx = (r.left + r.right) / 2, my = (r.top + r.bottom) / 2;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(shot.at(r.left + i, my), face);
    EXPECT_EQ(shot.at(r.left + n + i, my), kButtonBorder);
    EXPECT_EQ(shot.at(r.right - 1 - n - i, my), kButtonBorder);
    EXPECT_EQ(shot.at(mx, r.top + n + i), kButtonBorder);
    EXPECT_EQ(shot.at(mx, r.bottom - 1 - n - i), kButtonBorder);
  }
  EXPECT_NE(shot.at(r.left + 2 * n, my), kButtonBorder) << "the border is a line wide";
}

// An edit box or combo box: the scheme's frame a line wide, then the window
// colour.
void expect_frame(const drv::Picture& shot, HWND window, int id) {
  const RECT r = drv::screen_rect(drv::child_by_id(window, id));
  const int n = line(), my = (r.top + r.bottom) / 2;
  for (int i = 0; i < n; ++i) {
    EXPECT_EQ(shot.at(r.left + i, my), kFrame) << i;
    EXPECT_EQ(shot.at(r.right - 1 - i, my), kFrame) << i;
  }
  EXPECT_EQ(shot.at(r.left + n, my), GetSysColor(COLOR_WINDOW)) << "the frame is a line wide";
}

// A check box: its box at the left, vertically centred, 13 pixels at 96
// DPI, framed a line wide.
void expect_check_box(const drv::Picture& shot, HWND window, int id) {
  const RECT r = drv::screen_rect(drv::child_by_id(window, id));
  const int n = line(), my = (r.top + r.bottom) / 2;
  std::vector<int> framed;
  for (int x = r.left; x < r.left + scaled(18); ++x)
    if (shot.at(x, my) == kCheckFrame) framed.push_back(x - r.left);
  ASSERT_EQ(framed.size(), 2u * n) << "two upright lines of the box's frame";
  EXPECT_EQ(framed.front(), 0);
  EXPECT_EQ(framed[n - 1], n - 1);
  EXPECT_TRUE(within_a_pixel(framed.back() + 1, scaled(13))) << "the box's width";
  int top = r.top;
  while (top < r.bottom && shot.at(r.left + n, top) != kCheckFrame) ++top;
  EXPECT_TRUE(within_a_pixel(top - r.top, (r.bottom - r.top - scaled(13)) / 2)) << "centred";
}

// A combo box's drop-down button holds the chevron, its pixels squares of
// a line's width: 23 pixels at 96 DPI.
void expect_chevron(const drv::Picture& shot, HWND window, int id) {
  const RECT r = drv::screen_rect(drv::child_by_id(window, id));
  const int n = line();
  const RECT inside{r.left + 2 * n, r.top + 2 * n, r.right - 2 * n, r.bottom - 2 * n};
  EXPECT_EQ(shot.count(inside, kFrame), 23 * n * n);
}

// The scenario runs at a DPI it knows, on a display set to it.
::testing::AssertionResult at_the_scenarios_dpi() {
  if (!line()) return ::testing::AssertionFailure() << "run with --dpi=144 or --dpi=192, not " << g_dpi;
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (dpi != g_dpi) return ::testing::AssertionFailure() << "the Wine session's display is at " << dpi << " DPI";
  return ::testing::AssertionSuccess();
}

// One timer.exe for the three looks at its main window, none of which
// changes it: started before the first, closed after the last, when it must
// exit with 0.
class MainWindowAtScale : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    started_ = at_the_scenarios_dpi();
    if (started_) started_ = scn::launch(L"timer", {}, main_window::kCaption, &app_);
    if (!started_) return;
    const HWND now = drv::child_by_id(app_.window, main_window::kNowLabel);
    if (!drv::wait_until([&] { return !drv::text_of(now).empty(); }, 10000)) {
      started_ = ::testing::AssertionFailure() << "the clock shows no time";
    }
  }
  static void TearDownTestSuite() {
    if (!app_.process.started()) return;
    if (app_.window) PostMessageW(app_.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(scn::exits_with_zero(app_));
  }
  void SetUp() override { ASSERT_TRUE(started_); }
  HWND unit(int id) const { return drv::child_by_id(app_.window, id); }

  inline static scn::Launched app_;
  inline static ::testing::AssertionResult started_ = ::testing::AssertionFailure() << "not started";
};

TEST_F(MainWindowAtScale, EveryUnitSitsAtItsPlaceScaled) {
  expect_laid_out(app_.window, main_window::kWidth, main_window::kHeight, main_window_units());
  scn::take_shot(app_.window, L"main_window_" + std::to_wstring(g_dpi) + L"dpi");
}

// Each caption fits its control; those that never change also show whole.
TEST_F(MainWindowAtScale, EveryCaptionFitsItsControl) {
  using namespace main_window;
  const struct {
    int id;
    const wchar_t* text;  // null: its text in the window's table
    Room room;
    bool fixed;  // seen on the screen too
  } captions[] = {
      {kNowCaption, nullptr, kUnderClock, true},
      {kTargetCaption, nullptr, kUnderDateBox, true},
      {kRemainingCaption, nullptr, kLabelRoom, true},
      {kHourCaption, nullptr, kLabelRoom, true},
      {kMinuteCaption, nullptr, kLabelRoom, true},
      {kSecondCaption, nullptr, kLabelRoom, true},
      {kNowLabel, L"2026年12月28日23时58分58秒", kLabelRoom, false},  // the widest the clock writes
      {kRemainingLabel, L"31622400", kLabelRoom, false},             // a year ahead
      {kCheckShutdown, nullptr, kUnderMusic, true},
      {kCheckMusic, nullptr, kCheckBoxRoom, true},
      {kCheckReminder, nullptr, kUnderReminderText, true},
      {kStartButton, nullptr, kButtonRoom, true},
      {kStartButton, L"停止", kButtonRoom, false},  // while a schedule runs
  };
  const drv::Picture shot(app_.window);
  ASSERT_TRUE(shot.ok());
  const std::vector<UnitRow> rows = main_window_units();
  for (const auto& c : captions) {
    const std::wstring text = c.text ? c.text : text_in(rows, c.id);
    expect_fits(app_.window, c.id, text, c.room);
    if (c.fixed) expect_shown_whole(shot, app_.window, c.id, text, c.room);
  }
}

TEST_F(MainWindowAtScale, ThemedBordersLieWhereTheScalePutsThem) {
  using namespace main_window;
  const drv::Picture shot(app_.window);
  ASSERT_TRUE(shot.ok());
  {
    SCOPED_TRACE("start button");
    expect_button_border(shot, app_.window, kStartButton);
  }
  for (const int id : {kReminderEdit, kHourBox, kMinuteBox, kSecondBox}) {
    SCOPED_TRACE(id);
    expect_frame(shot, app_.window, id);
  }
  for (const int id : {kHourBox, kMinuteBox, kSecondBox}) {
    SCOPED_TRACE(id);
    expect_chevron(shot, app_.window, id);
  }
  for (const int id : {kCheckShutdown, kCheckMusic, kCheckReminder}) {
    SCOPED_TRACE(id);
    expect_check_box(shot, app_.window, id);
  }
}

// The confirmation window, loaded alone (layout_host, which records any
// shutdown request instead of making it).
class ConfirmWindowAtScale : public confirm_window::Session {
 protected:
  void SetUp() override {
    ASSERT_TRUE(at_the_scenarios_dpi());
    ASSERT_TRUE(open());
  }
};

TEST_F(ConfirmWindowAtScale, IsLaidOutFitsItsCaptionsAndFramesItsButtons) {
  using namespace confirm_window;
  const std::vector<UnitRow> rows = confirm_window_units();
  expect_laid_out(app_.window, kWidth, kHeight, rows);
  expect_fits(app_.window, kQuestion, text_in(rows, kQuestion), kLabelRoom);
  expect_fits(app_.window, kCancelButton, text_in(rows, kCancelButton), kButtonRoom);
  expect_fits(app_.window, kConfirmButton, confirm_caption_of(10), kButtonRoom);

  const drv::Picture shot(app_.window);
  ASSERT_TRUE(shot.ok());
  expect_shown_whole(shot, app_.window, kQuestion, text_in(rows, kQuestion), kLabelRoom);
  expect_shown_whole(shot, app_.window, kCancelButton, text_in(rows, kCancelButton), kButtonRoom);
  for (const int id : {kCancelButton, kConfirmButton}) {
    SCOPED_TRACE(id);
    expect_button_border(shot, app_.window, id);
  }
  scn::take_shot(app_.window, L"confirm_window_" + std::to_wstring(g_dpi) + L"dpi");
  EXPECT_EQ(shutdown_requests(), 0);
}

// Read before any test runs.
const bool g_read = (g_dpi = dpi_argument(), true);

}  // namespace
