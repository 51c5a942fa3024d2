// Both windows for users who do not read the picture, the calls recorded:
// nothing until a reader asks, then inputs named by their captions and
// labels said to be static text, all of it cleared with the window; the
// confirmation heard and announced each time it shows, the main window
// silent. And high contrast, which Wine cannot turn on, reported through a
// seam.
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

// "WHAT UNIT VALUE": the unit by its layout name, "+" for a combo box's
// edit field, "!" when the call is not about its client object.
HRESULT note(const std::string& what, HWND h, LONG object, LONG child, const std::string& value) {
  std::string unit = "?";
  for (const auto& w : rt::win::runtime().windows)
    for (const auto& u : w->units)
      if (u->hwnd == h || (u->cls == rt::UnitClass::ComboBox && u->hwnd == GetParent(h)))
        unit = std::string(u->layout->def->name) + (u->hwnd == h ? "" : "+");
  const bool client = object == OBJID_CLIENT && child == CHILDID_SELF;
  g_calls.push_back(what + " " + unit + (client ? "" : "!") + (value.empty() ? "" : " " + value));
  return E_NOTIMPL;  // as Wine answers
}

BOOL WINAPI beep(UINT type) { return g_calls.push_back("beep " + std::to_string(type)), TRUE; }
void WINAPI event(DWORD event, HWND w, LONG o, LONG c) { note("event " + std::to_string(event), w, o, c, ""); }

const rt::win::AccessCalls kRecorder{
    [](HWND w, DWORD o, DWORD c, const MSAAPROPID& p, const wchar_t* text) {
      return note(p == PROPID_ACC_NAME ? "name" : "?", w, o, c, rt::to_gbk(text));
    },
    [](HWND w, DWORD o, DWORD c, const MSAAPROPID& p, const VARIANT& v) {
      return note(p == PROPID_ACC_ROLE && v.vt == VT_I4 ? "role" : "?", w, o, c, std::to_string(v.lVal));
    },
    [](HWND w, DWORD o, DWORD c, const MSAAPROPID* p, int n) {
      return note(n == 2 && p[0] == PROPID_ACC_NAME && p[1] == PROPID_ACC_ROLE ? "clear" : "?", w, o, c, "");
    },
    beep,
    event,
};

Lines sorted(Lines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

class Accessibility : public MainWindowHandlers {
 protected:
  void SetUp() override {
    g_calls.clear();
    MainWindowHandlers::SetUp();
  }
  void TearDown() override {
    rt::theme::set_high_contrast_query(nullptr);
    rt::theme::set_visual_style(0);
    MainWindowHandlers::TearDown();
  }
  rt::win::AccessCallsOverride recorder_{kRecorder};
};

// What an assistive program asks first of any window it reads; from a
// creation hook, what it may ask while a window is being made.
void ask(HWND w) { SendMessageW(w, WM_GETOBJECT, 0, OBJID_CLIENT); }
LRESULT CALLBACK ask_parent_when_made(int code, WPARAM wp, LPARAM lp) noexcept {
  if (code == HCBT_CREATEWND) ask(reinterpret_cast<CBT_CREATEWNDW*>(lp)->lpcs->hwndParent);
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(Accessibility, InputsAreNamedLabelsAreTextAndTheConfirmationIsHeardOnceAReaderAsks) {
  EXPECT_EQ(g_calls, Lines{}) << "nothing at start";
  svc::visual_style(svc::Look::Scheme1);  // as at start: the questions pass the look's procedures
  ask(FindWindowExW(rt::win::find_window(mw::kWindow)->unit(mw::组合框_分)->hwnd, nullptr, L"Edit", nullptr));
  Lines main{"name 编辑框_提醒 提醒", "name 组合框_秒 秒", "name 组合框_秒+ 秒", "name 组合框_分 分",
             "name 组合框_分+ 分", "name 组合框_时 时", "name 日期框_日期 定时时间"};
  for (const char* label : {"标签_剩余时间", "标签6", "标签5", "标签2", "标签_当前时间", "标签1", "标签3", "标签4"})
    main.push_back(std::string("role ") + label + " 41");  // ROLE_SYSTEM_STATICTEXT
  EXPECT_EQ(sorted(g_calls), sorted(main)) << "the main window, asked at an edit field: no sound, no alert";
  ask(gui::frame(mw::kWindow));
  EXPECT_EQ(g_calls.size(), main.size()) << "named once";

  // MB_ICONWARNING and EVENT_SYSTEM_ALERT as it shows; ROLE_SYSTEM_ALERT and
  // the question once a reader asks: at the frame, at 确定 (above its press
  // watch and the look), or only while the window is made, which names
  // nothing (and nothing is cleared).
  const Lines confirm{"beep 48", "event 2 关机", "role 关机 8", "name 关机 是否要真的关闭计算机呢?",
                      "role 标签1 41", "clear 关机", "clear 标签1"};
  for (int asked = 0; asked < 3; ++asked) {
    g_calls.clear();
    rt::UniqueHook made(asked ? nullptr
                              : SetWindowsHookExW(WH_CBT, ask_parent_when_made, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(rt::load_window(cw::kWindow, 0, false));
    EXPECT_NE(GetForegroundWindow(), gui::frame(cw::kWindow)) << "it takes no foreground";
    if (asked) ask(asked == 1 ? gui::frame(cw::kWindow) : rt::win::find_window(cw::kWindow)->unit(cw::按钮1)->hwnd);
    rt::destroy_unit(cw::kWindow, cw::kOwn, true);
    EXPECT_EQ(g_calls, asked ? confirm : Lines(confirm.begin(), confirm.begin() + 2)) << asked;
  }

  g_calls.clear();
  rt::destroy_unit(mw::kWindow, mw::kOwn, true);
  Lines cleared;
  for (const std::string& line : main) cleared.push_back("clear" + line.substr(4, line.rfind(' ') - 4));
  EXPECT_EQ(sorted(g_calls), sorted(cleared)) << "every name and role cleared";
}

bool g_high_contrast = true;
int g_date_box_heard = 0;
WNDPROC g_date_box_proc = nullptr;

LRESULT CALLBACK date_box(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  g_date_box_heard += m == WM_SYSCOLORCHANGE;
  return CallWindowProcW(g_date_box_proc, w, m, wp, lp);
}

TEST_F(Accessibility, HighContrastTurnsTheLookOffAndOnAgain) {
  rt::theme::set_high_contrast_query([] { return g_high_contrast; });
  svc::visual_style(svc::Look::Scheme1);  // as the main window asks at start
  const HWND main = gui::frame(mw::kWindow), start = rt::win::find_window(mw::kWindow)->unit(mw::按钮1)->hwnd;
  EXPECT_EQ(rt::theme::find_record(start), nullptr) << "not installed at start";
  const auto high_contrast = [main](bool on) {
    g_high_contrast = on;
    SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    return rt::theme::current_scheme();
  };
  EXPECT_EQ(high_contrast(false), 1);
  EXPECT_NE(rt::theme::find_record(start), nullptr);
  EXPECT_EQ(high_contrast(true), 0);
  // 确定's wait stays above the look's procedure, which stays in place
  // (window_services_test).

  // A change of colours reaches the date box, a common control.
  const HWND date = rt::win::find_window(mw::kWindow)->unit(mw::日期框_日期)->hwnd;
  g_date_box_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(date, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(date_box)));
  SendMessageW(main, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(g_date_box_heard, 1);
}

}  // namespace
