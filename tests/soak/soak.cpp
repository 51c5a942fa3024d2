// The soak: the program's own handlers, in a program started as timer.exe
// starts, run through far more use than a test can wait for: 100,000 ticks
// of the clock and 1,000 schedules, of which every fifth runs out and fires
// and the others are stopped. The runtime heap's live blocks, the GDI
// objects, the user handles and the kernel handles must be where a short
// first pass of the same work left them, and the private memory within a
// margin of it (heaps grow in steps); the only shutdown requests are those
// of the confirmations let run out. Prints its figures; exit code 0 when
// nothing was left behind, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <string>

#include "firings.h"
#include "process_objects.h"
#include "heap.h"
#include "main_window_units.h"
#include "program.h"
#include "window_access_win.h"

namespace {

namespace mw = layouts::main_window;
namespace prop = rt::prop;

struct Counts {
  long heap_blocks;
  DWORD gdi_objects;
  DWORD user_handles;
  DWORD kernel_handles;
  SIZE_T private_bytes;
};

Counts counts() {
  return {rt::live_blocks(), soak::gui_objects(GR_GDIOBJECTS), soak::gui_objects(GR_USEROBJECTS),
          soak::kernel_handles(), soak::private_bytes()};
}

// Private memory may grow by this much without a leak (the heaps take
// memory in steps and keep it). One alarm player left behind holds 300 KB,
// a thread its stack: two hundred firings leave far more than this.
constexpr SIZE_T kPrivateMargin = 1 << 20;

bool kept(const Counts& before, const Counts& after) {
  return before.heap_blocks == after.heap_blocks && before.gdi_objects == after.gdi_objects &&
         before.user_handles == after.user_handles && before.kernel_handles == after.kernel_handles &&
         after.private_bytes <= before.private_bytes + kPrivateMargin;
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

// Clicks on "定时" and then on "停止"; false when the button did not follow.
bool start_and_stop(HWND frame) {
  soak::click(frame, soak::kStartButton);
  const bool started = soak::button_caption() == "停止";
  soak::click(frame, soak::kStartButton);
  pump();
  return started && soak::button_caption() == "定时";
}

constexpr int kFiringEvery = 5;

struct Pass {
  int ticks;
  int schedules;
};

// Runs a pass; the number of schedules that did not start and then stop or
// fire as they should.
int run(const Pass& pass, HWND frame, int* firings) {
  int failed = 0;
  const int ticks_between = pass.ticks / pass.schedules;
  for (int i = 1; i <= pass.schedules; ++i) {
    clock_ticks(ticks_between);
    const bool ok = i % kFiringEvery == 0 ? soak::fire(frame, (*firings)++) : start_and_stop(frame);
    if (!ok) ++failed;
  }
  pump();
  return failed;
}

void print(const char* when, const Counts& c) {
  std::printf("%-18s heap blocks %6ld   GDI objects %5lu   user handles %5lu   kernel handles %5lu   private KB %7lu\n",
              when, c.heap_blocks, c.gdi_objects, c.user_handles, c.kernel_handles,
              static_cast<unsigned long>(c.private_bytes / 1024));
}

}  // namespace

int main() {
  app::start_program();
  rt::load_startup_window(mw::kWindow);
  const HWND frame = rt::window_handle(mw::kWindow);
  // A target the stopped schedules can count to: midnight of the date box's
  // day (the hour box is left empty), well within range.
  rt::put_text(mw::kWindow, mw::组合框_分, prop::kComboContent, "0");
  rt::put_text(mw::kWindow, mw::组合框_秒, prop::kComboContent, "0");
  soak::prepare_firings();
  pump();

  // The first pass fires each kind three times, the confirmation answered
  // each way.
  const Pass first{6000, 60}, soak{100000, 1000};
  int firings = 0;
  int failed = run(first, frame, &firings);
  const int first_firings = firings;
  const Counts before = counts();
  const DWORD start = GetTickCount();
  failed += run(soak, frame, &firings);
  const DWORD ms = GetTickCount() - start;
  const Counts after = counts();

  const int fired = firings - first_firings;
  std::printf("soak: %d clock ticks and %d schedules (%d stopped, %d fired) in %.1f s\n", soak.ticks,
              soak.schedules, soak.schedules - fired, fired, ms / 1000.0);
  print("after first pass:", before);
  print("after the soak:", after);
  if (failed) std::printf("%d schedules did not start and then stop or fire as they should\n", failed);
  const int shutdowns = soak::shutdown_requests(), run_outs = soak::run_out_confirmations();
  std::printf("%d confirmations ran out, %d shutdown requests (recorded and refused)\n", run_outs, shutdowns);
  const bool nothing_left = kept(before, after);
  const bool good = nothing_left && !failed && shutdowns == run_outs;
  std::printf("%s\n", good ? "nothing left behind" : nothing_left ? "FAILED" : "LEFT BEHIND");

  SendMessageW(frame, WM_CLOSE, 0, 0);
  rt::run_message_loop();
  return good ? 0 : 1;
}
