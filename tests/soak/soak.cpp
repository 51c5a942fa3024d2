// The soak: the program's own handlers, in a program started as timer.exe
// starts, run through far more use than a test can wait for: 100,000 ticks
// of the clock and 1,000 schedule starts and stops. The runtime heap's live
// blocks, the GDI objects and the user handles must be where a short first
// pass of the same work left them. Prints its figures; exit code 0 when
// nothing was left behind, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>

#include "gui_objects.h"
#include "heap.h"
#include "main_window.h"
#include "program.h"
#include "property_rules.h"
#include "window_access_win.h"
#include "window_runtime.h"

namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

struct Counts {
  long heap_blocks;
  DWORD gdi_objects;
  DWORD user_handles;
};

Counts counts() {
  return {rt::live_blocks(), soak::gui_objects(GR_GDIOBJECTS), soak::gui_objects(GR_USEROBJECTS)};
}

// What the message loop would have dispatched meanwhile (paints, the clock's
// own timer).
void pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// A tick of 时钟1 as its timer raises it.
void clock_ticks(int n) {
  for (int i = 1; i <= n; ++i) {
    rt::raise_event(mw::kWindow, mw::时钟1, rt::event::kTick);
    if (i % 100 == 0) pump();
  }
  pump();
}

std::string caption(uint32_t unit) {
  return rt::get_text(mw::kWindow, unit, prop::kButtonCaption).c_str();
}

// Clicks on "定时" and then on "停止"; false when the button did not follow.
bool start_and_stop(HWND button) {
  SendMessageW(button, BM_CLICK, 0, 0);
  const bool started = caption(mw::按钮1) == "停止";
  SendMessageW(button, BM_CLICK, 0, 0);
  pump();
  return started && caption(mw::按钮1) == "定时";
}

struct Pass {
  int ticks;
  int schedules;
};

// Runs a pass; the number of schedules that did not start and stop.
int run(const Pass& pass, HWND button) {
  int failed = 0;
  const int ticks_between = pass.ticks / pass.schedules;
  for (int i = 0; i < pass.schedules; ++i) {
    clock_ticks(ticks_between);
    if (!start_and_stop(button)) ++failed;
  }
  return failed;
}

void print(const char* when, const Counts& c) {
  std::printf("%-18s heap blocks %6ld   GDI objects %5lu   user handles %5lu\n", when, c.heap_blocks, c.gdi_objects,
              c.user_handles);
}

}  // namespace

int main() {
  app::start_program();
  rt::load_startup_window(mw::kWindow);
  const HWND frame = rt::window_handle(mw::kWindow);
  const HWND button = GetDlgItem(frame, 12);  // a unit's control ID is its layout index
  // A target the schedule can count to: midnight of the date box's day
  // (the hour box is left empty), well within range.
  rt::put_text(mw::kWindow, mw::组合框_分, prop::kComboContent, "0");
  rt::put_text(mw::kWindow, mw::组合框_秒, prop::kComboContent, "0");
  pump();

  const Pass first{1000, 10}, soak{100000, 1000};
  int failed = run(first, button);
  const Counts before = counts();
  const DWORD start = GetTickCount();
  failed += run(soak, button);
  const DWORD ms = GetTickCount() - start;
  const Counts after = counts();

  std::printf("soak: %d clock ticks and %d schedule starts and stops in %.1f s\n", soak.ticks, soak.schedules,
              ms / 1000.0);
  print("after first pass:", before);
  print("after the soak:", after);
  if (failed) std::printf("%d schedules did not start and stop\n", failed);
  const bool kept = before.heap_blocks == after.heap_blocks && before.gdi_objects == after.gdi_objects &&
                    before.user_handles == after.user_handles;
  std::printf("%s\n", kept && !failed ? "nothing left behind" : "LEFT BEHIND");

  SendMessageW(frame, WM_CLOSE, 0, 0);
  rt::run_message_loop();
  return kept && !failed ? 0 : 1;
}
