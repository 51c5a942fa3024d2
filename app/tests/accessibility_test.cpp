// The program's windows for users who do not read the picture or need other
// colours, on the loaded windows with the calls recorded. Screen readers:
// each input is named by the caption beside it and each label is static
// text, all of it cleared with the window. The confirmation is heard and
// announced each time it shows; the main window and a reminder box add no
// sound. High contrast, which Wine cannot turn on, is reported through a
// seam: the themed look is not drawn at start and WM_SETTINGCHANGE switches
// it on and off again, while 确定 still waits to be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "accessible_win.h"
#include "confirm_window.h"
#include "gbk_win.h"
#include "main_window_handlers.h"
#include "services.h"
#include "theme/visual_style_win.h"
#include "window_table_win.h"

namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;
using Lines = std::vector<std::string>;

Lines g_calls;

// A window as the test names it: the unit's layout name (an editable combo
// box's edit field after its box's), or the window's caption for a frame.
std::string who(HWND h) {
  for (const auto& w : rt::win::runtime().windows) {
    if (w->hwnd == h) return w->own().layout->def->text;
    for (const auto& u : w->units)
      if (u->hwnd && u->layout->def->name && (u->hwnd == h || (u->cls == rt::UnitClass::ComboBox && u->hwnd == GetParent(h))))
        return std::string(u->layout->def->name) + (u->hwnd == h ? "" : " edit");
  }
  return "?";
}

std::string prop_name(const MSAAPROPID& p) {
  return p == PROPID_ACC_NAME ? "name" : p == PROPID_ACC_ROLE ? "role" : "other";
}

std::string on_client(DWORD object, DWORD child) {
  return object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF ? "" : " (not the client)";
}

HRESULT record_text(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const wchar_t* text) {
  g_calls.push_back(prop_name(prop) + " " + who(w) + " " + rt::to_gbk(text) + on_client(object, child));
  return E_NOTIMPL;  // as Wine answers
}

HRESULT record_value(HWND w, DWORD object, DWORD child, const MSAAPROPID& prop, const VARIANT& v) {
  const std::string value = v.vt == VT_I4 ? std::to_string(v.lVal) : "of type " + std::to_string(v.vt);
  g_calls.push_back(prop_name(prop) + " " + who(w) + " " + value + on_client(object, child));
  return E_NOTIMPL;
}

HRESULT record_clear(HWND w, DWORD object, DWORD child, const MSAAPROPID* props, int count) {
  const bool both = count == 2 && props[0] == PROPID_ACC_NAME && props[1] == PROPID_ACC_ROLE;
  g_calls.push_back("clear " + who(w) + (both ? "" : " (not name and role)") + on_client(object, child));
  return E_NOTIMPL;
}

BOOL WINAPI record_beep(UINT type) {
  g_calls.push_back("beep " + std::to_string(type));
  return TRUE;
}

void WINAPI record_event(DWORD event, HWND w, LONG object, LONG child) {
  g_calls.push_back("event " + std::to_string(event) + " " + who(w) +
                    on_client(static_cast<DWORD>(object), static_cast<DWORD>(child)));
}

