// Play sound takes the sound as a byte block holding a WAVE file image, or as
// a text naming a file that is read whole first, and an optional loop flag;
// it answers whether a player was started. Stop sound stops every player and
// returns at once. MIDI data is never played: this program has no MIDI
// player, so such data gives false like any other data that is not WAVE.
#include "sound/sound_service_win.h"

#include <vector>

#include "owned.h"
#include "read_file_win.h"
#include "service.h"
#include "sound/player_win.h"

namespace rt {
namespace {

// Sound files beyond this are not read at all (about 12 minutes of CD audio).
constexpr std::size_t kMaxSoundFile = 128 * 1024 * 1024;

bool play_argument(const Arg& sound, bool loop) {
  if (sound.tag == kTagBlock) {
    const BlockView block = view_block(arg_as_block(sound));
    return sound::play(block.data, block.size, loop);
  }
  if (sound.tag == kTagText) {
    std::vector<unsigned char> file;
    return read_whole_file(arg_as_text(sound), kMaxSoundFile, file) && sound::play(file.data(), file.size(), loop);
  }
  return false;
}

void play_sound(Result& result, int count, const Arg* args) {
  const Arg loop = arg_at(count, args, 1);
  set_bool(result, play_argument(arg_at(count, args, 0), present(loop) && loop.low != 0));
}

void stop_sound(Result&, int, const Arg*) { sound::stop_all(); }

}  // namespace

void provide_sound_services() {
  provide(Service::PlaySound, &play_sound);
  provide(Service::StopSound, &stop_sound);
}

}  // namespace rt
