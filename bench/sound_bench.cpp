// Sound playback on Wine's wave output (scripts/bench gives this program a
// device that writes into a scratch file):
// - how long after play sound is called the first buffer is written to the
//   device (median of the runs);
// - the longest that the user-interface thread waits in a sound service
//   while sound plays: starting the alarm, starting it a second time while
//   the first plays, and stopping both.
// The waveOut table is Windows' own, with the write timed on the way.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "bench_report.h"
#include "builtin_data_win.h"
#include "driver_wait.h"
#include "service.h"
#include "sound/player_win.h"
#include "sound/wave_out_win.h"
#include "start_win.h"

namespace {

constexpr int kRuns = 10;

double now_ms() {
  static const double per_ms = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / per_ms;
}

std::atomic<double> g_first_write{0};
std::atomic<int> g_writes{0};

MMRESULT WINAPI timed_write(HWAVEOUT device, LPWAVEHDR header, UINT size) {
  double none = 0;
  g_first_write.compare_exchange_strong(none, now_ms());
  ++g_writes;
  return waveOutWrite(device, header, size);
}

// The time a service call keeps the calling thread.
double timed_call(rt::Service service, std::initializer_list<rt::Arg> args) {
  const double start = now_ms();
  rt::call(service, args);
  return now_ms() - start;
}

}  // namespace

int main() {
  bench::read_arguments();
  rt::start_runtime();  // as the program starts: its image, the alarm included, is constant data
  rt::sound::WaveOut table = rt::sound::wave_out();
  table.write = &timed_write;
  const rt::sound::WaveOutOverride timed(&table);
  const rt::Arg alarm = rt::arg_block(assets::alarm_sound_block());

  std::vector<double> first_buffer;
  double longest_wait = 0;
  for (int run = 0; run < kRuns; ++run) {
    g_first_write = 0;
    g_writes = 0;
    const double start = now_ms();
    double waited = timed_call(rt::Service::PlaySound, {alarm});
    if (!drv::wait_until([] { return g_first_write > 0; }, 10000)) {
      bench::report("sound: play sound to the first buffer at the device", "no buffer reached the device");
      return 1;
    }
    first_buffer.push_back(g_first_write - start);
    // Let the first player get well into the sound, then start a second one
    // beside it and stop both.
    drv::wait_until([] { return g_writes >= 40; }, 10000);
    waited = std::max(waited, timed_call(rt::Service::PlaySound, {alarm}));
    drv::wait_until([] { return g_writes >= 60; }, 10000);
    waited = std::max(waited, timed_call(rt::Service::StopSound, {}));
    longest_wait = std::max(longest_wait, waited);
    rt::sound::stop_all_and_wait();
  }
  bench::report("sound: play sound to the first buffer at the device (median)",
                bench::figure(bench::median(first_buffer), 2, "ms"));
  bench::report("sound: longest UI-thread wait in play / stop sound", bench::figure(longest_wait, 2, "ms"), "< 20 ms");
  return 0;
}
