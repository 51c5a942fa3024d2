// The driver's primitives against driver_target.exe, a window program whose
// every reaction is known: if these pass, a failing scenario points at the
// program under test, not at the driver.
#include <gtest/gtest.h>

#include <fstream>

#include "scenario_support.h"
#include "target_ids.h"

namespace {

using namespace target;

class DriverSelfTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scn::launch(L"driver_target", {L"7"}, kCaption, &app_)); }

  HWND control(Control id) const { return drv::child_by_id(app_.window, id); }
  static RECT rect(const Place& p) { return {p.left, p.top, p.left + p.width, p.top + p.height}; }
  static POINT middle(const Place& p) { return {p.left + p.width / 2, p.top + p.height / 2}; }
  bool text_becomes(Control id, const std::wstring& text) {
    return drv::wait_until([&] { return drv::text_of(control(id)) == text; });
  }
  HWND focused_control() const { return drv::control_holding(app_.window, drv::focus_in(app_.window)); }

  scn::Launched app_;
};

TEST_F(DriverSelfTest, FindsTheWindowByCaptionClassAndProcess) {
  EXPECT_EQ(drv::find_window({kCaption, kClass, app_.process.id(), true}), app_.window);
  EXPECT_EQ(drv::find_window({L"", kClass, 0, true}), app_.window);
  EXPECT_EQ(drv::find_window({kCaption, L"Static", 0, true}), nullptr);
  EXPECT_EQ(drv::find_window({kCaption, L"", app_.process.id() + 4, true}), nullptr);
  EXPECT_EQ(drv::rect_in_parent(app_.window), (RECT{kLeft, kTop, kLeft + kWidth, kTop + kHeight}));
  EXPECT_FALSE(drv::has_menu_bar(app_.window));
}

