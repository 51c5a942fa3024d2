// Players over a wave device of the test's own, put under them through the
// waveOut table: it keeps the buffers a player queues and hands them back
// only when the test says so. What reaches the device, in which pieces, that
// every way a player ends gives back all it took, and that a device that
// hangs neither holds up the program's end nor calls into a freed player.
#include "sound/player_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "builtin_data_win.h"
#include "driver_process.h"
#include "driver_wait.h"
#include "owned.h"
#include "service.h"
#include "sound/sound_service_win.h"
#include "sound/wave_out_win.h"
#include "test_wave.h"
#include "win_handle.h"

namespace {

using Bytes = std::vector<unsigned char>;
using rt::sound::kBufferBytes;
using rt::sound::kEndWaitMs;
using rt::sound::playing_count;
using sound_test::kHeaderBytes;
using sound_test::pcm_wave;

// ---- the device -----------------------------------------------------------

// How a device behaves is the sound's sample rate, so that players side by
// side each get a device of their own kind.
enum class Kind : uint32_t {
  Good = 22050,        // a reset hands every queued buffer back at once
  LateReturn = 11025,  // a reset hands them back 100 ms later, from a thread of its own
  KeepsAll = 8000,     // a reset hands nothing back
  KeepsOne = 16000,    // a reset keeps the newest buffer until the test hands it back
  WontClose = 44100,   // everything comes back, but closing fails
  HeldOpen = 32000,    // opening waits until the test lets it go on; then as Good
};
uint32_t rate_of(Kind kind) { return static_cast<uint32_t>(kind); }

struct Device {
  Kind kind = Kind::Good;
  DWORD_PTR callback = 0, instance = 0;
  std::deque<WAVEHDR*> queued;
  std::vector<DWORD> writes;                // the length of each write
  std::vector<size_t> queued_before_write;  // buffers at the device when each came
  int prepared = 0, prepared_at_close = -1;
  bool paused = false, reset = false, closed = false;
  HANDLE writer = nullptr;  // the worker thread, from its first write
};

struct Fake {
  int no_device_answers = 0;  // so many first asks find no device
  MMRESULT open_answer = MMSYSERR_NOERROR;
  bool hold_prepare = false;  // the next prepare waits until this is cleared
  bool hold_opens = true;     // a HeldOpen device opens once this is cleared
  DWORD close_ms = 0;         // how long a close takes
  std::vector<Device> devices;
  std::vector<Bytes> heard;  // by device: every byte written
  int opens = 0, misuse = 0;  // misuse: calls with a handle never handed out
  int opens_held = 0;         // openings waiting for hold_opens
  int calls_to_freed = 0;     // callbacks that would have reached a freed player
  bool holding = false;
  std::vector<HANDLE> late;  // the threads of LateReturn devices
};
std::mutex g_mutex;
Fake* g_fake;

template <typename F>
auto locked(F f) {
  std::lock_guard<std::mutex> hold(g_mutex);
  return f(*g_fake);
}
template <typename F>
bool wait_for(F done, DWORD timeout_ms = 10000) {
  return drv::wait_until([&] { return locked(done); }, timeout_ms);
}

Device* find(HWAVEOUT h) {  // handles are 1 + the index
  const size_t i = reinterpret_cast<size_t>(h) - 1;
  if (i < g_fake->devices.size() && !g_fake->devices[i].closed) return &g_fake->devices[i];
  ++g_fake->misuse;
  return nullptr;
}

// Tells the player, outside the lock, as the device's own thread would. A
// call that would reach a freed player is counted instead of made.
void tell(DWORD_PTR callback, DWORD_PTR instance, HWAVEOUT h, UINT message, const std::vector<WAVEHDR*>& done = {}) {
  const auto fn = reinterpret_cast<void(CALLBACK*)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)>(callback);
  auto call = [&](UINT m, DWORD_PTR param) {
    if (rt::sound::is_player(reinterpret_cast<const void*>(instance))) {
      fn(h, m, instance, param, 0);
    } else {
      locked([](Fake& f) { return ++f.calls_to_freed; });
    }
  };
  if (message != WOM_DONE) call(message, 0);
  for (WAVEHDR* header : done) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    call(WOM_DONE, reinterpret_cast<DWORD_PTR>(header));
  }
}

HWAVEOUT handle(size_t index) { return reinterpret_cast<HWAVEOUT>(index + 1); }

