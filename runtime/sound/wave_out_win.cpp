#include "sound/wave_out_win.h"

namespace rt::sound {
namespace {

const WaveOut kWindowsWaveOut = {
    &waveOutGetNumDevs, &waveOutOpen,  &waveOutPrepareHeader, &waveOutUnprepareHeader,
    &waveOutWrite,      &waveOutPause, &waveOutReset,         &waveOutClose,
};

// Read and written on the user-interface thread only (play sound, tests).
const WaveOut* g_table = &kWindowsWaveOut;

}  // namespace

const WaveOut& wave_out() { return *g_table; }

const WaveOut* set_wave_out(const WaveOut* table) {
  const WaveOut* old = g_table;
  g_table = table ? table : &kWindowsWaveOut;
  return old;
}

}  // namespace rt::sound
