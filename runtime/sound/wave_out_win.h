// The one road to the wave output device. Players call the waveOut functions
// through this table, so that a test can put a device of its own under them
// and hand buffers back when it chooses.
#pragma once

#include <windows.h>
// Without Windows' own PlaySound, whose macro would rename the play sound
// service (rt::Service::PlaySound) in every file that includes this one.
#ifndef MMNOSOUND
#define MMNOSOUND
#endif
#include <mmsystem.h>

namespace rt::sound {

struct WaveOut {
  UINT(WINAPI* get_num_devs)();
  MMRESULT(WINAPI* open)(LPHWAVEOUT, UINT, LPCWAVEFORMATEX, DWORD_PTR, DWORD_PTR, DWORD);
  MMRESULT(WINAPI* prepare_header)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* unprepare_header)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* write)(HWAVEOUT, LPWAVEHDR, UINT);
  MMRESULT(WINAPI* pause)(HWAVEOUT);
  MMRESULT(WINAPI* reset)(HWAVEOUT);
  MMRESULT(WINAPI* close)(HWAVEOUT);
};

// The table that new players take (Windows' own functions unless a test put
// another in place). A player keeps the table it started with until it ends.
// The first call for Windows' functions loads winmm; without it, the table
// reports no device.
const WaveOut& wave_out();

// Installs `table` (null: Windows' functions) and returns the previous one
// (null for Windows' functions).
// The table must outlive every player started with it.
const WaveOut* set_wave_out(const WaveOut* table);

// Replaces the table for the lifetime of the object (tests).
class WaveOutOverride {
 public:
  explicit WaveOutOverride(const WaveOut* table) : old_(set_wave_out(table)) {}
  ~WaveOutOverride() { set_wave_out(old_); }
  WaveOutOverride(const WaveOutOverride&) = delete;
  WaveOutOverride& operator=(const WaveOutOverride&) = delete;

 private:
  const WaveOut* old_;
};

}  // namespace rt::sound