// Hands up to `count` queued buffers of a device back, oldest first.
void hand_back(size_t index, size_t count) {
  Device d;
  std::vector<WAVEHDR*> done;
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    if (index >= g_fake->devices.size()) return;
    Device& found = g_fake->devices[index];
    for (; done.size() < count && !found.queued.empty(); found.queued.pop_front()) done.push_back(found.queued.front());
    d = found;
  }
  tell(d.callback, d.instance, handle(index), WOM_DONE, done);
}

DWORD WINAPI hand_back_later(void* index) noexcept {
  Sleep(100);
  hand_back(reinterpret_cast<size_t>(index), SIZE_MAX);
  return 0;
}

UINT WINAPI fake_count() {
  return locked([](Fake& f) { return f.no_device_answers-- > 0 ? 0u : 1u; });
}
MMRESULT WINAPI fake_open(LPHWAVEOUT out, UINT, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR instance,
                          DWORD) {
  const Kind kind = static_cast<Kind>(format->nSamplesPerSec);
  if (kind == Kind::HeldOpen) {
    locked([](Fake& f) { return ++f.opens_held; });
    wait_for([](Fake& f) { return !f.hold_opens; }, 30000);
    locked([](Fake& f) { return --f.opens_held; });
  }
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    ++g_fake->opens;
    if (g_fake->open_answer != MMSYSERR_NOERROR) return g_fake->open_answer;
    Device& d = g_fake->devices.emplace_back();
    d.kind = kind;
    d.callback = callback;
    d.instance = instance;
    g_fake->heard.emplace_back();
    *out = handle(g_fake->devices.size() - 1);
  }
  tell(callback, instance, *out, WOM_OPEN);
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI fake_prepare(HWAVEOUT h, LPWAVEHDR header, UINT) {
  locked([](Fake& f) { return f.holding = f.hold_prepare; });
  wait_for([](Fake& f) { return !f.hold_prepare; }, 30000);
  return locked([&](Fake& f) {
    f.holding = false;
    Device* d = find(h);
    if (d && !(header->dwFlags & WHDR_PREPARED)) ++d->prepared, header->dwFlags |= WHDR_PREPARED;
    return d ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
  });
}
MMRESULT WINAPI fake_unprepare(HWAVEOUT h, LPWAVEHDR header, UINT) {
  return locked([&](Fake&) -> MMRESULT {
    Device* d = find(h);
    if (!d) return MMSYSERR_INVALHANDLE;
    if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    if (header->dwFlags & WHDR_PREPARED) --d->prepared, header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
  });
}
MMRESULT WINAPI fake_write(HWAVEOUT h, LPWAVEHDR header, UINT) {
  return locked([&](Fake& f) -> MMRESULT {
    Device* d = find(h);
    if (!d || !(header->dwFlags & WHDR_PREPARED)) return MMSYSERR_INVALHANDLE;
    if (!d->writer)
      DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &d->writer, SYNCHRONIZE, 0, 0);
    d->queued_before_write.push_back(d->queued.size());
    d->writes.push_back(header->dwBufferLength);
    Bytes& heard = f.heard[reinterpret_cast<size_t>(h) - 1];
    heard.insert(heard.end(), header->lpData, header->lpData + header->dwBufferLength);
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    d->queued.push_back(header);
    return MMSYSERR_NOERROR;
  });
}
MMRESULT WINAPI fake_pause(HWAVEOUT h) {
  return locked([&](Fake&) { return find(h) ? (find(h)->paused = true, MMSYSERR_NOERROR) : MMSYSERR_INVALHANDLE; });
}
MMRESULT WINAPI fake_reset(HWAVEOUT h) {  // the queued buffers come back as the device's kind says
  const size_t index = reinterpret_cast<size_t>(h) - 1;
  Kind kind = Kind::Good;
  size_t queued = 0;
  const bool found = locked([&](Fake&) {
    Device* d = find(h);
    if (d) d->reset = true, kind = d->kind, queued = d->queued.size();
    return d != nullptr;
  });
  if (!found) return MMSYSERR_INVALHANDLE;
  if (kind == Kind::LateReturn) {
    const HANDLE later = CreateThread(nullptr, 0, &hand_back_later, reinterpret_cast<void*>(index), 0, nullptr);
    locked([&](Fake& f) { return f.late.push_back(later), 0; });
  } else if (kind == Kind::KeepsOne) {
    hand_back(index, queued ? queued - 1 : 0);  // the newest stays
  } else if (kind != Kind::KeepsAll) {
    hand_back(index, SIZE_MAX);
  }
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI fake_close(HWAVEOUT h) {
  Sleep(locked([](Fake& f) { return f.close_ms; }));  // a device that takes its time to let go
  Device d;
  const MMRESULT answer = locked([&](Fake&) -> MMRESULT {
    Device* found = find(h);
    if (!found) return MMSYSERR_INVALHANDLE;
    if (!found->queued.empty()) return WAVERR_STILLPLAYING;
    if (found->kind == Kind::WontClose) return MMSYSERR_ERROR;
    found->prepared_at_close = found->prepared;
    found->closed = true;
    d = *found;
    return MMSYSERR_NOERROR;
  });
  if (answer == MMSYSERR_NOERROR) tell(d.callback, d.instance, h, WOM_CLOSE);
  return answer;
}
const rt::sound::WaveOut kFakeTable = {&fake_count, &fake_open,  &fake_prepare, &fake_unprepare,
                                       &fake_write, &fake_pause, &fake_reset,   &fake_close};

// The device for the lifetime of the object; no worker outlives it. A
// player kept because its device never let go of it lives on, but nothing
// calls into it any more.
class FakeDevice {
 public:
  explicit FakeDevice(Fake settings = {}) : table_(&kFakeTable) { g_fake = new Fake(settings); }
  ~FakeDevice() {
    locked([](Fake& f) { return f.hold_prepare = f.hold_opens = false; });
    rt::sound::stop_all_and_wait(INFINITE);
    settle();
    for (const Device& d : devices()) CloseHandle(d.writer);
    for (HANDLE later : locked([](Fake& f) { return f.late; })) CloseHandle(later);
    delete g_fake;
  }
  // Waits until every late return has been made.
  void settle() {
    for (HANDLE later : locked([](Fake& f) { return f.late; })) WaitForSingleObject(later, INFINITE);
  }
  std::vector<Device> devices() { return locked([](Fake& f) { return f.devices; }); }
  Bytes heard(size_t index) { return locked([&](Fake& f) { return f.heard.at(index); }); }
  int calls_to_freed() { return locked([](Fake& f) { return f.calls_to_freed; }); }

 private:
  rt::sound::WaveOutOverride table_;
};

// ---- sounds -----------------------------------------------------------------

Bytes data_of(const Bytes& file, size_t at = kHeaderBytes) { return Bytes(file.begin() + at, file.end()); }

bool ended(const Device& d, DWORD timeout_ms) {
  return d.writer && WaitForSingleObject(d.writer, timeout_ms) == WAIT_OBJECT_0;
}

rt::Block block_of(const Bytes& b) { return rt::Block::copy(b.data(), static_cast<uint32_t>(b.size())); }

// ---- tests ------------------------------------------------------------------

TEST(Player, PlaysEverySampleInFullBuffersThenEndsByItself) {
  const rt::BlockView alarm = rt::view_block(assets::alarm_sound_block());
  ASSERT_EQ(alarm.size, 5116388u);
  struct Case {
    const char* name;
    Bytes file;
    size_t data_at, full_buffers;
    DWORD last_piece;  // 0: none
  };
  const Case cases[] = {
      {"the alarm", Bytes(alarm.data, alarm.data + alarm.size), 80, 333, 1428},
      {"exactly 20 buffers", pcm_wave(20 * kBufferBytes), kHeaderBytes, 20, 0},
      {"one byte", pcm_wave(1), kHeaderBytes, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeDevice device;
    ASSERT_TRUE(rt::sound::play(c.file.data(), c.file.size(), false));
    // A fast device: whatever is queued comes back at once.
    ASSERT_TRUE(drv::wait_until(
        [] {
          hand_back(0, SIZE_MAX);
          return locked([](Fake& f) { return !f.devices.empty() && f.devices[0].closed; });
        },
        60000));
    const Device d = device.devices().at(0);
    std::vector<DWORD> pieces(c.full_buffers, kBufferBytes);
    if (c.last_piece) pieces.push_back(c.last_piece);
    EXPECT_EQ(d.writes, pieces);
    EXPECT_TRUE(device.heard(0) == data_of(c.file, c.data_at));
    EXPECT_FALSE(d.paused || d.reset);
    EXPECT_EQ(d.prepared_at_close, 0);
    EXPECT_TRUE(ended(d, 10000));
  }
}

TEST(Player, ALoopingSoundStartsAgainOnceEveryBufferIsBack) {
  rt::provide_sound_services();
  FakeDevice device;
  const Bytes file = pcm_wave(2 * kBufferBytes + 100);
  const rt::Block block = block_of(file);
  ASSERT_TRUE(rt::result_bool(rt::call(rt::Service::PlaySound, {rt::arg_block(block.get()), rt::arg_bool(true)})));
  for (size_t round = 1; round <= 3; ++round) {
    ASSERT_TRUE(wait_for([&](Fake& f) { return f.devices.size() == 1 && f.devices[0].writes.size() == 3 * round; }));
    for (int piece = 0; piece < 3; ++piece) hand_back(0, 1);
  }
  ASSERT_TRUE(wait_for([](Fake& f) { return f.devices[0].writes.size() == 12; }));
  rt::call(rt::Service::StopSound, {});
  ASSERT_TRUE(wait_for([](Fake& f) { return f.devices[0].closed; }));
  const Device d = device.devices().at(0);
  Bytes four_rounds;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::vector<DWORD>(d.writes.begin() + 3 * i, d.writes.begin() + 3 * i + 3),
              std::vector<DWORD>({kBufferBytes, kBufferBytes, 100}));
    EXPECT_EQ(d.queued_before_write[3 * i], 0u) << "round " << i << " started before the last one was played";
    four_rounds.insert(four_rounds.end(), file.begin() + kHeaderBytes, file.end());
  }
  EXPECT_TRUE(device.heard(0) == four_rounds);
  EXPECT_TRUE(d.reset);
  EXPECT_EQ(d.prepared_at_close, 0);
}

