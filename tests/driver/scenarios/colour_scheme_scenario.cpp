// The main window in the colours the user chose, run in a Wine session of
// its own (in_own_session: Wine keeps colours set with SetSysColors until
// its server ends). Under the standard scheme it shows exactly what the
// README's picture shows, but for the time in its clock and date box. Under
// a dark scheme, and under one with dark buttons beside light windows, the
// clock, a caption, a check box's caption and a button's caption stand out
// from what they are drawn on.
#include <gtest/gtest.h>

#include <windows.h>

#include "scenario_support.h"
#include "timer_windows.h"

namespace {

using namespace timer::main_window;

// Dark buttons, light windows with dark text: a caption on the button face
// in the windows' text colour would vanish.
constexpr drv::ColourScheme kDarkFaces{RGB(255, 255, 255), RGB(0, 0, 0), RGB(48, 48, 48), RGB(255, 255, 255)};

class ColourScheme : public ::testing::Test {
 protected:
  // timer.exe started, once its clock shows. Wine gives a program the
  // session's colours as it starts; it does not hear of a later change.
  ::testing::AssertionResult start() {
    const ::testing::AssertionResult started = scn::launch(L"timer", {}, kCaption, &app_);
    if (!started) return started;
    const HWND now = unit(kNowLabel);
    if (!drv::wait_until([&] { return !drv::text_of(now).empty(); }, 10000))
      return ::testing::AssertionFailure() << "the clock shows no time";
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult close() {
    if (app_.window) PostMessageW(app_.window, WM_CLOSE, 0, 0);
    return scn::exits_with_zero(app_);
  }
  void TearDown() override {
    if (app_.process.started()) app_.process.end();
  }
  HWND unit(Unit id) const { return drv::child_by_id(app_.window, id); }
  RECT in_window(Unit id) const {
    const RECT w = drv::screen_rect(app_.window), r = drv::screen_rect(unit(id));
    return {r.left - w.left, r.top - w.top, r.right - w.left, r.bottom - w.top};
  }

  scn::Launched app_;
};

TEST_F(ColourScheme, TheStandardSchemeShowsWhatTheReadmeShows) {
  ASSERT_TRUE(start());
  drv::RgbImage readme;
  ASSERT_TRUE(drv::load_png(drv::windows_path(drv::command_line().value(L"readme-shot")), &readme));
  const drv::Picture shown(app_.window), expected(std::move(readme), {0, 0});
  ASSERT_TRUE(shown.ok());
  const RECT frame = drv::screen_rect(app_.window), clock = in_window(kNowLabel), date = in_window(kDateBox);
  ASSERT_EQ(frame.right - frame.left, expected.image().width);
  ASSERT_EQ(frame.bottom - frame.top, expected.image().height);
  int differ = 0;
  for (int y = 0; y < expected.image().height; ++y)
    for (int x = 0; x < expected.image().width; ++x) {
      const POINT p{x, y};
      if (PtInRect(&clock, p) || PtInRect(&date, p)) continue;  // the time of day
      differ += shown.at(frame.left + x, frame.top + y) != expected.at(x, y);
    }
  EXPECT_EQ(differ, 0) << "pixels unlike the README's picture";
  EXPECT_TRUE(close());
}

TEST_F(ColourScheme, EveryCaptionStandsOutInADarkScheme) {
  const struct {
    const char* name;
    drv::ColourScheme scheme;
  } schemes[] = {{"dark", drv::kDarkScheme}, {"dark faces", kDarkFaces}};
  for (const auto& s : schemes) {
    SCOPED_TRACE(s.name);
    ASSERT_TRUE(drv::set_colour_scheme(s.scheme));
    ASSERT_TRUE(start());
    const drv::Picture shot(app_.window);
    // Each caption where it shows: inside a button's border and rings, past
    // a check box's box, and left of the unit that lies over its end.
    RECT button = drv::screen_rect(unit(kStartButton));
    InflateRect(&button, -4, -4);
    RECT target = drv::screen_rect(unit(kTargetCaption)), check = drv::screen_rect(unit(kCheckShutdown));
    target.right = drv::screen_rect(unit(kDateBox)).left;
    check.left += 18;
    check.right = drv::screen_rect(unit(kCheckMusic)).left;
    const struct {
      const char* what;
      RECT at;
      COLORREF on;
    } captions[] = {
        {"the clock", drv::screen_rect(unit(kNowLabel)), s.scheme.face},
        {"定时时间:", target, s.scheme.face},
        {"关机", check, s.scheme.face},
        // on the themed face, light in every scheme
        {"定时", button, shot.at(button.left + 2, (button.top + button.bottom) / 2)},
    };
    for (const auto& c : captions) EXPECT_GE(shot.standing_out(c.at, c.on), 20) << c.what;
    scn::take_shot(app_.window, std::wstring(L"main_window_") + (s.scheme.face == kDarkFaces.face ? L"dark_faces" : L"dark"));
    EXPECT_TRUE(close());
  }
}

}  // namespace
