// The main window in the colours the user chose, in a Wine session of its
// own (in_own_session: Wine keeps what SetSysColors sets until its server
// ends, and gives it to programs as they start). Under a dark scheme, and
// one with dark buttons and light windows, the clock (a label) and the
// captions of a check box and of a button stand out from what they are
// drawn on.
#include <gtest/gtest.h>

#include <windows.h>

#include "scenario_support.h"
#include "timer_windows.h"

namespace {

using namespace timer::main_window;

// Dark buttons beside light windows: a caption on the button face in the
// windows' text colour would vanish.
constexpr drv::ColourScheme kDarkFaces{RGB(255, 255, 255), RGB(0, 0, 0), RGB(48, 48, 48), RGB(255, 255, 255)};

class ColourScheme : public ::testing::Test {
 protected:
  void TearDown() override { app_.process.end(); }
  // timer.exe started, once its clock shows; its units' places on the screen.
  void started() {
    EXPECT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
    EXPECT_TRUE(drv::wait_until([&] { return !drv::text_of(drv::child_by_id(app_.window, kNowLabel)).empty(); }));
  }
  RECT at(Unit id) const { return drv::screen_rect(drv::child_by_id(app_.window, id)); }

  scn::Launched app_;
};

TEST_F(ColourScheme, EveryCaptionStandsOutInADarkScheme) {
  for (const drv::ColourScheme& scheme : {drv::kDarkScheme, kDarkFaces}) {
    SCOPED_TRACE(scheme.window);
    ASSERT_TRUE(drv::set_colour_scheme(scheme));
    started();
    const drv::Picture shot(app_.window);
    // Each caption where it shows: inside a button's border and rings, past
    // a check box's box and left of the unit that lies over its end.
    RECT button = at(kStartButton), check = at(kCheckShutdown);
    InflateRect(&button, -4, -4);
    check = {check.left + 18, check.top, at(kCheckMusic).left, check.bottom};
    const COLORREF themed_face = shot.at(button.left + 2, (button.top + button.bottom) / 2);  // light in any scheme
    EXPECT_GE(shot.standing_out(at(kNowLabel), scheme.face), 20) << "the clock";
    EXPECT_GE(shot.standing_out(check, scheme.face), 20) << "关机";
    EXPECT_GE(shot.standing_out(button, themed_face), 20) << "定时";
    scn::take_shot(app_.window, scheme.face == kDarkFaces.face ? L"main_window_dark_faces" : L"main_window_dark");
    app_.process.end();
  }
}

}  // namespace
