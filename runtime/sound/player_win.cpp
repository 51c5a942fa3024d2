#include "sound/player_win.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "heap.h"
#include "sound/wave_chunks.h"
#include "sound/wave_out_win.h"
#include "win_handle.h"

namespace rt::sound {
namespace {

// Everything a playing sound owns. The user-interface thread builds it, the
// worker opens the device, feeds it and frees the player at its end; the
// device's completion callback touches only the free count and the permits.
struct Player {
  // Neighbours in the player list or the kept list; touched only under
  // list_lock().
  Player* prev = nullptr;
  Player* next = nullptr;

  const WaveOut* api = nullptr;
  std::vector<unsigned char> format;  // the record the device is opened with
  HWAVEOUT device = nullptr;          // null: no device was obtained, none is used

  // The samples: the program's built-in data in place, anything else copied.
  const unsigned char* samples = nullptr;
  std::unique_ptr<unsigned char[]> sample_copy;
  DWORD sample_length = 0;
  DWORD position = 0;  // of the next byte to queue
  bool loop = false;

  // One zero-filled allocation: the headers, then their data areas.
  std::unique_ptr<unsigned char[]> buffer_memory;
  WAVEHDR* headers = nullptr;
  int next_buffer = 0;

  // Buffers not queued at the device. The worker and the device's callback
  // both change it, under `lock`.
  LONG free_count = kBufferCount;
  CriticalSection lock;
  // One permit for each buffer that may be filled.
  UniqueKernelHandle permits;
  // Manual reset: once set, every later wait sees it.
  UniqueKernelHandle stop;
  UniqueKernelHandle worker;
};

// ---- the player lists ---------------------------------------------------

// Never destroyed: a worker may still take it while the process ends.
CriticalSection& list_lock() {
  static CriticalSection* lock = new CriticalSection;
  return *lock;
}
// Under list_lock(): the players whose workers run, and the players whose
// device never let go of them (see end_player), which live as long as the
// process.
Player* g_playing = nullptr;
Player* g_kept = nullptr;

void link(Player*& first, Player* p) {
  p->prev = nullptr;
  p->next = first;
  if (first) first->prev = p;
  first = p;
}

void unlink(Player*& first, Player* p) {
  (p->prev ? p->prev->next : first) = p->next;
  if (p->next) p->next->prev = p->prev;
}

// ---- the device's side --------------------------------------------------

// Runs on the device's own thread. The permit goes out while the lock is
// still held, so a worker that reads a full free count knows that every
// callback that raised it is done with the player's signals.
void CALLBACK on_device_message(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) noexcept {
  if (message != WOM_DONE) return;
  Player& p = *reinterpret_cast<Player*>(instance);
  Locked hold(p.lock);
  ++p.free_count;
  ReleaseSemaphore(p.permits.get(), 1, nullptr);
}

// ---- the worker ---------------------------------------------------------

void unprepare(Player& p, WAVEHDR& h) {
  if (h.dwFlags & WHDR_PREPARED) p.api->unprepare_header(p.device, &h, sizeof h);
}

void unprepare_all(Player& p) {
  for (int i = 0; i < kBufferCount; ++i) unprepare(p, p.headers[i]);
}

enum class Fed { Waiting, Finished };

// Whether every buffer is back from the device, as the callback counts them.
bool all_buffers_back(Player& p) {
  Locked hold(p.lock);
  return p.free_count >= kBufferCount;
}

// One permit's work: queue the next piece of the sound, or, with nothing
// left to queue, finish or start again once every buffer has come back.
Fed use_permit(Player& p) {
  LONG free_count;
  {
    Locked hold(p.lock);
    free_count = p.free_count;
  }
  if (free_count <= 0) return Fed::Waiting;
  WAVEHDR& h = p.headers[p.next_buffer];
  unprepare(p, h);
  if (const DWORD rest = p.sample_length - p.position) {
    const DWORD piece = rest < kBufferBytes ? rest : kBufferBytes;
    std::memcpy(h.lpData, p.samples + p.position, piece);
    h.dwBufferLength = piece;
    h.dwFlags = 0;
    p.position += piece;
    p.api->prepare_header(p.device, &h, sizeof h);
    p.api->write(p.device, &h, sizeof h);
    {
      Locked hold(p.lock);
      --p.free_count;
    }
    p.next_buffer = (p.next_buffer + 1) % kBufferCount;
    return Fed::Waiting;
  }
  if (free_count < kBufferCount) return Fed::Waiting;  // the last buffers still play
  if (p.loop) {
    // Every buffer is back, so no callback comes until the next write. The
    // permits of returns this worker has not yet waited for are taken first:
    // a semaphore refuses to go past its maximum, and then the sound would
    // go on with fewer buffers queued than it has.
    Locked hold(p.lock);
    p.position = 0;
    p.next_buffer = 0;
    p.free_count = kBufferCount;
    while (WaitForSingleObject(p.permits.get(), 0) == WAIT_OBJECT_0) {
    }
    ReleaseSemaphore(p.permits.get(), kBufferCount, nullptr);
    return Fed::Waiting;
  }
  unprepare_all(p);
  return Fed::Finished;
}

// A reset returns every queued buffer through the callback, but a device may
// do that late, from a thread of its own. Each buffer that comes back
// releases a permit, which ends the wait; permits left over from playing
// only make it look again. False when some buffer is still out after
// kBufferReturnMs.
bool wait_for_buffers(Player& p) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (all_buffers_back(p)) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= kBufferReturnMs) return false;
    if (WaitForSingleObject(p.permits.get(), kBufferReturnMs - waited) == WAIT_FAILED) return false;
  }
}

