// Sound players. Each playing sound has a player of its own: a copy of its
// samples, 20 buffers of 15360 bytes and a worker thread that keeps them
// queued at the wave output device, refilling each one the device hands
// back. The user-interface thread starts and stops players and never waits
// for the device, except in stop_all_and_wait() at the program's end.
#pragma once

#include <cstddef>

namespace rt::sound {

constexpr int kBufferCount = 20;
constexpr unsigned kBufferBytes = 15360;
// A worker that hears nothing from the device for this long gives up, as
// it does when it has no device at all.
constexpr unsigned kStallTimeoutMs = 8888;

// Starts a player for a WAVE file image (see read_wave); the bytes may go
// away once it returns (only constant data is played in place). False when
// the data is no playable WAVE file or the player's memory, signals or
// thread cannot be had. The worker opens the device: without one, or when it
// does not open, the player still starts, nothing is heard, and the worker
// ends at the stop signal or after kStallTimeoutMs.
bool play(const unsigned char* bytes, std::size_t size, bool loop);

// Signals every playing player to stop; returns at once.
void stop_all();

// Signals every playing player to stop and returns when their workers have
// ended. The runtime calls it when the program ends and before a fatal error
// ends the process.
void stop_all_and_wait();

// Players started and not yet ended.
int playing_count();

}  // namespace rt::sound
