#include "firings.h"

#include <cstdio>
#include <cwchar>
#include <string>

#include "confirm_window.h"
#include "datetime.h"
#include "main_window_units.h"
#include "sound/player_win.h"
#include "system/shutdown_win.h"
#include "unit.h"
#include "window_access_win.h"

namespace soak {
namespace {

namespace mw = layouts::main_window;
namespace cw = layouts::confirm_window;
namespace prop = rt::prop;

constexpr char kReminder[] = "该休息了, soak";
constexpr wchar_t kReminderShown[] = L"该休息了, soak";
const int kCancelButton = layouts::unit_index(cw::kLayout, cw::按钮2);  // "取消"

struct Kind {
  bool shut_down, music, reminder;
  const wchar_t* box_text;  // null: no box
};
constexpr Kind kKinds[] = {
    {false, false, true, kReminderShown},
    {false, true, false, L"时间到!"},
    {true, false, false, nullptr},
    {true, true, true, kReminderShown},
};

int g_shutdown_requests = 0;
int g_run_outs = 0;

// Recorded and refused, as Windows refuses a request it cannot carry out.
BOOL WINAPI count_exit_windows(UINT, DWORD) {
  ++g_shutdown_requests;
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

BOOL WINAPI count_power_state(BOOL, BOOL) {
  ++g_shutdown_requests;
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

enum class Answer { CancelButton, CloseButton, RunOut };

// What the answering timer met during one firing.
struct Answers {
  Answer confirmation;
  HWND last;  // answered already (a posted answer takes a moment)
  int confirmations;
  int requests;  // shutdown requests while the confirmation was open
  int boxes;
  wchar_t box_text[64];
  bool played_with_box;
};
Answers g_answers;

// The confirmation's count, its ticks raised as its 时钟1 raises them, until
// the tick after 确定(0) asks for the shutdown (at most the ten seconds and
// that tick).
int run_out_count() {
  const int before = g_shutdown_requests;
  for (int tick = 0; tick <= 10 && g_shutdown_requests == before; ++tick) {
    rt::raise_event(cw::kWindow, cw::时钟1, rt::event::kTick);
  }
  return g_shutdown_requests - before;
}

BOOL CALLBACK find_box(HWND window, LPARAM found) noexcept {
  wchar_t cls[16];
  if (IsWindowVisible(window) && GetClassNameW(window, cls, 16) && std::wcscmp(cls, L"#32770") == 0) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// A thread timer, so it runs inside whichever modal loop the firing is in.
void CALLBACK answer(HWND, UINT, UINT_PTR, DWORD) noexcept {
  Answers& a = g_answers;
  if (const HWND confirm = rt::window_handle(cw::kWindow)) {
    if (confirm == a.last) return;
    a.last = confirm;
    ++a.confirmations;
    if (a.confirmation == Answer::RunOut) a.requests += run_out_count();
    if (a.confirmation == Answer::CancelButton) {
      PostMessageW(GetDlgItem(confirm, kCancelButton), BM_CLICK, 0, 0);
    } else {
      PostMessageW(confirm, WM_CLOSE, 0, 0);
    }
    return;
  }
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), find_box, reinterpret_cast<LPARAM>(&box));
  if (!box || box == a.last) return;
  a.last = box;
  ++a.boxes;
  GetDlgItemTextW(box, 0xFFFF, a.box_text, 64);  // the box's text control
  a.played_with_box = rt::sound::playing_count() > 0;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void put_check(uint32_t box, bool on) { rt::put_int(mw::kWindow, box, prop::kChecked, on ? 1 : 0); }

void put_combo(uint32_t box, int value) {
  rt::put_text(mw::kWindow, box, prop::kComboContent, std::to_string(value).c_str());
}

bool fired_as(const Kind& k, const Answers& a) {
  const bool box_right = k.box_text ? a.boxes == 1 && std::wcscmp(a.box_text, k.box_text) == 0 : a.boxes == 0;
  const bool idle = button_caption() == "定时" &&
                    std::string(rt::get_text(mw::kWindow, mw::标签_剩余时间, prop::kLabelCaption).c_str()) == "0";
  const bool requested = k.shut_down && a.confirmation == Answer::RunOut;
  return box_right && a.confirmations == (k.shut_down ? 1 : 0) && a.requests == (requested ? 1 : 0) &&
         a.played_with_box == k.music && idle;
}

}  // namespace

void prepare_firings() {
  rt::system::ShutdownCalls counted = rt::system::real_shutdown_calls();
  counted.exit_windows = count_exit_windows;
  counted.set_system_power_state = count_power_state;
  rt::system::set_shutdown_calls(counted);
  rt::put_text(mw::kWindow, mw::编辑框_提醒, prop::kEditContent, kReminder);
}

bool fire(HWND frame, int n) {
  const Kind& k = kKinds[n % 4];
  put_check(mw::选择框1, k.shut_down);
  put_check(mw::选择框3, k.music);
  put_check(mw::选择框2, k.reminder);

  const double now = rt::now_datetime();
  const rt::CalendarFields at = rt::calendar_fields(now);
  rt::put_double(mw::kWindow, mw::日期框_日期, prop::kSelectedDate, now);
  const HWND hour = GetDlgItem(frame, kHourBox);
  SendMessageW(hour, CB_SETCURSEL, at.hour, 0);
  put_combo(mw::组合框_分, at.minute);
  put_combo(mw::组合框_秒, at.second);

  g_answers = Answers{};
  g_answers.confirmation = static_cast<Answer>((n / 4) % 3);
  const int requests_before = g_shutdown_requests;
  click(frame, kStartButton);
  const bool started = button_caption() == "停止";
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, answer);
  for (int tick = 0; tick < 5 && button_caption() == "停止"; ++tick) {
    rt::raise_event(mw::kWindow, mw::时钟2, rt::event::kTick);
  }
  KillTimer(nullptr, timer);
  rt::sound::stop_all_and_wait();

  SendMessageW(hour, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  put_combo(mw::组合框_分, 0);
  put_combo(mw::组合框_秒, 0);
  const Answers& a = g_answers;
  if (k.shut_down && a.confirmation == Answer::RunOut) ++g_run_outs;
  const bool no_other_requests = g_shutdown_requests - requests_before == a.requests;
  if (started && fired_as(k, a) && no_other_requests) return true;
  std::printf("firing %d (kind %d): started %d, %d confirmations, %d requests (%d in all), %d boxes, alarm with the box %d\n",
              n, n % 4, started, a.confirmations, a.requests, g_shutdown_requests - requests_before, a.boxes,
              a.played_with_box);
  return false;
}

int shutdown_requests() { return g_shutdown_requests; }
int run_out_confirmations() { return g_run_outs; }

}  // namespace soak
