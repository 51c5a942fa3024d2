// The set tray icon service against a recorder in place of the shell: the
// calls it makes, in order with the windows' events, and what becomes of
// every icon handle it makes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "builtin_data_win.h"
#include "gbk_win.h"
#include "heap.h"
#include "owned.h"
#include "private_messages.h"
#include "service.h"
#include "services.h"
#include "tray_icon_win.h"
#include "tray_test_support.h"
#include "window_runtime.h"

namespace {

using tt::Steps;

template <typename S>
S times(const S& s, int n) {
  S out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

class TrayService : public ::testing::Test {
 protected:
  void SetUp() override {
    tt::start();
    ASSERT_TRUE(rt::load_window(tt::kA, 0, false));
    a_ = tt::frame(tt::kA);
    tt::steps().clear();
  }
  void TearDown() override {
    tt::finish();
    EXPECT_EQ(tt::stale_calls(), 0);
  }

  static void set(uint32_t window, const rt::Arg& data, const rt::Arg& tip) {
    rt::call(rt::Service::SetTrayIcon, {rt::arg_unit(rt::kTagWindowRef, window, 0), data, tip});
  }
  static rt::Arg program_icon() { return rt::arg_block(assets::tray_icon_block()); }
  static HICON shown(uint32_t window) { return tray::shown_icon(window); }

  HWND a_ = nullptr;
};

// Before it goes up, the window lets the shell's "TaskbarCreated" through
// the message filter of the system: per window from Windows 7 on, per
// process on Vista, not at all on XP, which has none.
TEST_F(TrayService, FirstSetAddsTheProgramsIconWithItsTip) {
  const struct {
    const char* system;
    std::set<std::string> exports;
    Steps filter;
  } systems[] = {
      {"Windows 7",
       {"ChangeWindowMessageFilterEx", "ChangeWindowMessageFilter"},
       {tt::event("ChangeWindowMessageFilterEx a TaskbarCreated 1 null")}},
      {"Vista", {"ChangeWindowMessageFilter"}, {tt::event("ChangeWindowMessageFilter TaskbarCreated 1")}},
      {"XP", {}, {}},
  };
  const long live = rt::live_blocks();
  for (const auto& s : systems) {
    SCOPED_TRACE(s.system);
    tt::user32_exports() = s.exports;
    tt::steps().clear();
    tt::icons().clear();
    set(tt::kA, program_icon(), rt::arg_text("定时器"));
    Steps expected = s.filter;
    expected.push_back(tt::added(a_, L"定时器"));
    EXPECT_EQ(tt::steps(), expected);
    ASSERT_EQ(tt::icons().size(), 1u);
    EXPECT_EQ(shown(tt::kA), tt::icons()[0]);
    EXPECT_EQ(tt::icon_width(tt::icons()[0]), 128) << "the last image, at the size its own header gives";
    set(tt::kA, rt::omitted(), rt::omitted());  // down again for the next system
  }
  EXPECT_EQ(rt::live_blocks(), live);
}

TEST_F(TrayService, SecondSetChangesTheIconInPlaceAndDestroysTheOldOne) {
  set(tt::kA, program_icon(), rt::arg_text("定时器"));
  set(tt::kA, program_icon(), rt::arg_text("剩余 10 秒"));
  EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器"), tt::modified(a_, L"剩余 10 秒")}));
  ASSERT_EQ(tt::icons().size(), 2u);
  EXPECT_FALSE(tt::icon_alive(tt::icons()[0]));
  EXPECT_TRUE(tt::icon_alive(tt::icons()[1]));
  EXPECT_EQ(shown(tt::kA), tt::icons()[1]);
}

// The program's icon with another type and image count in its header.
rt::Block ico_block(uint16_t type, uint16_t count) {
  const rt::BlockView icon = rt::view_block(assets::tray_icon_block());
  std::vector<unsigned char> b(icon.data, icon.data + icon.size);
  b[2] = static_cast<unsigned char>(type);
  b[4] = static_cast<unsigned char>(count);
  return rt::Block::copy(b.data(), static_cast<uint32_t>(b.size()));
}

// Data that makes no icon takes a shown icon down (and destroys it), and
// does nothing to a window that shows none.
TEST_F(TrayService, UnusableDataTakesTheIconDown) {
  const rt::Block type3 = ico_block(3, 4), no_images = ico_block(1, 0), empty = rt::Block::copy(nullptr, 0);
  const unsigned char text_bytes[] = "not an icon at all";
  const rt::Block junk = rt::Block::copy(text_bytes, sizeof text_bytes);
  const struct {
    const char* what;
    rt::Arg data;
  } cases[] = {
      {"type 3", rt::arg_block(type3.get())},
      {"no images", rt::arg_block(no_images.get())},
      {"empty block", rt::arg_block(empty.get())},
      {"no ICO data", rt::arg_block(junk.get())},
      {"null block", rt::arg_block(nullptr)},
      {"omitted", rt::omitted()},
      {"a number", rt::arg_int(5)},
      {"a missing file", rt::arg_text("C:\\没有这个文件.ico")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tt::steps().clear();
    tt::icons().clear();
    set(tt::kA, program_icon(), rt::arg_text("定时器"));
    set(tt::kA, c.data, rt::omitted());
    set(tt::kA, c.data, rt::arg_text("定时器"));
    EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器"), tt::deleted(a_)}));
    EXPECT_EQ(shown(tt::kA), nullptr);
    ASSERT_EQ(tt::icons().size(), 1u);
    EXPECT_FALSE(tt::icon_alive(tt::icons()[0]));
  }
}

// Destroying a window takes its icon down after the window's about to be
// destroyed event, and destroys the icon; a window whose icon is down
// already is destroyed without a call to the shell.
TEST_F(TrayService, DestroyingTheWindowTakesItsIconDownAfterItsEvent) {
  for (const bool icon_up : {true, false}) {
    SCOPED_TRACE(icon_up ? "icon up" : "icon down");
    ASSERT_TRUE(rt::load_window(tt::kA, 0, false));  // again after the first round
    a_ = tt::frame(tt::kA);
    set(tt::kA, program_icon(), rt::arg_text("定时器"));
    if (!icon_up) set(tt::kA, rt::omitted(), rt::omitted());
    const HICON icon = tt::icons().back();
    ASSERT_TRUE(!icon_up || tt::icon_alive(icon));
    tt::steps().clear();
    DestroyWindow(a_);
    const Steps taken_down{tt::event("destroying a"), tt::deleted(a_)};
    EXPECT_EQ(tt::steps(), icon_up ? taken_down : Steps{tt::event("destroying a")});
    EXPECT_FALSE(tt::icon_alive(icon));
  }
}

TEST_F(TrayService, AWindowThatIsNotLoadedGetsNothing) {
  set(tt::kB, program_icon(), rt::arg_text("定时器"));
  set(0x12345678, program_icon(), rt::arg_text("定时器"));
  EXPECT_TRUE(tt::steps().empty());
  EXPECT_TRUE(tt::icons().empty());
}

// The tip crosses into Windows as UTF-16 whatever the ANSI code page, cut to
// 62 GBK bytes between characters; without one the record's tip is empty.
TEST_F(TrayService, TheTipArrivesAsUtf16CutBetweenCharacters) {
  const struct {
    std::string tip;
    std::wstring expected;
  } cases[] = {
      {"定时器", L"定时器"},
      {"a" + times<std::string>("时间", 16), L"a" + times<std::wstring>(L"时间", 15)},
  };
  for (const auto& c : cases) {
    tt::steps().clear();
    set(tt::kA, program_icon(), rt::arg_text(c.tip.c_str()));
    ASSERT_EQ(tt::steps().size(), 1u);
    EXPECT_EQ(tt::steps()[0].tip, c.expected) << c.tip.size() << " bytes";
  }
  tt::steps().clear();
  set(tt::kA, program_icon(), rt::omitted());
  EXPECT_EQ(tt::steps(), (Steps{tt::modified(a_, L"")}));
}

// The time left of a count, every second: only a changed tip reaches the
// shell, only the tip changes, and "TaskbarCreated" puts back the last one.
// Balloons come from the icon, with the information icon. Without an icon
// neither does anything.
TEST_F(TrayService, TipAndBalloonsWhileTheIconShows) {
  const svc::WindowRef a{tt::kA, tt::kAOwn};
  svc::set_tray_tip(a, "定时器\n剩余 0:00:09");
  svc::show_tray_balloon(a, "定时器", "1 分钟后将关闭计算机。");
  set(tt::kA, program_icon(), rt::arg_text("定时器"));
  svc::set_tray_tip(a, "定时器");
  svc::set_tray_tip(a, "定时器\n关机 剩余 1:02:03");
  svc::set_tray_tip(a, "定时器\n关机 剩余 1:02:03");
  svc::show_tray_balloon(a, "定时器", "5 分钟后将关闭计算机。单击这里打开定时器。");
  svc::set_tray_tip(a, "定时器\n关机 剩余 1:02:02");
  SendMessageW(a_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  svc::set_tray_tip(a, ("定时器\n" + times<std::string>("时", 130)).c_str());
  svc::show_tray_balloon(a, times<std::string>("题", 70).c_str(), times<std::string>("文", 300).c_str());
  set(tt::kA, rt::omitted(), rt::omitted());
  svc::set_tray_tip(a, "定时器\n剩余 0:00:01");
  svc::show_tray_balloon(a, "定时器", "1 分钟后将关闭计算机。");
  EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器"), tt::tip_changed(a_, L"定时器\n关机 剩余 1:02:03"),
                                tt::balloon(a_, L"定时器", L"5 分钟后将关闭计算机。单击这里打开定时器。"),
                                tt::tip_changed(a_, L"定时器\n关机 剩余 1:02:02"),
                                tt::added(a_, L"定时器\n关机 剩余 1:02:02"),
                                tt::tip_changed(a_, L"定时器\n" + times<std::wstring>(L"时", 123)),
                                tt::balloon(a_, times<std::wstring>(L"题", 63), times<std::wstring>(L"文", 255)),
                                tt::deleted(a_)}));
}

bool write_file(const std::wstring& path, const rt::BlockView& bytes) {
  const HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data, bytes.size, &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size;
}

// The name is converted from GBK, so a Chinese name works whatever the
// system's code page. (Wine keeps file names in the Unix locale's charset:
// the run with code page 1252 has no UTF-8 locale and takes ASCII names only.)
TEST_F(TrayService, AFileNameIsReadWholeFirst) {
  wchar_t dir[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  for (const wchar_t* name : {L"tray-icon-test.ico", L"托盘图标测试.ico"}) {
    const std::wstring path = std::wstring(dir) + name;
    SCOPED_TRACE(rt::to_gbk(path));
    if (!write_file(path, rt::view_block(assets::tray_icon_block()))) {
      ASSERT_NE(GetACP(), 936u) << "cannot write the icon file";
      continue;
    }
    tt::steps().clear();
    tt::icons().clear();
    set(tt::kA, rt::arg_text(rt::to_gbk(path).c_str()), rt::arg_text("定时器"));
    set(tt::kA, rt::omitted(), rt::omitted());
    DeleteFileW(path.c_str());
    EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器"), tt::deleted(a_)}));
    ASSERT_EQ(tt::icons().size(), 1u);
  }
}

// The shell broadcasts "TaskbarCreated" after it has recreated the
// notification area; the hidden window with an icon puts it back, the one
// without an icon stays out.
TEST_F(TrayService, TaskbarCreatedPutsTheIconBack) {
  ASSERT_TRUE(rt::load_window(tt::kB, 0, false));
  set(tt::kA, program_icon(), rt::arg_text("定时器"));
  ShowWindow(a_, SW_HIDE);
  tt::steps().clear();
  const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageTimeoutW(HWND_BROADCAST, taskbar_created, 0, 0, SMTO_NORMAL, 2000, nullptr);
  EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器")}));
  EXPECT_EQ(tt::icons().back(), shown(tt::kA)) << "the same icon again";
  EXPECT_TRUE(tt::icon_alive(shown(tt::kA)));
}

TEST_F(TrayService, TaskbarCreatedModifiesAnIconThatIsStillThere) {
  set(tt::kA, program_icon(), rt::arg_text("定时器"));
  tt::steps().clear();
  tt::refused().insert(NIM_ADD);
  SendMessageW(a_, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(tt::steps(), (Steps{tt::added(a_, L"定时器"), tt::modified(a_, L"定时器")}));
}

// The icon's mouse messages, posted as the shell posts them: a double-click
// brings the releases around it, so the handler sees 1, 2, 1. Of what the
// shell reports of a balloon, only the user's click on it counts.
TEST_F(TrayService, MouseMessagesOfTheIconRaiseTheTrayNotificationEvent) {
  set(tt::kA, program_icon(), rt::arg_text("定时器"));
  tt::steps().clear();
  for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONDOWN,
                     WM_RBUTTONUP, WM_CONTEXTMENU, NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK, NIN_BALLOONHIDE,
                     NIN_BALLOONTIMEOUT, WM_MBUTTONUP})
    PostMessageW(a_, rt::msg::kTrayIcon, 100, mouse);
  const Steps expected{tt::event("tray 1"), tt::event("tray 2"), tt::event("tray 1"), tt::event("tray 3"),
                       tt::event("tray 3"), tt::event("tray 4")};
  // The middle button, posted last, raises nothing: wait until the queue
  // has no more of them.
  EXPECT_TRUE(tt::pump_until([&] {
    MSG m;
    return tt::steps().size() >= expected.size() && !PeekMessageW(&m, a_, rt::msg::kTrayIcon, rt::msg::kTrayIcon, PM_NOREMOVE);
  }));
  EXPECT_EQ(tt::steps(), expected);
}

}  // namespace