// Stops the device and takes the buffers back; false when the device keeps
// some of them.
bool take_buffers_back(Player& p) {
  p.api->pause(p.device);
  p.api->reset(p.device);
  const bool back = wait_for_buffers(p);
  unprepare_all(p);  // a buffer still out stays prepared
  return back;
}

// Feeds the device until the sound has been played, the stop signal comes or
// the device has given nothing back for kStallTimeoutMs. A wait that finds a
// permit and the stop signal both set takes the permit first. True when every
// buffer is back from the device.
bool feed_device(Player& p) {
  const HANDLE signals[2] = {p.permits.get(), p.stop.get()};
  for (;;) {
    switch (WaitForMultipleObjects(2, signals, FALSE, kStallTimeoutMs)) {
      case WAIT_OBJECT_0:
        if (use_permit(p) == Fed::Finished) return true;
        break;
      case WAIT_OBJECT_0 + 1:
      case WAIT_TIMEOUT:
      case WAIT_FAILED:  // waiting again would fail again
        return take_buffers_back(p);
      default:
        break;
    }
  }
}

// The worker opens the device rather than play sound: the first opening in
// a process loads the audio driver, which takes a good part of a second, and
// the user-interface thread never waits for the device. A stop that came
// first leaves the device unopened.
void open_device(Player& p) {
  if (WaitForSingleObject(p.stop.get(), 0) == WAIT_OBJECT_0 || p.api->get_num_devs() < 1) return;
  HWAVEOUT device = nullptr;
  const auto* format = reinterpret_cast<const WAVEFORMATEX*>(p.format.data());
  if (p.api->open(&device, WAVE_MAPPER, format, reinterpret_cast<DWORD_PTR>(&on_device_message),
                  reinterpret_cast<DWORD_PTR>(&p), CALLBACK_FUNCTION) == MMSYSERR_NOERROR)
    p.device = device;
}

// Only a device that has handed back every buffer and closed can no longer
// reach the player: after a successful close no callback comes. A device
// that keeps a buffer or refuses to close may still write into the buffers
// and call back into the player at any time, so such a player is
// deliberately kept, with its buffers, lock and permits, for the rest of the
// process; only its sample copy, which the device never sees, goes.
//
// The memory goes first; the player leaves the list last, so that stop
// sound never signals a player that is gone and stop_all_and_wait() never
// misses a worker that still uses the device.
void end_player(Player* p, bool buffers_back) {
  const bool closed = !p->device || p->api->close(p->device) == MMSYSERR_NOERROR;
  const bool unreachable = buffers_back && closed;
  p->sample_copy.reset();
  if (unreachable) p->buffer_memory.reset();
  Locked hold(list_lock());
  unlink(g_playing, p);
  if (unreachable) {
    delete p;  // its signals, its lock and the worker's own thread handle
  } else {
    link(g_kept, p);
  }
}

DWORD WINAPI run_worker(void* param) noexcept {
  Player* p = static_cast<Player*>(param);
  open_device(*p);
  bool buffers_back = true;
  if (p->device) {
    buffers_back = feed_device(*p);
  } else {
    WaitForSingleObject(p->stop.get(), kStallTimeoutMs);
  }
  end_player(p, buffers_back);
  return 0;
}