// However a player is stopped, the device was paused and reset, every header
// unprepared and the device closed, and the worker has ended.
TEST(Player, StopEndsEveryPlayerAndGivesEverythingBack) {
  struct Case {
    const char* name;
    int players;
    bool while_holding_permits;  // the worker is still in its first prepare
    bool wait;                   // stop all and wait instead of stop sound
  };
  const Case cases[] = {
      {"stop while the worker holds all 20 permits", 1, true, false},
      {"one stop ends two players", 2, false, false},
      {"stop all and wait returns after both workers ended", 2, false, true},
  };
  const Bytes file = pcm_wave(30 * kBufferBytes);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fake settings;
    settings.hold_prepare = c.while_holding_permits;
    settings.close_ms = c.wait ? 300 : 0;  // shows whether stop all and wait really waits
    FakeDevice device(settings);
    for (int i = 0; i < c.players; ++i) ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
    if (c.while_holding_permits) {
      ASSERT_TRUE(wait_for([](Fake& f) { return f.holding; }));
      rt::sound::stop_all();
      locked([](Fake& f) { return f.hold_prepare = false; });
    } else {
      ASSERT_TRUE(wait_for([&](Fake& f) {
        return f.devices.size() == static_cast<size_t>(c.players) &&
               std::all_of(f.devices.begin(), f.devices.end(), [](const Device& d) { return d.writes.size() == 20; });
      }));
      if (c.wait) {
        EXPECT_TRUE(rt::sound::stop_all_and_wait());
      } else {
        rt::sound::stop_all();
      }
    }
    if (!c.wait) {
      ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }));
    }
    EXPECT_EQ(playing_count(), 0);
    const std::vector<Device> ds = device.devices();
    ASSERT_EQ(ds.size(), static_cast<size_t>(c.players));
    for (const Device& d : ds) {
      EXPECT_EQ(d.writes.size(), 20u);  // permits held are used before the stop signal is seen
      EXPECT_TRUE(d.paused && d.reset && d.closed);
      EXPECT_EQ(d.prepared_at_close, 0);
      EXPECT_TRUE(ended(d, c.wait ? 0 : 10000));
    }
    EXPECT_EQ(locked([](Fake& f) { return f.misuse; }), 0);
  }
}

