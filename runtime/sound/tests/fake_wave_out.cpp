#include "fake_wave_out.h"

#include "driver_wait.h"
#include "sound/player_win.h"

namespace fake {
namespace {

using Callback = void(CALLBACK*)(HWAVEOUT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);

struct State {
  std::mutex m;
  Settings settings;
  std::vector<Device> devices;
  std::vector<std::vector<unsigned char>> heard;  // by device, kept apart from the copies
  std::vector<std::string> misuse;
  int opens = 0;
  bool holding = false;
};
State* g_state = nullptr;

// Handles are 1 + the device's index.
Device* find(HWAVEOUT h, const char* call) {
  const size_t index = reinterpret_cast<size_t>(h) - 1;
  if (index < g_state->devices.size() && !g_state->devices[index].closed) return &g_state->devices[index];
  g_state->misuse.push_back(call);
  return nullptr;
}

struct Listener {
  DWORD_PTR callback;
  DWORD_PTR instance;
};

void tell(Listener to, HWAVEOUT h, UINT message, WAVEHDR* header = nullptr) {
  reinterpret_cast<Callback>(to.callback)(h, message, to.instance, reinterpret_cast<DWORD_PTR>(header), 0);
}

// Takes up to `count` queued buffers of a device, oldest first.
std::vector<WAVEHDR*> take_queued(Device& d, size_t count) {
  std::vector<WAVEHDR*> back;
  while (back.size() < count && !d.queued.empty()) {
    back.push_back(d.queued.front());
    d.queued.pop_front();
  }
  return back;
}

// Marks the buffers played and tells the player. Called outside the lock, as
// a device's own thread would call.
void give_back(Listener to, HWAVEOUT h, const std::vector<WAVEHDR*>& headers) {
  for (WAVEHDR* header : headers) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    tell(to, h, WOM_DONE, header);
  }
}

UINT WINAPI get_num_devs() { return g_state->settings.device_count; }

MMRESULT WINAPI open(LPHWAVEOUT out, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
  {
    std::lock_guard<std::mutex> hold(g_state->m);
    ++g_state->opens;
    if (g_state->settings.open_answer != MMSYSERR_NOERROR) return g_state->settings.open_answer;
    if (flags != CALLBACK_FUNCTION) return MMSYSERR_INVALFLAG;
    Device d;
    d.callback = callback;
    d.instance = instance;
    g_state->devices.push_back(d);
    g_state->heard.emplace_back();
    *out = reinterpret_cast<HWAVEOUT>(g_state->devices.size());
  }
  tell({callback, instance}, *out, WOM_OPEN);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI prepare(HWAVEOUT h, LPWAVEHDR header, UINT) {
  std::unique_lock<std::mutex> hold(g_state->m);
  if (g_state->settings.hold_first_prepare) {
    g_state->holding = true;
    hold.unlock();
    drv::wait_until(
        [] {
          std::lock_guard<std::mutex> check(g_state->m);
          return !g_state->settings.hold_first_prepare;
        },
        30000);
    hold.lock();
    g_state->holding = false;
  }
  Device* d = find(h, "prepare");
  if (!d) return MMSYSERR_INVALHANDLE;
  if (!(header->dwFlags & WHDR_PREPARED)) ++d->prepared;
  header->dwFlags |= WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI unprepare(HWAVEOUT h, LPWAVEHDR header, UINT) {
  std::lock_guard<std::mutex> hold(g_state->m);
  Device* d = find(h, "unprepare");
  if (!d) return MMSYSERR_INVALHANDLE;
  if (header->dwFlags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
  if (header->dwFlags & WHDR_PREPARED) --d->prepared;
  header->dwFlags &= ~WHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI write(HWAVEOUT h, LPWAVEHDR header, UINT) {
  std::lock_guard<std::mutex> hold(g_state->m);
  Device* d = find(h, "write");
  if (!d) return MMSYSERR_INVALHANDLE;
  if (!(header->dwFlags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
  if (!d->writer)
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &d->writer, SYNCHRONIZE, FALSE, 0);
  d->queued_before_write.push_back(d->queued.size());
  d->writes.push_back(header->dwBufferLength);
  std::vector<unsigned char>& heard = g_state->heard[reinterpret_cast<size_t>(h) - 1];
  heard.insert(heard.end(), header->lpData, header->lpData + header->dwBufferLength);
  header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
  d->queued.push_back(header);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI pause(HWAVEOUT h) {
  std::lock_guard<std::mutex> hold(g_state->m);
  Device* d = find(h, "pause");
  if (d) d->paused = true;
  return d ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI reset(HWAVEOUT h) {
  std::vector<WAVEHDR*> back;
  Listener to;
  {
    std::lock_guard<std::mutex> hold(g_state->m);
    Device* d = find(h, "reset");
    if (!d) return MMSYSERR_INVALHANDLE;
    d->reset = true;
    back = take_queued(*d, d->queued.size());
    to = {d->callback, d->instance};
  }
  give_back(to, h, back);
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI close(HWAVEOUT h) {
  Sleep(g_state->settings.close_ms);  // a device that takes its time to let go
  Listener to;
  {
    std::lock_guard<std::mutex> hold(g_state->m);
    Device* d = find(h, "close");
    if (!d) return MMSYSERR_INVALHANDLE;
    if (!d->queued.empty()) return WAVERR_STILLPLAYING;
    d->prepared_at_close = d->prepared;
    d->closed = true;
    to = {d->callback, d->instance};
  }
  tell(to, h, WOM_CLOSE);
  return MMSYSERR_NOERROR;
}

const rt::sound::WaveOut kTable = {&get_num_devs, &open, &prepare, &unprepare, &write, &pause, &reset, &close};

}  // namespace

WaveOut::WaveOut(Settings settings) : override_(&kTable) {
  g_state = new State;
  g_state->settings = settings;
}

WaveOut::~WaveOut() {
  // No player outlives the device it plays on.
  release_prepare();
  rt::sound::stop_all_and_wait();
  for (const Device& d : g_state->devices)
    if (d.writer) CloseHandle(d.writer);
  delete g_state;
  g_state = nullptr;
}

int WaveOut::hand_back(size_t index, size_t count) {
  std::vector<WAVEHDR*> back;
  Listener to;
  {
    std::lock_guard<std::mutex> hold(g_state->m);
    Device& d = g_state->devices.at(index);
    back = take_queued(d, count);
    to = {d.callback, d.instance};
  }
  give_back(to, reinterpret_cast<HWAVEOUT>(index + 1), back);
  return static_cast<int>(back.size());
}

void WaveOut::release_prepare() {
  std::lock_guard<std::mutex> hold(g_state->m);
  g_state->settings.hold_first_prepare = false;
}

std::vector<Device> WaveOut::devices() const {
  std::lock_guard<std::mutex> hold(g_state->m);
  return g_state->devices;
}

std::vector<unsigned char> WaveOut::heard(size_t index) const {
  std::lock_guard<std::mutex> hold(g_state->m);
  return g_state->heard.at(index);
}

std::vector<std::string> WaveOut::misuse() const {
  std::lock_guard<std::mutex> hold(g_state->m);
  return g_state->misuse;
}

int WaveOut::opens() const {
  std::lock_guard<std::mutex> hold(g_state->m);
  return g_state->opens;
}

bool WaveOut::holding_prepare() const {
  std::lock_guard<std::mutex> hold(g_state->m);
  return g_state->holding;
}

bool WaveOut::wait_for(const std::function<bool(const std::vector<Device>&)>& done, DWORD timeout_ms) const {
  return drv::wait_until([&] { return done(devices()); }, timeout_ms);
}

}  // namespace fake
