// Add item and the visual style switch.
#include <gtest/gtest.h>

#include "convert.h"
#include "heap.h"
#include "service.h"
#include "theme/visual_style_win.h"
#include "window_test_support.h"

namespace {

class WindowServices : public ::testing::Test {
 protected:
  void SetUp() override {
    wt::start();
    ASSERT_TRUE(rt::load_window(wt::kA, 0, false));
  }
  void TearDown() override {
    rt::theme::set_visual_style(0);
    wt::finish();
  }
  static rt::Arg combo(uint32_t unit) { return rt::arg_unit(rt::kTagComboRef, wt::kA, unit); }
};

TEST_F(WindowServices, AddItemAppendsInOrderWithItsData) {
  const long live = rt::live_blocks();
  const HWND box = wt::control(wt::kA, wt::kComboEdit);
  for (int i = 0; i < 24; ++i) {
    rt::Text item = rt::result_text(rt::call(rt::Service::ToText, {rt::arg_double(i)}));
    const rt::Result r = rt::call(rt::Service::AddItem, {combo(wt::kComboEdit), rt::arg_text(item.c_str()), rt::omitted()});
    EXPECT_EQ(rt::result_int(r), i);
  }
  EXPECT_EQ(rt::live_blocks(), live);
  EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 24);
  wchar_t text[8] = {};
  SendMessageW(box, CB_GETLBTEXT, 23, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"23");
  EXPECT_EQ(SendMessageW(box, CB_GETITEMDATA, 5, 0), 0) << "omitted data is 0";

  const rt::Result r = rt::call(rt::Service::AddItem, {combo(wt::kComboEdit), rt::arg_text("时"), rt::arg_int(77)});
  EXPECT_EQ(rt::result_int(r), 24);
  EXPECT_EQ(SendMessageW(box, CB_GETITEMDATA, 24, 0), 77);
  SendMessageW(box, CB_GETLBTEXT, 24, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), L"时");
  EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR) << "nothing is selected";
}

// An owner-drawn box that keeps no texts stores what CB_ADDSTRING was given
// as the new item's data: an omitted data argument must still leave 0 there.
TEST_F(WindowServices, AddItemLeavesDataZeroInAnOwnerDrawnBoxWithoutTexts) {
  rt::win::Unit* unit = rt::win::find_window(wt::kA)->unit(wt::kComboList);
  ASSERT_NE(unit, nullptr);
  const HWND own = unit->hwnd;
  const HWND drawn = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, 0, 0, 60,
                                     100, GetParent(own), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(drawn, nullptr);
  unit->hwnd = drawn;
  const rt::Result r = rt::call(rt::Service::AddItem, {combo(wt::kComboList), rt::arg_text("7"), rt::omitted()});
  unit->hwnd = own;
  EXPECT_EQ(rt::result_int(r), 0);
  EXPECT_EQ(SendMessageW(drawn, CB_GETITEMDATA, 0, 0), 0);
  DestroyWindow(drawn);
}

TEST_F(WindowServices, AddItemToSomethingThatIsNoComboBoxGivesMinusOne) {
  EXPECT_EQ(rt::result_int(rt::call(rt::Service::AddItem, {combo(wt::kLabel), rt::arg_text("x"), rt::omitted()})), -1);
  EXPECT_EQ(rt::result_int(rt::call(rt::Service::AddItem,
                                    {rt::arg_unit(rt::kTagComboRef, wt::kB, wt::kTimerB), rt::arg_text("x"), rt::omitted()})),
            -1);
}

WNDPROC proc_of(HWND w) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(w, GWLP_WNDPROC)); }

int style(int scheme) { return rt::result_int(rt::call(rt::Service::VisualStyle, {rt::arg_int(scheme)})); }

TEST_F(WindowServices, VisualStyleTakesOverTheStandardControlsAndSwitchedOffLeavesItsProceduresInPlace) {
  const HWND button = wt::control(wt::kA, wt::kButton), label = wt::control(wt::kA, wt::kLabel);
  const HWND date = wt::control(wt::kA, wt::kDate), edit = wt::control(wt::kA, wt::kEdit);
  const WNDPROC button_proc = proc_of(button);

  EXPECT_EQ(style(1), 1);
  EXPECT_EQ(rt::theme::current_scheme(), 1);
  ASSERT_NE(rt::theme::find_record(button), nullptr);
  EXPECT_EQ(rt::theme::find_record(button)->kind, rt::theme::ControlKind::PushButton);
  EXPECT_EQ(rt::theme::find_record(wt::control(wt::kA, wt::kCheck))->kind, rt::theme::ControlKind::CheckBox);
  EXPECT_EQ(rt::theme::find_record(edit)->kind, rt::theme::ControlKind::Edit);
  EXPECT_EQ(rt::theme::find_record(wt::control(wt::kA, wt::kComboList))->kind, rt::theme::ControlKind::ComboBox);
  EXPECT_EQ(rt::theme::find_record(label), nullptr) << "labels keep their look";
  EXPECT_EQ(rt::theme::find_record(date), nullptr) << "date boxes keep their look";
  EXPECT_NE(proc_of(button), button_proc);
  // the editable combo box's edit field is restyled too
  HWND combo_edit = GetWindow(wt::control(wt::kA, wt::kComboEdit), GW_CHILD);
  ASSERT_NE(combo_edit, nullptr);
  EXPECT_NE(rt::theme::find_record(combo_edit), nullptr);

  // a window created later is caught at its creation
  ASSERT_TRUE(rt::load_window(wt::kB, 0, false));
  EXPECT_NE(rt::theme::find_record(wt::control(wt::kB, wt::kButtonB)), nullptr);

  // the restyled button still works
  static int clicks;
  clicks = 0;
  wt::hooks().on_click = [] { ++clicks; };
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);

  // switching on again first undoes the earlier switch
  EXPECT_EQ(style(3), 1);
  EXPECT_EQ(rt::theme::current_scheme(), 3);
  EXPECT_NE(rt::theme::find_record(button), nullptr);

  EXPECT_EQ(style(0), 1) << "the hook was removed";
  EXPECT_NE(proc_of(button), button_proc) << "kept, passing everything on, below any procedure put above it";
  EXPECT_EQ(style(0), 0) << "no hook left to remove";
  EXPECT_EQ(style(4), 0);
}

TEST_F(WindowServices, ADestroyedControlDropsItsRecord) {
  EXPECT_EQ(style(2), 1);
  const int before = rt::theme::record_count();
  rt::destroy_unit(wt::kA, wt::kButton, false);
  EXPECT_EQ(rt::theme::record_count(), before - 1);
  EXPECT_EQ(wt::control(wt::kA, wt::kButton), nullptr);
}

}  // namespace
