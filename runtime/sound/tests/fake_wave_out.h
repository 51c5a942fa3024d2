// A wave output device of the tests' own, put under the players through the
// waveOut table. It keeps the buffers a player queues and hands them back
// only when the test says so, and records every call on the way.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sound/wave_out_win.h"

namespace fake {

struct Device {
  DWORD_PTR callback = 0;
  DWORD_PTR instance = 0;
  std::deque<WAVEHDR*> queued;
  std::vector<DWORD> writes;                // the length of each write, in order
  std::vector<size_t> queued_before_write;  // buffers at the device when each came
  int prepared = 0;                         // headers prepared and not unprepared
  int prepared_at_close = -1;
  bool paused = false;
  bool reset = false;
  bool closed = false;
  HANDLE writer = nullptr;  // the worker thread, from its first write
};

struct Settings {
  UINT device_count = 1;
  MMRESULT open_answer = MMSYSERR_NOERROR;
  bool hold_first_prepare = false;  // the first prepare waits for release_prepare()
  DWORD close_ms = 0;               // how long a close takes
};

class WaveOut {
 public:
  explicit WaveOut(Settings settings = {});
  ~WaveOut();

  // Hands up to `count` queued buffers of device `index` back, oldest first,
  // as the device does when it has played them. Returns how many.
  int hand_back(size_t index, size_t count);
  void release_prepare();

  // A copy of the state, taken under the lock.
  std::vector<Device> devices() const;
  std::vector<unsigned char> heard(size_t index) const;  // every byte written, in order
  std::vector<std::string> misuse() const;  // calls with a handle never handed out
  int opens() const;
  bool holding_prepare() const;
  // Waits (bounded) until `done` holds for the devices.
  bool wait_for(const std::function<bool(const std::vector<Device>&)>& done, DWORD timeout_ms = 10000) const;

 private:
  rt::sound::WaveOutOverride override_;
};

}  // namespace fake
