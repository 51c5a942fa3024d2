// Players over a device of the test's own, which hands buffers back only when
// the test says so: what reaches the device, in which pieces, and that every
// way a player ends gives back all it took.
#include "sound/player_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "builtin_data_win.h"
#include "driver_wait.h"
#include "fake_wave_out.h"
#include "owned.h"
#include "service.h"
#include "sound/sound_service_win.h"

namespace {

using Bytes = std::vector<unsigned char>;
using rt::sound::kBufferBytes;
using rt::sound::playing_count;

constexpr size_t kHeaderBytes = 44;  // RIFF, "fmt " of 16 bytes, "data" header

// A PCM WAVE file image (stereo, 22050 Hz, 16 bits) with `n` data bytes that
// count up, so that pieces out of place show.
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

Bytes repeated(const Bytes& b, int times) {
  Bytes out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), b.begin(), b.end());
  return out;
}

bool ended(const fake::Device& d, DWORD timeout_ms) {
  return d.writer && WaitForSingleObject(d.writer, timeout_ms) == WAIT_OBJECT_0;
}

// A fast device: every queued buffer of device 0 comes back at once, until
// the player closes it.
bool play_out(fake::WaveOut& device) {
  return device.wait_for(
      [&](const std::vector<fake::Device>& ds) {
        if (ds.empty()) return false;
        device.hand_back(0, ds[0].queued.size());
        return ds[0].closed;
      },
      60000);
}

TEST(Player, PlaysEverySampleInFullBuffersThenEndsByItself) {
  const rt::BlockView alarm = rt::view_block(assets::alarm_sound_block());
  ASSERT_EQ(alarm.size, 5116388u);
  struct Case {
    const char* name;
    Bytes file;
    size_t data_at;
    size_t full_buffers;
    DWORD last_piece;  // 0: none
  };
  const Case cases[] = {
      {"the alarm", Bytes(alarm.data, alarm.data + alarm.size), 80, 333, 1428},
      {"exactly 20 buffers", pcm_wave(20 * kBufferBytes), kHeaderBytes, 20, 0},
      {"one byte", pcm_wave(1), kHeaderBytes, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::WaveOut device;
    ASSERT_TRUE(rt::sound::play(c.file.data(), c.file.size(), false));
    ASSERT_TRUE(play_out(device));
    const fake::Device d = device.devices().at(0);
    std::vector<DWORD> pieces(c.full_buffers, kBufferBytes);
    if (c.last_piece) pieces.push_back(c.last_piece);
    EXPECT_EQ(d.writes, pieces);
    EXPECT_TRUE(device.heard(0) == data_of(c.file, c.data_at));
    EXPECT_FALSE(d.paused || d.reset);
    EXPECT_EQ(d.prepared_at_close, 0);
    EXPECT_TRUE(ended(d, 10000));
    EXPECT_TRUE(device.misuse().empty());
  }
}

TEST(Player, ALoopingSoundStartsAgainOnceEveryBufferIsBack) {
  rt::provide_sound_services();
  fake::WaveOut device;
  const Bytes file = pcm_wave(2 * kBufferBytes + 100);
  const rt::Block block = rt::Block::copy(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(rt::result_bool(rt::call(rt::Service::PlaySound, {rt::arg_block(block.get()), rt::arg_bool(true)})));
  for (size_t round = 1; round <= 3; ++round) {
    ASSERT_TRUE(device.wait_for([&](const auto& ds) { return ds.size() == 1 && ds[0].writes.size() == 3 * round; }));
    for (int piece = 0; piece < 3; ++piece) device.hand_back(0, 1);
  }
  ASSERT_TRUE(device.wait_for([](const auto& ds) { return ds[0].writes.size() == 12; }));
  rt::call(rt::Service::StopSound, {});
  ASSERT_TRUE(device.wait_for([](const auto& ds) { return ds[0].closed; }));
  const fake::Device d = device.devices().at(0);
  const std::vector<DWORD> round = {kBufferBytes, kBufferBytes, 100};
  std::vector<DWORD> pieces;
  for (int i = 0; i < 4; ++i) pieces.insert(pieces.end(), round.begin(), round.end());
  EXPECT_EQ(d.writes, pieces);
  EXPECT_TRUE(device.heard(0) == repeated(data_of(file), 4));
  for (size_t i = 3; i < d.writes.size(); i += 3) EXPECT_EQ(d.queued_before_write[i], 0u) << "write " << i;
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
    // A slow close shows whether stop all and wait really waits.
    fake::WaveOut device({1, MMSYSERR_NOERROR, c.while_holding_permits, c.wait ? 300u : 0u});
    for (int i = 0; i < c.players; ++i) ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
    if (c.while_holding_permits) {
      ASSERT_TRUE(drv::wait_until([&] { return device.holding_prepare(); }));
      rt::sound::stop_all();
      device.release_prepare();
    } else {
      ASSERT_TRUE(device.wait_for([&](const auto& ds) {
        return ds.size() == static_cast<size_t>(c.players) &&
               std::all_of(ds.begin(), ds.end(), [](const fake::Device& d) { return d.writes.size() == 20; });
      }));
      c.wait ? rt::sound::stop_all_and_wait() : rt::sound::stop_all();
    }
    if (!c.wait) {
      ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }));
    }
    EXPECT_EQ(playing_count(), 0);
    const std::vector<fake::Device> ds = device.devices();
    ASSERT_EQ(ds.size(), static_cast<size_t>(c.players));
    for (const fake::Device& d : ds) {
      EXPECT_EQ(d.writes.size(), 20u);  // permits held are used before the stop signal is seen
      EXPECT_TRUE(d.paused && d.reset && d.closed);
      EXPECT_EQ(d.prepared_at_close, 0);
      EXPECT_TRUE(ended(d, c.wait ? 0 : 10000));
    }
    EXPECT_TRUE(device.misuse().empty());
  }
}

