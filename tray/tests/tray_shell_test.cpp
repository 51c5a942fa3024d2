// The service against the real notification area of the Wine virtual
// desktop the test runs in: what the shell answers to each call.
#include <gtest/gtest.h>

#include "builtin_data_win.h"
#include "service.h"
#include "tray_test_support.h"
#include "window_runtime.h"

namespace {

struct Answer {
  DWORD message;
  bool ok;
  bool operator==(const Answer& o) const { return message == o.message && ok == o.ok; }
};
void PrintTo(const Answer& a, std::ostream* os) {
  *os << (a.message == NIM_ADD ? "NIM_ADD" : a.message == NIM_MODIFY ? "NIM_MODIFY" : "NIM_DELETE")
      << (a.ok ? " done" : " failed");
}
using Answers = std::vector<Answer>;

Answers& answers() {
  static Answers a;
  return a;
}

// The real shell, with its answers written down.
BOOL WINAPI pass_through(DWORD message, PNOTIFYICONDATAW d) {
  const BOOL ok = Shell_NotifyIconW(message, d);
  answers().push_back({message, ok != FALSE});
  return ok;
}

class TrayShell : public ::testing::Test {
 protected:
  void SetUp() override {
    tt::start();
    recorder_ = tray::set_shell_notify(pass_through);
    answers().clear();
  }
  void TearDown() override {
    tray::set_shell_notify(recorder_);
    tt::finish();
  }
  static void set(const rt::Arg& data, const char* tip) {
    rt::call(rt::Service::SetTrayIcon, {rt::arg_unit(rt::kTagWindowRef, tt::kA, 0), data, rt::arg_text(tip)});
  }

  tray::ShellNotifyFn recorder_ = nullptr;
};

TEST_F(TrayShell, TheNotificationAreaTakesAddModifyAndDelete) {
  ASSERT_TRUE(tt::pump_until([] { return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr; }))
      << "the virtual desktop has a taskbar";
  ASSERT_TRUE(rt::load_window(tt::kA, 0, false));
  const HWND a = tt::frame(tt::kA);
  const rt::Arg icon = rt::arg_block(assets::tray_icon_block());

  set(icon, "定时器");
  set(icon, "定时器 2");
  // The icon is still there: the shell refuses to add it twice, and the
  // tray changes it in place instead.
  SendMessageW(a, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  set(rt::omitted(), "");
  EXPECT_EQ(answers(), (Answers{{NIM_ADD, true},
                                {NIM_MODIFY, true},
                                {NIM_ADD, false},
                                {NIM_MODIFY, true},
                                {NIM_DELETE, true}}));
  NOTIFYICONDATAW gone = tray::tray_record(a, nullptr, L"");
  EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &gone)) << "the icon has been taken down";

  answers().clear();
  set(icon, "定时器");
  DestroyWindow(a);
  EXPECT_EQ(answers(), (Answers{{NIM_ADD, true}, {NIM_DELETE, true}}));
}

}  // namespace