Lines sorted(Lines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The lines of g_calls from `first` on that begin with `what`.
Lines taken(const std::string& what, size_t first = 0) {
  Lines out;
  for (size_t i = first; i < g_calls.size(); ++i)
    if (g_calls[i].rfind(what, 0) == 0) out.push_back(g_calls[i]);
  return sorted(out);
}

bool g_high_contrast = false;
int g_clicks = 0;  // of 确定
WNDPROC g_date_box_proc = nullptr;
int g_date_box_heard = 0;  // WM_SYSCOLORCHANGE

class Accessibility : public MainWindowHandlers {
 protected:
  void SetUp() override {
    g_calls.clear();
    MainWindowHandlers::SetUp();
  }
  void TearDown() override {
    rt::set_event_observer(nullptr);
    rt::theme::set_high_contrast_query(nullptr);
    rt::theme::set_visual_style(0);
    MainWindowHandlers::TearDown();
  }
  static HWND control(uint32_t window, uint32_t unit) { return rt::win::find_window(window)->unit(unit)->hwnd; }
  rt::win::AccessCallsOverride recorder_{{record_text, record_value, record_clear, record_beep, record_event}};
};

TEST_F(Accessibility, EachInputIsNamedByItsCaptionAndEachLabelIsStaticText) {
  EXPECT_EQ(taken("name"), sorted({"name 编辑框_提醒 提醒", "name 组合框_秒 秒", "name 组合框_秒 edit 秒",
                                   "name 组合框_分 分", "name 组合框_分 edit 分", "name 组合框_时 时",
                                   "name 日期框_日期 定时时间"}));
  const Lines labels{"标签_剩余时间", "标签6", "标签5", "标签2", "标签_当前时间", "标签1", "标签3", "标签4"};
  Lines roles;
  for (const std::string& l : labels) roles.push_back("role " + l + " 41");  // ROLE_SYSTEM_STATICTEXT
  EXPECT_EQ(taken("role"), sorted(roles));

  g_calls.clear();
  rt::destroy_unit(mw::kWindow, mw::kOwn, true);
  Lines cleared{"clear 编辑框_提醒", "clear 组合框_秒", "clear 组合框_秒 edit", "clear 组合框_分",
                "clear 组合框_分 edit", "clear 组合框_时", "clear 日期框_日期"};
  for (const std::string& l : labels) cleared.push_back("clear " + l);
  EXPECT_EQ(sorted(g_calls), sorted(cleared)) << "everything named is forgotten with its window, nothing more";
}

// Closes the reminder box the test opens, once it shows.
void CALLBACK close_box(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND box = gui::thread_box()) {
    KillTimer(nullptr, id);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

TEST_F(Accessibility, TheConfirmationIsHeardAndAnnouncedEachTimeItShowsAndNothingElseIs) {
  EXPECT_EQ(taken("beep"), Lines{}) << "the main window";
  EXPECT_EQ(taken("event"), Lines{}) << "the main window";
  const std::string named = "name 关机 是否要真的关闭计算机呢?", alert = "event 2 关机";  // EVENT_SYSTEM_ALERT
  for (int shown = 1; shown <= 2; ++shown) {
    SCOPED_TRACE(shown);
    g_calls.clear();
    ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));
    EXPECT_EQ(taken("beep"), Lines{"beep 48"}) << "MB_ICONWARNING";
    EXPECT_EQ(taken("event"), Lines{alert});
    EXPECT_EQ(taken("role 关机"), Lines{"role 关机 8"}) << "ROLE_SYSTEM_ALERT";
    EXPECT_EQ(taken("name 关机"), Lines{named});
    const auto at = [](const std::string& line) { return std::find(g_calls.begin(), g_calls.end(), line) - g_calls.begin(); };
    EXPECT_LT(at(named), at(alert)) << "named before it is read out";
    EXPECT_NE(GetForegroundWindow(), gui::frame(cw::kWindow)) << "it still takes no foreground";
    g_calls.clear();
    rt::destroy_unit(cw::kWindow, cw::kOwn, true);
    EXPECT_EQ(taken("clear 关机"), Lines{"clear 关机"});
  }
  g_calls.clear();
  const UINT_PTR closer = SetTimer(nullptr, 0, 50, close_box);
  svc::message_box("提醒的内容", svc::kBoxInformation | svc::kBoxSetForeground | svc::kBoxTopmost, "提醒");
  KillTimer(nullptr, closer);
  EXPECT_EQ(g_calls, Lines{}) << "a reminder box";
}

LRESULT CALLBACK date_box_listener(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_SYSCOLORCHANGE) ++g_date_box_heard;
  return CallWindowProcW(g_date_box_proc, w, m, wp, lp);
}

TEST_F(Accessibility, HighContrastTurnsTheLookOffAndOnAgainWhileTheConfirmationStillWaits) {
  g_high_contrast = true;
  rt::theme::set_high_contrast_query([] { return g_high_contrast; });
  svc::visual_style(svc::Look::Scheme1);  // as the main window asks at start
  const HWND main = gui::frame(mw::kWindow), start = control(mw::kWindow, mw::按钮1);
  EXPECT_EQ(rt::theme::current_scheme(), 0);
  EXPECT_EQ(rt::theme::find_record(start), nullptr) << "not installed at start";

  const auto settings_changed = [main] { SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0); };
  g_high_contrast = false;
  settings_changed();
  EXPECT_EQ(rt::theme::current_scheme(), 1) << "on once high contrast ends";
  EXPECT_NE(rt::theme::find_record(start), nullptr);

  ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));  // 确定 made under the look
  g_high_contrast = true;
  settings_changed();
  EXPECT_EQ(rt::theme::current_scheme(), 0) << "off again";

  // Once the user has turned to the window, 确定 takes no press in the
  // first second, and one after it.
  g_clicks = 0;
  rt::set_event_observer([](uint32_t window, uint32_t unit, int event) {
    g_clicks += window == cw::kWindow && unit == cw::按钮1 && event == rt::event::kClicked;
  });
  rt::win::LoadedWindow& confirm = *rt::win::find_window(cw::kWindow);
  const HWND ok = control(cw::kWindow, cw::按钮1);
  ASSERT_TRUE(SetForegroundWindow(confirm.hwnd));
  rt::win::restart_input_wait(confirm);
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(g_clicks, 0) << "a press in the wait";
  confirm.input_wait_from -= 2000;
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(g_clicks, 1) << "a press after the wait";

  // A change of colours reaches the date box, a common control.
  const HWND date = control(mw::kWindow, mw::日期框_日期);
  g_date_box_heard = 0;
  g_date_box_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(date, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(date_box_listener)));
  SendMessageW(main, WM_SYSCOLORCHANGE, 0, 0);
  SetWindowLongPtrW(date, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_date_box_proc));
  EXPECT_EQ(g_date_box_heard, 1);
}

}  // namespace