TEST_F(DriverSelfTest, ReadsControlsOfAnotherProcess) {
  struct Row {
    Control id;
    const wchar_t* cls;
    Place place;
    const wchar_t* text;
  };
  const Row rows[] = {
      {kEdit, L"Edit", kEditPlace, L""},
      {kButton, L"Button", kButtonPlace, L"按下"},
      {kCheck, L"Button", kCheckPlace, L"选项"},
      {kClicks, L"Static", kClicksPlace, L"点击 0"},
      {kDate, L"SysDateTimePick32", kDatePlace, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.id);
    const HWND w = control(row.id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(_wcsicmp(drv::class_of(w).c_str(), row.cls), 0) << drv::utf8(drv::class_of(w));
    EXPECT_EQ(drv::rect_in_parent(w), rect(row.place));
    if (row.text) {
      EXPECT_EQ(drv::text_of(w), row.text);
    }
    EXPECT_TRUE(drv::is_visible(w));
    EXPECT_TRUE(drv::is_enabled(w));
    EXPECT_EQ(drv::child_at(app_.window, middle(row.place)), w);
  }
  EXPECT_EQ(drv::child_by_text(app_.window, L"Button", L"选项"), control(kCheck));
  EXPECT_EQ(drv::ex_style_of(control(kEdit)) & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(drv::style_of(control(kCheck)) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  EXPECT_EQ(drv::check_state(control(kCheck)), BST_UNCHECKED);
  EXPECT_EQ(drv::child_at(app_.window, {kEmptySpot.left, kEmptySpot.top}), nullptr);
}

TEST_F(DriverSelfTest, ReadsComboItemsAndTheDroppedListHeight) {
  const HWND combo = control(kCombo);
  EXPECT_EQ(drv::combo_count(combo), 3);
  EXPECT_EQ(drv::combo_items(combo), (std::vector<std::wstring>{L"甲", L"乙", L"丙"}));
  EXPECT_EQ(drv::combo_selection(combo), CB_ERR);
  // the target makes its box as the reference is made; another height shows
  const drv::ComboMetrics seen = drv::combo_metrics(combo);
  const drv::ComboMetrics made = drv::reference_combo_metrics(WS_VSCROLL | CBS_DROPDOWN, kComboPlace.width, kComboPlace.height, 0);
  EXPECT_EQ(seen.closed_height, made.closed_height);
  EXPECT_EQ(seen.dropped_height, made.dropped_height);
  EXPECT_EQ(seen.item_height, made.item_height);
  EXPECT_LT(seen.closed_height, kComboPlace.height);
  const HWND list = drv::combo_list(combo);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(drv::class_of(list), L"ComboLBox");
  EXPECT_FALSE(drv::is_visible(list)) << "not dropped";
  EXPECT_NE(seen.dropped_height, drv::reference_combo_metrics(WS_VSCROLL | CBS_DROPDOWN, kComboPlace.width, kComboPlace.height - 1, 0).dropped_height);
}

TEST_F(DriverSelfTest, ReadsTheDatePickerThroughItsProcessMemory) {
  const std::optional<SYSTEMTIME> t = drv::date_box_time(control(kDate));
  ASSERT_TRUE(t);
  EXPECT_EQ(t->wYear, kYear);
  EXPECT_EQ(t->wMonth, kMonth);
  EXPECT_EQ(t->wDay, kDay);
  EXPECT_EQ(t->wHour, kHour);
  EXPECT_EQ(t->wMinute, kMinute);
  EXPECT_EQ(t->wSecond, kSecond);
}

TEST_F(DriverSelfTest, ClicksAndDoubleClicksLikeAPerson) {
  ASSERT_TRUE(drv::click(control(kCheck)));
  EXPECT_TRUE(drv::wait_until([&] { return drv::check_state(control(kCheck)) == BST_CHECKED; }));
  ASSERT_TRUE(drv::click(control(kButton)));
  EXPECT_TRUE(text_becomes(kClicks, L"点击 1"));
  ASSERT_TRUE(drv::double_click(app_.window, {kEmptySpot.left, kEmptySpot.top}));
  EXPECT_TRUE(text_becomes(kDoubleClicks, L"双击 1"));
  EXPECT_EQ(drv::text_of(control(kClicks)), L"点击 1") << "a click on the window is not a button click";
}

TEST_F(DriverSelfTest, TypesUnicodeTextAndWalksTheFocusWithTab) {
  ASSERT_TRUE(drv::click(control(kEdit)));
  ASSERT_TRUE(drv::wait_until([&] { return focused_control() == control(kEdit); }));
  ASSERT_TRUE(drv::type_text(L"你好 abc"));
  EXPECT_TRUE(text_becomes(kEdit, L"你好 abc"));
  ASSERT_TRUE(drv::press_key(VK_TAB));
  EXPECT_TRUE(drv::wait_until([&] { return focused_control() == control(kButton); }));
  ASSERT_TRUE(drv::press_key(VK_TAB, drv::kShift));
  EXPECT_TRUE(drv::wait_until([&] { return focused_control() == control(kEdit); }));
  // the combo box's edit field belongs to the combo box
  ASSERT_TRUE(drv::click(control(kCombo), {20, 8}));
  EXPECT_TRUE(drv::wait_until([&] { return focused_control() == control(kCombo); }));
  EXPECT_NE(drv::focus_in(app_.window), control(kCombo));
}

TEST_F(DriverSelfTest, EscEndsTheProgramWithItsExitCode) {
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::press_key(VK_ESCAPE));
  EXPECT_EQ(app_.process.wait_exit(drv::kPromptMs), std::optional<DWORD>(7));
}

TEST_F(DriverSelfTest, TheCloseButtonIsFoundAndClicked) {
  POINT close{};
  ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTCLOSE, &close));
  POINT minimise{};
  ASSERT_TRUE(drv::find_title_bar_point(app_.window, HTMINBUTTON, &minimise));
  EXPECT_LT(minimise.x, close.x);
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::click_screen(close));
  EXPECT_EQ(app_.process.wait_exit(drv::kPromptMs), std::optional<DWORD>(7));
}

TEST_F(DriverSelfTest, EndingAProgramLeavesNothingRunning) {
  ASSERT_TRUE(app_.process.running());
  app_.process.end();
  EXPECT_FALSE(app_.process.running());
  EXPECT_EQ(app_.process.wait_exit(0), std::optional<DWORD>(1));
  EXPECT_TRUE(drv::wait_until([&] { return !IsWindow(app_.window); }));
  EXPECT_FALSE(drv::Process::start(L"Z:\\no\\such\\program.exe").started());
}

TEST_F(DriverSelfTest, ScreenshotsShowWhatIsOnTheScreen) {
  ASSERT_TRUE(drv::bring_to_front(app_.window));
  ASSERT_TRUE(drv::wait_until([&] { return drv::text_of(control(kClicks)) == L"点击 0"; }));
  scn::take_shot(app_.window, L"driver_selftest");
  drv::RgbImage image;
  const RECT outer = drv::screen_rect(app_.window);
  ASSERT_TRUE(drv::capture_settled(outer, &image));
  auto pixel = [&](POINT screen) {
    const size_t at = (static_cast<size_t>(screen.y - outer.top) * image.width + (screen.x - outer.left)) * 3;
    return RGB(image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]);
  };
  // an edit box is white inside; the empty client area has the face colour
  EXPECT_EQ(pixel(drv::screen_point(control(kEdit), {100, 10})), RGB(255, 255, 255));
  EXPECT_EQ(pixel(drv::screen_point(app_.window, {kEmptySpot.left, kEmptySpot.top})), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