TEST(Player, WithoutADeviceNothingIsUsedAndTheWorkerEndsByItsTimeOut) {
  struct Case {
    const char* name;
    fake::Settings settings;
    int opens;
  };
  const Case cases[] = {
      {"no device", {0}, 0},
      {"the device does not open", {1, MMSYSERR_ALLOCATED}, 1},
  };
  const Bytes file = pcm_wave(100);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::WaveOut device(c.settings);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(rt::sound::play(file.data(), file.size(), false));
    ASSERT_TRUE(drv::wait_until([] { return playing_count() == 0; }, rt::sound::kStallTimeoutMs + 10000));
    EXPECT_GE(GetTickCount() - start, rt::sound::kStallTimeoutMs - 100);  // not before the time-out
    EXPECT_EQ(device.opens(), c.opens);
    EXPECT_TRUE(device.devices().empty());
    EXPECT_TRUE(device.misuse().empty());
  }
}

// The sound argument: a block or a file name, and only WAVE data starts a
// player. The bytes are copied, so a file's image may go once play returns.
TEST(PlaySoundService, TakesAWaveBlockOrFileAndNothingElse) {
  rt::provide_sound_services();
  fake::WaveOut device;
  const Bytes wave = pcm_wave(1000);
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "sound_service_test.wav";
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(wave.data(), 1, wave.size(), f);
  std::fclose(f);
  Bytes not_wave = wave;
  std::copy_n("AVI ", 4, not_wave.begin() + 8);
  Bytes midi = wave;
  std::copy_n("MThd", 4, midi.begin());
  const rt::Block wave_block = rt::Block::copy(wave.data(), static_cast<uint32_t>(wave.size()));
  const rt::Block not_wave_block = rt::Block::copy(not_wave.data(), static_cast<uint32_t>(not_wave.size()));
  const rt::Block midi_block = rt::Block::copy(midi.data(), static_cast<uint32_t>(midi.size()));
  struct Case {
    const char* name;
    rt::Arg sound;
    bool started;
  };
  const Case cases[] = {
      {"WAVE block", rt::arg_block(wave_block.get()), true},
      {"WAVE file", rt::arg_text(path.c_str()), true},
      {"missing file", rt::arg_text("no such sound.wav"), false},
      {"empty text", rt::arg_text(""), false},
      {"null text", rt::arg_text(nullptr), false},
      {"null block", rt::arg_block(nullptr), false},
      {"RIFF that is not WAVE", rt::arg_block(not_wave_block.get()), false},
      {"MIDI data", rt::arg_block(midi_block.get()), false},
      {"an integer", rt::arg_int(1), false},
      {"omitted", rt::omitted(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const size_t devices = device.devices().size();
    EXPECT_EQ(rt::result_bool(rt::call(rt::Service::PlaySound, {c.sound})), c.started);
    if (c.started) {
      ASSERT_TRUE(device.wait_for([&](const auto& ds) { return ds.size() > devices && ds.back().writes.size() == 1; }));
      EXPECT_TRUE(device.heard(devices) == data_of(wave));
    }
    rt::sound::stop_all_and_wait();
    EXPECT_EQ(device.devices().size(), devices + (c.started ? 1 : 0));
  }
  DeleteFileA(path.c_str());
}

}  // namespace
