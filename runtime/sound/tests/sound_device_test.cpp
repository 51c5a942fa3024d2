// Sounds through the real wave output of Wine, whose device writes what it
// plays into the file named by TIMER_AUDIO_OUT (scripts/wine-run --audio).
// Each opening of the device starts that file anew. The alarm is played to
// its end once; stopping is shown on a made-up sound of a few seconds.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "builtin_data_win.h"
#include "driver_process.h"
#include "driver_wait.h"
#include "heap.h"
#include "owned.h"
#include "service.h"
#include "sound/player_win.h"
#include "sound/sound_service_win.h"
#include "sound/wave_out_win.h"
#include "test_wave.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kAlarmDataAt = 80;
constexpr size_t kAlarmDataSize = 5116308;
constexpr size_t kSecondOfSound = 88200;
// ALSA fills the last period of a drained stream with silence.
constexpr size_t kMostSilenceAtTheEnd = 16384;

std::wstring out_path() { return drv::audio_out_path(); }

Bytes device_output() {
  std::ifstream in(out_path().c_str(), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t device_output_size() { return drv::file_size(out_path()); }

Bytes alarm_data() {
  const rt::BlockView alarm = rt::view_block(assets::alarm_sound_block());
  return Bytes(alarm.data + kAlarmDataAt, alarm.data + kAlarmDataAt + kAlarmDataSize);
}

// Windows' wave output is loaded with the first sound, not with the
// program (this test runs before any other plays one).
TEST(WindowsWaveOut, ComesWithTheFirstSound) {
  ASSERT_EQ(GetModuleHandleW(L"winmm.dll"), nullptr) << "loaded at start-up";
  const rt::sound::WaveOut& table = rt::sound::wave_out();
  const HMODULE winmm = GetModuleHandleW(L"winmm.dll");
  ASSERT_NE(winmm, nullptr);
  EXPECT_EQ(reinterpret_cast<const void*>(table.open), reinterpret_cast<const void*>(GetProcAddress(winmm, "waveOutOpen")));
  EXPECT_EQ(reinterpret_cast<const void*>(table.close), reinterpret_cast<const void*>(GetProcAddress(winmm, "waveOutClose")));
  EXPECT_GE(table.get_num_devs(), 1u);
}

class SoundDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(out_path().empty()) << "run under scripts/wine-run --audio FILE with TIMER_AUDIO_OUT=FILE";
    // The device is opened by the player's worker, a moment after play
    // sound: what an earlier test left must not pass for this one's sound.
    DeleteFileW(out_path().c_str());
    rt::provide_sound_services();
  }
  void TearDown() override { rt::sound::stop_all_and_wait(); }
};

TEST_F(SoundDevice, PlaysTheAlarmsSamplesByteForByte) {
  // As in the program, whose start registers its image: the alarm is played
  // from where it lies, not copied.
  const void* alarm = assets::alarm_sound_block();
  if (!rt::is_constant(alarm)) rt::add_constant_range(alarm, sizeof(rt::BlockHeader) + rt::view_block(alarm).size);
  ASSERT_TRUE(rt::result_bool(rt::call(rt::Service::PlaySound, {rt::arg_block(alarm)})));
  ASSERT_TRUE(drv::wait_until([] { return rt::sound::playing_count() == 0; }, 120000));
  const Bytes heard = device_output(), data = alarm_data();
  ASSERT_GE(heard.size(), data.size());
  EXPECT_TRUE(std::equal(data.begin(), data.end(), heard.begin()));
  EXPECT_LE(heard.size() - data.size(), kMostSilenceAtTheEnd);
  EXPECT_TRUE(std::all_of(heard.begin() + static_cast<std::ptrdiff_t>(data.size()), heard.end(),
                          [](unsigned char b) { return b == 0; }))
      << "after the sound only silence";
}

TEST_F(SoundDevice, StopSoundSilencesItWithinASecond) {
  const Bytes file = sound_test::pcm_wave(4 * kSecondOfSound);
  const rt::Block block = rt::Block::copy(file.data(), static_cast<uint32_t>(file.size()));
  ASSERT_TRUE(rt::result_bool(rt::call(rt::Service::PlaySound, {rt::arg_block(block.get())})));
  ASSERT_TRUE(drv::wait_until([] { return device_output_size() >= kSecondOfSound; }, 20000));
  const size_t at_stop = device_output_size();
  rt::call(rt::Service::StopSound, {});
  ASSERT_TRUE(drv::wait_until([] { return rt::sound::playing_count() == 0; }, 5000));
  const Bytes heard = device_output();
  EXPECT_LE(heard.size(), at_stop + kSecondOfSound);
  const Bytes data(file.begin() + sound_test::kHeaderBytes, file.end());
  ASSERT_LT(heard.size(), data.size()) << "played to its end";
  EXPECT_TRUE(std::equal(heard.begin(), heard.end(), data.begin()));  // what was heard is the sound's start
}

}  // namespace
