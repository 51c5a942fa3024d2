// A program started like ours that ends while its sound's device hangs in
// its opening, as a broken audio driver can. Usage:
//   sound_end_probe END EVENT
// END is "loop" (the message loop ends, exit code 0) or "fatal" (a fatal
// runtime error, exit code -1, its box refused by a hook so that no window
// appears). The probe sets the named event EVENT when the worker is stuck in
// the device and the end begins; the test measures the end from there.
#include <windows.h>

#include <string>

#include "fatal.h"
#include "sound/player_win.h"
#include "sound/wave_out_win.h"
#include "start_win.h"
#include "test_wave.h"
#include "window_runtime.h"

namespace {

HANDLE g_opening;  // set once the worker is inside the device's opening

UINT WINAPI one_device() { return 1; }
MMRESULT WINAPI hanging_open(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD) {
  SetEvent(g_opening);
  Sleep(INFINITE);
  return MMSYSERR_NODRIVER;
}
MMRESULT WINAPI no_header(HWAVEOUT, LPWAVEHDR, UINT) { return MMSYSERR_INVALHANDLE; }
MMRESULT WINAPI no_device(HWAVEOUT) { return MMSYSERR_INVALHANDLE; }
const rt::sound::WaveOut kHangingDevice = {&one_device, &hanging_open, &no_header, &no_header,
                                           &no_header,  &no_device,    &no_device, &no_device};

HHOOK g_hook;

// Refuses the fatal error's message box: the process goes on to its exit at
// once, as if the user had pressed OK.
LRESULT CALLBACK refuse_boxes(int code, WPARAM wparam, LPARAM lparam) noexcept {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(g_hook, code, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string end = argv[1];
  rt::start_runtime();
  const rt::sound::WaveOutOverride device(&kHangingDevice);
  g_opening = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const std::vector<unsigned char> wave = sound_test::pcm_wave(88200);
  if (!rt::sound::play(wave.data(), wave.size(), false)) return 3;
  if (WaitForSingleObject(g_opening, 10000) != WAIT_OBJECT_0) return 4;
  const HANDLE ending = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
  if (!ending) return 5;
  SetEvent(ending);
  if (end == "fatal") {
    g_hook = SetWindowsHookExW(WH_CBT, refuse_boxes, nullptr, GetCurrentThreadId());
    rt::fatal_error("探针");
  }
  return rt::run_message_loop();
}
