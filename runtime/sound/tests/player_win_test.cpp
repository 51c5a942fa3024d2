// Players over a wave device of the test's own, put under them through the
// waveOut table: it keeps the buffers a player queues and hands them back
// only when the test says so. What reaches the device, in which pieces, and
// that every way a player ends gives back all it took.
#include "sound/player_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <vector>

#include "builtin_data_win.h"
#include "driver_wait.h"
#include "owned.h"
#include "service.h"
#include "sound/sound_service_win.h"
#include "sound/wave_out_win.h"

namespace {

using Bytes = std::vector<unsigned char>;
using rt::sound::kBufferBytes;
using rt::sound::playing_count;

// ---- the device -----------------------------------------------------------

struct Device {
  DWORD_PTR callback = 0, instance = 0;
  std::deque<WAVEHDR*> queued;
  std::vector<DWORD> writes;                // the length of each write
  std::vector<size_t> queued_before_write;  // buffers at the device when each came
  int prepared = 0, prepared_at_close = -1;
  bool paused = false, reset = false, closed = false;
  HANDLE writer = nullptr;  // the worker thread, from its first write
};

struct Fake {
  UINT device_count = 1;
  MMRESULT open_answer = MMSYSERR_NOERROR;
  bool hold_prepare = false;  // the next prepare waits until this is cleared
  DWORD close_ms = 0;         // how long a close takes
  std::vector<Device> devices;
  std::vector<Bytes> heard;  // by device: every byte written
  int opens = 0, misuse = 0;  // misuse: calls with a handle never handed out
  bool holding = false;
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

// Tells the player, outside the lock, as the device's own thread would.
void tell(DWORD_PTR callback, DWORD_PTR instance, HWAVEOUT h, UINT message, const std::vector<WAVEHDR*>& done = {}) {
  const auto fn = reinterpret_cast<void(CALLBACK*)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)>(callback);
  if (message != WOM_DONE) fn(h, message, instance, 0, 0);
  for (WAVEHDR* header : done) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    fn(h, WOM_DONE, instance, reinterpret_cast<DWORD_PTR>(header), 0);
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

UINT WINAPI fake_count() { return locked([](Fake& f) { return f.device_count; }); }
MMRESULT WINAPI fake_open(LPHWAVEOUT out, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR instance, DWORD) {
  {
    std::lock_guard<std::mutex> hold(g_mutex);
    ++g_fake->opens;
    if (g_fake->open_answer != MMSYSERR_NOERROR) return g_fake->open_answer;
    g_fake->devices.emplace_back().callback = callback;
    g_fake->devices.back().instance = instance;
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
MMRESULT WINAPI fake_reset(HWAVEOUT h) {  // every queued buffer comes back
  const bool found = locked([&](Fake&) { return find(h) && (find(h)->reset = true); });
  if (found) hand_back(reinterpret_cast<size_t>(h) - 1, SIZE_MAX);
  return found ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}
MMRESULT WINAPI fake_close(HWAVEOUT h) {
  Sleep(locked([](Fake& f) { return f.close_ms; }));  // a device that takes its time to let go
  Device d;
  const MMRESULT answer = locked([&](Fake&) -> MMRESULT {
    Device* found = find(h);
    if (!found) return MMSYSERR_INVALHANDLE;
    if (!found->queued.empty()) return WAVERR_STILLPLAYING;
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

// The device for the lifetime of the object; no player outlives it.
class FakeDevice {
 public:
  explicit FakeDevice(Fake settings = {}) : table_(&kFakeTable) { g_fake = new Fake(settings); }
  ~FakeDevice() {
    locked([](Fake& f) { return f.hold_prepare = false; });
    rt::sound::stop_all_and_wait();
    for (const Device& d : devices()) CloseHandle(d.writer);
    delete g_fake;
  }
  std::vector<Device> devices() { return locked([](Fake& f) { return f.devices; }); }
  Bytes heard(size_t index) { return locked([&](Fake& f) { return f.heard.at(index); }); }

 private:
  rt::sound::WaveOutOverride table_;
};

// ---- sounds -----------------------------------------------------------------

constexpr size_t kHeaderBytes = 44;  // RIFF, "fmt " of 16 bytes, "data" header

// A PCM WAVE file image (stereo, 22050 Hz, 16 bits) with `n` data bytes that
// change from byte to byte, so that pieces out of place show.
Bytes pcm_wave(uint32_t n) {
  Bytes f;
  auto put = [&f](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto id = [&f](const char* s) { f.insert(f.end(), s, s + 4); };
  id("RIFF"), put(36 + n, 4), id("WAVE"), id("fmt "), put(16, 4);
  put(1, 2), put(2, 2), put(22050, 4), put(88200, 4), put(4, 2), put(16, 2);
  id("data"), put(n, 4);
  for (uint32_t i = 0; i < n; ++i) f.push_back(static_cast<unsigned char>(i * 7 + i / 251));
  return f;
}

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
      c.wait ? rt::sound::stop_all_and_wait() : rt::sound::stop_all();
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

TEST(Player, WithoutADeviceNothingIsUsedAndTheWorkerEndsByItsTimeOut) {
  const Bytes file = pcm_wave(100);
  for (const MMRESULT open_answer : {MMSYSERR_NODRIVER, MMSYSERR_ALLOCATED}) {
    const bool no_device = open_answer == MMSYSERR_NODRIVER;
    SCOPED_TRACE(no_device ? "no device" : "the device does not open");
    Fake settings;
    settings.device_count = no_device ? 0 : 1;
    settings.open_answer = open_answer;
    FakeDevice device(settings);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
    ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }, rt::sound::kStallTimeoutMs + 10000));
    EXPECT_GE(GetTickCount() - start, rt::sound::kStallTimeoutMs - 100);  // not before the time-out
    EXPECT_EQ(locked([](Fake& f) { return f.opens; }), no_device ? 0 : 1);
    EXPECT_EQ(locked([](Fake& f) { return f.misuse; }), 0);
  }
}

// Only WAVE data, in a block or a file, starts a player. The bytes are
// copied, so a file's image may go as soon as play sound returns.
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

}  // namespace
