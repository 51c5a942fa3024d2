// timer.exe's main window as it first shows: frame, every unit at its place
// with its class, text and style, the stacking of overlapping units, the
// combo boxes' drop-down room and the date box's starting value.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "scenario_support.h"
#include "timer_windows.h"
#include "window_checks.h"

namespace {

using namespace timer;
using namespace timer::main_window;

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    GetLocalTime(&started_);
    ASSERT_TRUE(scn::launch(L"timer", {}, kCaption, &app_));
  }
  HWND unit(Unit id) const { return drv::child_by_id(app_.window, id); }
  static DWORD combo_style(Unit id) {
    return WS_VSCROLL | CBS_AUTOHSCROLL | (id == kHourBox ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
  }

  SYSTEMTIME started_{};
  scn::Launched app_;
};

TEST_F(MainWindowLayout, FrameIsCentredAtItsSizeWithoutMenuBar) {
  expect_frame(app_.window, kCaption, kWidth, kHeight);
  EXPECT_EQ(drv::screen_rect(app_.window), (RECT{322, 297, 702, 470})) << "(1024-380)/2, (768-173)/2";
  EXPECT_EQ(GetWindow(app_.window, GW_OWNER), nullptr) << "an unowned window has a taskbar button";
  scn::take_shot(app_.window, L"main_window");
  scn::take_desktop_shot(L"main_window_desktop");
}

TEST_F(MainWindowLayout, EveryUnitIsAtItsPlaceWithItsClassTextAndStyle) {
  for (const UnitRow& row : main_window_units()) expect_unit(app_.window, row);
  int controls = 0;
  for (HWND child : drv::children(app_.window)) controls += drv::control_id(child) != 0;
  EXPECT_EQ(controls, 19) << "one window for each control and timer, no more";
}

TEST_F(MainWindowLayout, ComboBoxesHaveRoomForTheirListAndStartEmpty) {
  for (Unit id : {kHourBox, kMinuteBox, kSecondBox}) {
    SCOPED_TRACE(id);
    const drv::ComboMetrics seen = drv::combo_metrics(unit(id));
    const drv::ComboMetrics made = drv::reference_combo_metrics(combo_style(id), 40, 160, 0);
    EXPECT_EQ(seen.closed_height, made.closed_height);
    EXPECT_EQ(seen.dropped_height, made.dropped_height) << "created 160 high";
    EXPECT_EQ(drv::combo_selection(unit(id)), CB_ERR);
    EXPECT_EQ(drv::text_of(unit(id)), L"");
  }
}

TEST_F(MainWindowLayout, ComboListItemsAreOnePixelHigherThanTheDefault) {
  const DWORD style = combo_style(kMinuteBox);
  const int plain = drv::reference_combo_metrics(style, 40, 160, 0).item_height;
  for (Unit id : {kHourBox, kMinuteBox, kSecondBox}) {
    const int seen = drv::combo_metrics(unit(id)).item_height;
    // Wine's combo box keeps the list's item height unless the list is
    // owner-drawn (CB_SETITEMHEIGHT for items does nothing there); the
    // check stands wherever the platform, or the program, can do it.
    if (seen == plain && drv::reference_combo_metrics(style, 40, 160, 1).item_height == plain)
      GTEST_SKIP() << "this platform ignores item heights of plain combo box lists";
    EXPECT_EQ(seen, plain + 1) << "unit " << id;
  }
}

TEST_F(MainWindowLayout, DateBoxStartsAtTheMomentOfItsCreation) {
  const std::optional<SYSTEMTIME> shown = drv::date_box_time(unit(kDateBox));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  ASSERT_TRUE(shown) << "the box holds a date";
  auto seconds = [](const SYSTEMTIME& t) {
    FILETIME f{};
    SystemTimeToFileTime(&t, &f);
    return static_cast<long long>((ULARGE_INTEGER{{f.dwLowDateTime, f.dwHighDateTime}}.QuadPart) / 10000000ULL);
  };
  EXPECT_GE(seconds(*shown), seconds(started_) - 1) << "not before the program started";
  EXPECT_LE(seconds(*shown), seconds(now)) << "not after it was read";
  EXPECT_EQ(drv::date_box_range(unit(kDateBox)), std::optional<DWORD>(0)) << "no earliest or latest date";
}

TEST_F(MainWindowLayout, EarlierUnitsLieOnTopOfLaterOnes) {
  // all controls, top of the stack first, are in layout order
  std::vector<int> stack;
  for (HWND child : drv::children(app_.window))
    if (drv::control_id(child)) stack.push_back(drv::control_id(child));
  std::vector<int> layout_order;
  for (int id = kFirstUnit; id <= kLastUnit; ++id) layout_order.push_back(id);
  EXPECT_EQ(stack, layout_order);

  // what shows where units overlap; timers take no point at all
  const struct {
    POINT at;
    Unit on_top;
    int hidden;
  } overlaps[] = {
      {{76, 122}, kReminderEdit, kCheckReminder},  // 编辑框_提醒 over 选择框2
      {{80, 100}, kCheckMusic, kCheckShutdown},    // 选择框3 over 选择框1
      {{76, 50}, kDateBox, kTargetCaption},        // 日期框_日期 over 标签2
      {{80, 20}, kNowLabel, kNowCaption},          // 标签_当前时间 over 标签1
      {{350, 20}, kNowLabel, kClockTimer},         // 时钟1 is never in the way
  };
  for (const auto& o : overlaps) {
    SCOPED_TRACE(o.on_top);
    EXPECT_EQ(drv::child_at(app_.window, o.at), unit(o.on_top)) << drv::describe(drv::child_at(app_.window, o.at));
    EXPECT_NE(unit(static_cast<Unit>(o.hidden)), nullptr);
  }
  EXPECT_EQ(drv::child_at(app_.window, {245, 77}), nullptr) << "时钟2's place shows the window";
}

}  // namespace