// ---- starting -----------------------------------------------------------

// The caller may release its sound as soon as play sound returns, so the
// samples are copied, except those in the program's built-in data, which
// lives as long as the process: the alarm plays from where it lies, and
// play sound spends no time on copying 5 MB.
bool take_samples(Player& p, const WaveSound& wave) {
  if (wave.sample_size > MAXDWORD) return false;
  p.sample_length = static_cast<DWORD>(wave.sample_size);
  if (is_constant(wave.samples) && is_constant(wave.samples + wave.sample_size - 1)) {
    p.samples = wave.samples;
    return true;
  }
  p.sample_copy.reset(new (std::nothrow) unsigned char[wave.sample_size]);
  if (!p.sample_copy) return false;
  std::memcpy(p.sample_copy.get(), wave.samples, wave.sample_size);
  p.samples = p.sample_copy.get();
  return true;
}

// The buffers and the two signals; false when any of them cannot be had.
bool make_resources(Player& p) {
  constexpr std::size_t kBufferArea = kBufferCount * (sizeof(WAVEHDR) + kBufferBytes);
  p.buffer_memory.reset(new (std::nothrow) unsigned char[kBufferArea]());
  if (!p.buffer_memory) return false;
  p.headers = reinterpret_cast<WAVEHDR*>(p.buffer_memory.get());
  unsigned char* data = p.buffer_memory.get() + kBufferCount * sizeof(WAVEHDR);
  for (int i = 0; i < kBufferCount; ++i) p.headers[i].lpData = reinterpret_cast<LPSTR>(data + i * kBufferBytes);
  p.stop.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  p.permits.reset(CreateSemaphoreW(nullptr, kBufferCount, kBufferCount, nullptr));
  return p.stop && p.permits;
}

}  // namespace

bool play(const unsigned char* bytes, std::size_t size, bool loop) {
  std::optional<WaveSound> wave = read_wave(bytes, size);
  if (!wave) return false;
  std::unique_ptr<Player> p(new (std::nothrow) Player);
  if (!p || !take_samples(*p, *wave) || !make_resources(*p)) return false;
  p->api = &wave_out();
  p->format = std::move(wave->format);
  p->loop = loop;
  const HANDLE thread = CreateThread(nullptr, 0, &run_worker, p.get(), CREATE_SUSPENDED, nullptr);
  if (!thread) return false;
  p->worker.reset(thread);
  {
    Locked hold(list_lock());
    link(g_playing, p.release());  // from here on the worker owns the player
  }
  ResumeThread(thread);
  return true;
}

void stop_all() {
  Locked hold(list_lock());
  for (Player* p = g_playing; p; p = p->next) SetEvent(p->stop.get());
}

bool stop_all_and_wait(unsigned limit_ms) {
  // The stop signals are set under the lock, while every player is sure to
  // exist; the waits happen outside it, because a worker takes the lock to
  // leave the list. Each worker has its own handle to wait on, since a
  // worker closes its own at its end.
  const DWORD start = GetTickCount();
  for (;;) {
    HANDLE workers[MAXIMUM_WAIT_OBJECTS];
    DWORD count = 0;
    {
      Locked hold(list_lock());
      for (Player* p = g_playing; p; p = p->next) {
        SetEvent(p->stop.get());
        if (count < MAXIMUM_WAIT_OBJECTS &&
            DuplicateHandle(GetCurrentProcess(), p->worker.get(), GetCurrentProcess(), &workers[count], SYNCHRONIZE,
                            FALSE, 0))
          ++count;
      }
    }
    if (count == 0) return true;
    const DWORD waited = GetTickCount() - start;
    const DWORD left = limit_ms == INFINITE ? INFINITE : waited < limit_ms ? limit_ms - waited : 0;
    const DWORD result = WaitForMultipleObjects(count, workers, TRUE, left);
    for (DWORD i = 0; i < count; ++i) CloseHandle(workers[i]);
    if (result == WAIT_TIMEOUT || result == WAIT_FAILED) return false;
  }
}

int playing_count() {
  Locked hold(list_lock());
  int count = 0;
  for (const Player* p = g_playing; p; p = p->next) ++count;
  return count;
}

bool is_player(const void* instance) {
  Locked hold(list_lock());
  for (Player* first : {g_playing, g_kept}) {
    for (const Player* p = first; p; p = p->next) {
      if (p == instance) return true;
    }
  }
  return false;
}

}  // namespace rt::sound