// Two players side by side wait out the time-out together: the first worker
// to ask finds no device, the other one that does not open.
TEST(Player, WithoutADeviceNothingIsUsedAndTheWorkerEndsByItsTimeOut) {
  const Bytes file = pcm_wave(100);
  Fake settings;
  settings.no_device_answers = 1;
  settings.open_answer = MMSYSERR_ALLOCATED;
  FakeDevice device(settings);
  const DWORD start = GetTickCount();
  ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
  ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
  ASSERT_TRUE(drv::wait_until([] { return playing_count() < 2; }, rt::sound::kStallTimeoutMs + 10000));
  EXPECT_GE(GetTickCount() - start, rt::sound::kStallTimeoutMs - 100);  // neither ended before the time-out
  ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }));
  EXPECT_EQ(locked([](Fake& f) { return f.no_device_answers; }), -1) << "each worker asks for devices once";
  EXPECT_EQ(locked([](Fake& f) { return f.opens; }), 1) << "only the worker that found a device opens it";
  EXPECT_EQ(locked([](Fake& f) { return f.misuse; }), 0);
}

// A device that hands the buffers back only after its reset has returned,
// from a thread of its own: the player waits for them, then closes the
// device and goes.
TEST(Player, WaitsForBuffersThatComeBackLateBeforeItGoes) {
  FakeDevice device;
  const Bytes file = pcm_wave(30 * kBufferBytes, rate_of(Kind::LateReturn));
  ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
  ASSERT_TRUE(wait_for([](Fake& f) { return f.devices.size() == 1 && f.devices[0].writes.size() == 20; }));
  rt::sound::stop_all();
  ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }));
  device.settle();
  const Device d = device.devices().at(0);
  EXPECT_EQ(device.calls_to_freed(), 0) << "buffers came back to a freed player";
  EXPECT_TRUE(d.closed);
  EXPECT_EQ(d.prepared_at_close, 0);
  EXPECT_FALSE(rt::sound::is_player(reinterpret_cast<const void*>(d.instance))) << "not freed once all was back";
}

