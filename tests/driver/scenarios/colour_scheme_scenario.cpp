// The main window in the colours the user chose, in a Wine session of its
// own (in_own_session: Wine keeps what SetSysColors sets until its server
// ends, and gives it to programs as they start). Under the standard scheme
// it shows what the README's picture shows, but for the time of day; under
// a dark scheme, and one with dark buttons and light windows, the clock (a
// label) and the captions of a check box and of a button stand out from
// what they are drawn on.
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
  RECT started() {
    EXPECT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
    EXPECT_TRUE(drv::wait_until([&] { return !drv::text_of(drv::child_by_id(app_.window, kNowLabel)).empty(); }));
    return drv::screen_rect(app_.window);
  }
  RECT at(Unit id) const { return drv::screen_rect(drv::child_by_id(app_.window, id)); }

  scn::Launched app_;
};

TEST_F(ColourScheme, TheStandardSchemeShowsWhatTheReadmeShows) {
  const RECT frame = started();
  drv::RgbImage readme;
  ASSERT_TRUE(drv::load_png(drv::windows_path(drv::command_line().value(L"readme-shot")), &readme));
  const drv::Picture shown(app_.window), expected(std::move(readme), {frame.left, frame.top});
  const RECT clock = at(kNowLabel), date = at(kDateBox);
  int differ = 0;
  for (int y = frame.top; y < frame.bottom; ++y)
    for (int x = frame.left; x < frame.right; ++x) {
      const POINT p{x, y};
      differ += !PtInRect(&clock, p) && !PtInRect(&date, p) && shown.at(x, y) != expected.at(x, y);
    }
  EXPECT_EQ(differ, 0) << "pixels unlike the README's picture, the time of day aside";
}

TEST_F(ColourScheme, EveryCaptionStandsOutInADarkScheme) {
  for (const drv::ColourScheme& scheme : {drv::kDarkScheme, kDarkFaces}) {
    SCOPED_TRACE(scheme.window);
    ASSERT_TRUE(drv::set_colour_scheme(scheme));
    started();
    const drv::Picture shot(app_.window);
    // Each caption where it shows: inside a button's border and rings, past
    // a check box's box, and left of the unit that lies over its end.
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
