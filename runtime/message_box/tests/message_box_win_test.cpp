// Real message boxes under the program's own thread. A second thread plays
// the user: it waits for the box, reads what it shows, then presses a button,
// the Escape key or the close command, while the service call waits for the
// box to close.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "driver_wait.h"
#include "gui_test_support.h"
#include "message_box_win.h"
#include "service.h"
#include "start_win.h"

namespace {

using namespace rt;
using drv::wait_until;

// A box shows well within this, even on a busy machine.
constexpr DWORD kBoxMs = 10000;

enum class Press { Button, Escape, Close };

// What the user saw of a box.
struct Seen {
  bool found = false, closed = false;
  std::wstring caption, text;
  bool owned = false, topmost = false;
  bool other_window_enabled = true;
  unsigned buttons = 0;  // bit n set when the box has a button with id n
};

std::wstring text_of(HWND w) {
  wchar_t buf[256] = {};
  if (w) GetWindowTextW(w, buf, 256);
  return buf;
}

void press_escape(HWND box) {
  if (!wait_until([box] { return GetForegroundWindow() == box; }, 2000)) SetForegroundWindow(box);
  wait_until([box] { return GetForegroundWindow() == box; }, 5000);
  INPUT keys[2] = {};
  keys[0].type = keys[1].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
}

// Runs on its own thread while the program's thread shows the box.
Seen play_user(DWORD ui_thread, HWND other_window, Press press, int button) {
  Seen seen;
  HWND box = nullptr;
  seen.found = wait_until([&] { return (box = gui::thread_box(ui_thread)) != nullptr; }, kBoxMs);
  if (!seen.found) return seen;
  // Read once it is active: whatever happens as it activates has happened.
  wait_until([box] { return GetForegroundWindow() == box; }, 2000);
  seen.caption = text_of(box);
  seen.text = text_of(GetDlgItem(box, 0xFFFF));
  seen.owned = GetWindow(box, GW_OWNER) != nullptr;
  seen.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  seen.other_window_enabled = IsWindowEnabled(other_window) != FALSE;
  for (int id = IDOK; id <= IDNO; ++id)
    if (GetDlgItem(box, id)) seen.buttons |= 1u << id;

  if (press == Press::Button) PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
  if (press == Press::Escape) press_escape(box);
  if (press == Press::Close) PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  seen.closed = wait_until([box] { return !IsWindow(box); }, kBoxMs);
  // Never leave the test hanging in a box that would not close.
  if (!seen.closed) PostMessageW(box, WM_COMMAND, IDOK, 0);
  return seen;
}

class MessageBoxes : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { start_runtime(); }

  void SetUp() override {
    other_ = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(other_, nullptr);
  }
  void TearDown() override { DestroyWindow(other_); }

  // Shows a box through the service while a second thread handles it.
  int32_t show(std::initializer_list<Arg> args, Press press, int button = IDOK) {
    Seen seen;
    const DWORD ui_thread = GetCurrentThreadId();
    std::thread user([&] { seen = play_user(ui_thread, other_, press, button); });
    const int32_t result = result_int(call(Service::MessageBox, args));
    user.join();
    seen_ = seen;
    EXPECT_TRUE(seen_.found) << "no box appeared";
    EXPECT_TRUE(seen_.closed) << "the box did not close";
    return result;
  }

  HWND other_ = nullptr;
  Seen seen_;
};

TEST_F(MessageBoxes, ReminderWithInformationIcon) {
  EXPECT_EQ(show({arg_text("时间到!"), arg_int(MB_ICONINFORMATION), arg_text("提醒")}, Press::Button), 0);
  EXPECT_EQ(seen_.text, L"时间到!");
  EXPECT_EQ(seen_.caption, L"提醒");
  EXPECT_EQ(seen_.buttons, 1u << IDOK);
  EXPECT_FALSE(seen_.owned);
  EXPECT_FALSE(seen_.other_window_enabled) << "a box without owner is task-modal";
  EXPECT_TRUE(IsWindowEnabled(other_)) << "and gives the windows back afterwards";
}

TEST_F(MessageBoxes, ShownTextsAndTheDefaultCaption) {
  const struct {
    Arg value;
    const wchar_t* text;
  } cases[] = {
      {arg_int(42), L"42"},
      {arg_bool(true), L"真"},
      {arg_datetime(41951.0), L"2014年11月8日"},
      {arg_text(nullptr), L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(show({c.value, arg_int(0), omitted()}, Press::Button), 0);
    EXPECT_EQ(seen_.text, c.text);
    EXPECT_EQ(seen_.caption, L"信息：");
  }
}

TEST_F(MessageBoxes, ButtonsMapToResults) {
  const struct {
    int flags;
    Press press;
    int button;
    int32_t result;
  } cases[] = {
      {MB_OK, Press::Escape, 0, 0},
      {MB_OK, Press::Close, 0, 0},
      {MB_ICONINFORMATION, Press::Escape, 0, 0},
      {MB_OKCANCEL, Press::Button, IDOK, 0},
      {MB_OKCANCEL, Press::Button, IDCANCEL, 1},
      {MB_OKCANCEL, Press::Escape, 0, 1},
      {MB_ABORTRETRYIGNORE, Press::Button, IDABORT, 2},
      {MB_ABORTRETRYIGNORE, Press::Button, IDRETRY, 3},
      {MB_ABORTRETRYIGNORE, Press::Button, IDIGNORE, 4},
      {MB_YESNO, Press::Button, IDYES, 5},
      {MB_YESNO, Press::Button, IDNO, 6},
      {MB_YESNOCANCEL, Press::Escape, 0, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(show({arg_text("?"), arg_int(c.flags), arg_text("x")}, c.press, c.button), c.result)
        << "flags " << c.flags << " press " << static_cast<int>(c.press) << " button " << c.button;
  }
}

TEST_F(MessageBoxes, SystemModalBoxIsTopmostAndLeavesOtherWindowsAlone) {
  EXPECT_EQ(show({arg_text("x"), arg_int(MB_SYSTEMMODAL), arg_text("y")}, Press::Button), 0);
  EXPECT_TRUE(seen_.topmost);
  EXPECT_TRUE(seen_.other_window_enabled);
}

// A box that asks to be in front of every window is topmost (Wine makes only
// system-modal boxes topmost by itself) and still keeps the thread's other
// windows from input; the boxes after it keep their own flags.
TEST_F(MessageBoxes, TopmostOnlyWhenAskedAndStillTaskModal) {
  const struct {
    int flags;
    bool topmost;
  } cases[] = {
      {MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST, true},
      {MB_ICONINFORMATION, false},
      {MB_TOPMOST, true},
      {0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(show({arg_text("时间到!"), arg_int(c.flags), arg_text("提醒")}, Press::Button), 0);
    EXPECT_EQ(seen_.topmost, c.topmost) << "flags " << std::hex << c.flags;
    EXPECT_FALSE(seen_.other_window_enabled) << "flags " << std::hex << c.flags;
  }
}

}  // namespace