// The program ends while sounds play on devices that hang in every way: the
// end waits for them kEndWaitMs and no longer, and a player whose device may
// still reach it is kept, not freed; the others are freed.
TEST(Player, DevicesThatHangHoldTheEndTwoSecondsAtMostAndNothingTheyReachIsFreed) {
  FakeDevice device;
  std::vector<Bytes> files;
  for (Kind kind : {Kind::KeepsAll, Kind::KeepsOne, Kind::WontClose, Kind::HeldOpen}) {
    files.push_back(pcm_wave(30 * kBufferBytes, rate_of(kind)));
    ASSERT_TRUE(rt::sound::play(files.back().data(), files.back().size(), false));
  }
  ASSERT_TRUE(wait_for([](Fake& f) {
    return f.opens_held == 1 && f.devices.size() == 3 &&
           std::all_of(f.devices.begin(), f.devices.end(), [](const Device& d) { return d.writes.size() == 20; });
  }));
  // On a thread of its own, so that a wait without bound fails the test
  // instead of hanging it.
  const DWORD start = GetTickCount();
  auto end = std::async(std::launch::async, [start] {
    const bool all_ended = rt::sound::stop_all_and_wait();
    return std::make_pair(all_ended, GetTickCount() - start);
  });
  const bool returned = end.wait_for(std::chrono::milliseconds(kEndWaitMs + 2000)) == std::future_status::ready;
  EXPECT_TRUE(returned) << "the end waits for a device that hangs";
  if (!returned) locked([](Fake& f) { return f.hold_opens = false; });  // the rescue, after the verdict
  const auto [all_ended, took] = end.get();
  EXPECT_FALSE(all_ended);
  EXPECT_GE(took, kEndWaitMs - 20) << "the end gave up before the players had their time";
  // The three workers that reached their devices give up on them.
  ASSERT_TRUE(drv::wait_until([] { return playing_count() == 1; }));
  for (const Device& d : device.devices()) {
    SCOPED_TRACE(static_cast<int>(d.kind));
    EXPECT_TRUE(d.reset && !d.closed);
    EXPECT_TRUE(rt::sound::is_player(reinterpret_cast<const void*>(d.instance))) << "freed under its device";
  }
  // The kept buffer comes back at last, and so does the held opening.
  const std::vector<Device> playing = device.devices();
  for (size_t i = 0; i < playing.size(); ++i) {
    if (playing[i].kind == Kind::KeepsOne) hand_back(i, SIZE_MAX);
  }
  locked([](Fake& f) { return f.hold_opens = false; });
  ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }));
  const Device opened_late = device.devices().at(3);
  EXPECT_EQ(opened_late.kind, Kind::HeldOpen);
  EXPECT_TRUE(opened_late.closed);
  EXPECT_FALSE(rt::sound::is_player(reinterpret_cast<const void*>(opened_late.instance)));
  EXPECT_EQ(device.calls_to_freed(), 0);
  EXPECT_EQ(locked([](Fake& f) { return f.misuse; }), 0);
}

