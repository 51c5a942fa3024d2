// timer.exe switches its themed look on at start-up: the buttons and the
// edit box of its main window, and the buttons of the confirmation window
// it opens later, show the look's colours on the screen. (layout_host
// switches the look on by itself, so only the real program can show this.)
#include <windows.h>

#include <gtest/gtest.h>

#include "main_window_session.h"

namespace {

using namespace timer;
using namespace timer::main_window;
namespace ss = timer::session;

// The colours of the look's scheme 1 at a push button's border and an edit
// box's frame.
constexpr COLORREF kButtonBorder = RGB(0, 60, 115);
constexpr COLORREF kEditFrame = RGB(123, 158, 189);

// The colour at (x, y) of a control as the screen shows it, once painting
// has settled; CLR_INVALID when it cannot be read.
COLORREF pixel_of(HWND control, int x, int y) {
  drv::RgbImage image;
  if (!drv::capture_settled(drv::screen_rect(control), &image) || x >= image.width || y >= image.height) {
    return CLR_INVALID;
  }
  const uint8_t* p = &image.rgb[3 * (static_cast<size_t>(y) * image.width + x)];
  return RGB(p[0], p[1], p[2]);
}

// The left border of a push button, half-way down: inside the one-pixel
// frame of the button face.
COLORREF button_border(HWND button) {
  const RECT r = drv::screen_rect(button);
  return pixel_of(button, 1, (r.bottom - r.top) / 2);
}

class ThemedLook : public ss::MainWindowTest {
 protected:
  // A confirmation window a failed check left open is closed before its
  // count runs out: a shutdown request would end the whole Wine session.
  void TearDown() override {
    if (const HWND confirm = drv::find_window({confirm_window::kCaption, L"", app_.process.id(), true})) {
      PostMessageW(confirm, WM_CLOSE, 0, 0);
    }
    ss::MainWindowTest::TearDown();
  }
};

TEST_F(ThemedLook, TheMainWindowsButtonAndEditBoxShowTheLook) {
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  EXPECT_EQ(button_border(unit(kStartButton)), kButtonBorder);
  const HWND edit = unit(kReminderEdit);
  const RECT r = drv::screen_rect(edit);
  EXPECT_EQ(pixel_of(edit, 0, (r.bottom - r.top) / 2), kEditFrame);
}

// The confirmation window of a schedule with 关机 is made after the switch:
// its buttons get the look as they are created. It is closed with Esc once
// judged, seconds before its count would ask for a shutdown.
TEST_F(ThemedLook, TheConfirmationWindowsButtonsShowTheLook) {
  ASSERT_TRUE(ss::check(app_.window, kCheckShutdown));
  ASSERT_TRUE(ss::start_count(app_.window, 1));
  const HWND confirm = drv::wait_for_window({confirm_window::kCaption, L"", app_.process.id(), true});
  ASSERT_NE(confirm, nullptr) << "no confirmation window";
  const COLORREF cancel = button_border(drv::child_by_id(confirm, confirm_window::kCancelButton));
  const COLORREF confirm_button = button_border(drv::child_by_id(confirm, confirm_window::kConfirmButton));
  EXPECT_EQ(cancel, kButtonBorder) << "取消";
  EXPECT_EQ(confirm_button, kButtonBorder) << "确定";

  ASSERT_TRUE(drv::bring_to_front(confirm));
  ASSERT_TRUE(drv::press_key(VK_ESCAPE));
  ASSERT_TRUE(drv::wait_until([&] { return !IsWindow(confirm); })) << "the confirmation window stays";
}

}  // namespace
