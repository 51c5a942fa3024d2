#include "sound/wave_out_win.h"

namespace rt::sound {
namespace {

// No wave output at all: what a machine without winmm gets.
UINT WINAPI no_devices() { return 0; }
MMRESULT WINAPI no_open(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD) { return MMSYSERR_NODRIVER; }
MMRESULT WINAPI no_header(HWAVEOUT, LPWAVEHDR, UINT) { return MMSYSERR_NODRIVER; }
MMRESULT WINAPI no_device(HWAVEOUT) { return MMSYSERR_NODRIVER; }
const WaveOut kNoWaveOut = {&no_devices, &no_open, &no_header, &no_header, &no_header, &no_device, &no_device, &no_device};

template <class F>
bool entry(HMODULE module, const char* name, F* to) {
  *to = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
  return *to != nullptr;
}

// winmm is loaded when the first sound starts, not with the program: most
// runs play none, and loading it at start-up costs time and memory. It stays
// loaded for the rest of the process.
WaveOut load_windows_wave_out() {
  const HMODULE winmm = LoadLibraryW(L"winmm.dll");
  WaveOut t{};
  const bool all = winmm && entry(winmm, "waveOutGetNumDevs", &t.get_num_devs) &&
                   entry(winmm, "waveOutOpen", &t.open) && entry(winmm, "waveOutPrepareHeader", &t.prepare_header) &&
                   entry(winmm, "waveOutUnprepareHeader", &t.unprepare_header) &&
                   entry(winmm, "waveOutWrite", &t.write) && entry(winmm, "waveOutPause", &t.pause) &&
                   entry(winmm, "waveOutReset", &t.reset) && entry(winmm, "waveOutClose", &t.close);
  if (all) return t;
  if (winmm) FreeLibrary(winmm);  // a winmm without every function is none
  return kNoWaveOut;
}

const WaveOut& windows_wave_out() {
  static const WaveOut table = load_windows_wave_out();
  return table;
}

// Read and written on the user-interface thread only (play sound, tests);
// null stands for Windows' functions.
const WaveOut* g_table = nullptr;

}  // namespace

const WaveOut& wave_out() { return g_table ? *g_table : windows_wave_out(); }

const WaveOut* set_wave_out(const WaveOut* table) {
  const WaveOut* old = g_table;
  g_table = table;
  return old;
}

}  // namespace rt::sound
