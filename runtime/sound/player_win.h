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
// After a stop or a stall the worker resets the device, which owes it every
// queued buffer; it waits this long for them before it gives up on them.
constexpr unsigned kBufferReturnMs = 2000;
// The program's end waits this long for playing sounds, then ends anyway.
constexpr unsigned kEndWaitMs = 2000;

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
// ended (true) or after `limit_ms` (false; INFINITE waits without limit). The
// runtime calls it when the program ends and before a fatal error ends the
// process: a sound driver that hangs must not keep a program without window
// or icon alive.
bool stop_all_and_wait(unsigned limit_ms = kEndWaitMs);

// Players started and not yet ended.
int playing_count();

// Whether `instance` (the device callback's instance data) is a player that
// has not been freed: one playing, or one kept because its device never let
// go of it (tests).
bool is_player(const void* instance);

}  // namespace rt::sound