// The program's two ends, its message loop's and its fatal error's, while a
// sound's device hangs in its opening: each process is gone within
// kEndWaitMs of its end's start (sound_end_probe).
TEST(ProgramEnd, ComesWhileASoundDeviceHangs) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring probe = exe;
  probe = probe.substr(0, probe.find_last_of(L"\\/") + 1) + L"sound_end_probe.exe";
  const struct {
    const char* name;
    const wchar_t* end;
    DWORD exit_code;
  } cases[] = {{"the message loop's end", L"loop", 0}, {"a fatal error", L"fatal", 0xFFFFFFFFu}};
  struct Run {
    rt::UniqueKernelHandle ending;
    drv::Process process;
  };
  std::vector<Run> runs;
  for (const auto& c : cases) {  // both at once: each spends its seconds waiting
    const std::wstring name = L"sound_end_probe_" + std::to_wstring(GetCurrentProcessId()) + L"_" + c.end;
    Run& run = runs.emplace_back();
    run.ending.reset(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    run.process = drv::Process::start(probe, {c.end, name});
    ASSERT_TRUE(run.process.started()) << run.process.error();
  }
  for (size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    ASSERT_EQ(WaitForSingleObject(runs[i].ending.get(), 20000), WAIT_OBJECT_0) << "the probe's sound did not start";
    const std::optional<DWORD> code = runs[i].process.wait_exit(kEndWaitMs + 3000);
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_EQ(*code, cases[i].exit_code);
  }
}  // a probe still running is ended here, after the verdict

// Only WAVE data, in a block or a file, starts a player.
TEST(PlaySoundService, TakesAWaveBlockOrFileAndNothingElse) {
  rt::provide_sound_services();
  FakeDevice device;
  const Bytes wave = pcm_wave(1000);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "sound_service_test.wav";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(wave.data(), 1, wave.size(), f);
  std::fclose(f);
  Bytes not_wave = wave, midi = wave;
  std::copy_n("AVI ", 4, not_wave.begin() + 8);
  std::copy_n("MThd", 4, midi.begin());
  const rt::Block blocks[] = {block_of(wave), block_of(not_wave), block_of(midi)};
  const struct {
    const char* name;
    rt::Arg sound;
    bool started;
  } cases[] = {
      {"WAVE block", rt::arg_block(blocks[0].get()), true},
      {"WAVE file", rt::arg_text(path.c_str()), true},
      {"missing file", rt::arg_text("no such sound.wav"), false},
      {"empty text", rt::arg_text(""), false},
      {"null text", rt::arg_text(nullptr), false},
      {"null block", rt::arg_block(nullptr), false},
      {"RIFF that is not WAVE", rt::arg_block(blocks[1].get()), false},
      {"MIDI data", rt::arg_block(blocks[2].get()), false},
      {"an integer", rt::arg_int(1), false},
      {"omitted", rt::omitted(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t devices = device.devices().size();
    EXPECT_EQ(rt::result_bool(rt::call(rt::Service::PlaySound, {c.sound})), c.started);
    if (c.started) {
      ASSERT_TRUE(wait_for([&](Fake& f) { return f.devices.size() > devices && f.devices.back().writes.size() == 1; }));
      EXPECT_TRUE(device.heard(devices) == data_of(wave));
    }
    rt::sound::stop_all_and_wait();
    EXPECT_EQ(device.devices().size(), devices + (c.started ? 1 : 0));
  }
  DeleteFileA(path.c_str());
}

// The caller may overwrite and release its block as soon as play sound has
// returned: the device still receives the sound as it was. The device's
// opening is held until then, so not one byte has reached a buffer before.
TEST(PlaySoundService, TheDeviceGetsTheSoundAsItWasWhenPlaySoundReturned) {
  rt::provide_sound_services();
  FakeDevice device;
  const Bytes file = pcm_wave(3 * kBufferBytes + 100, rate_of(Kind::HeldOpen));
  {
    const rt::Block block = block_of(file);
    ASSERT_TRUE(rt::result_bool(rt::call(rt::Service::PlaySound, {rt::arg_block(block.get())})));
    ASSERT_TRUE(wait_for([](Fake& f) { return f.opens_held == 1; }));
    const rt::BlockView bytes = block.view();
    std::fill_n(const_cast<unsigned char*>(bytes.data), bytes.size, 0x5A);
  }
  locked([](Fake& f) { return f.hold_opens = false; });
  ASSERT_TRUE(wait_for([](Fake& f) { return f.devices.size() == 1 && f.devices[0].writes.size() == 4; }));
  EXPECT_TRUE(device.heard(0) == data_of(file));
}

}  // namespace
