// The entry of the sound module (audio/sound_module.h): the one function the game looks up in it.
#include "platform/sdl/sdl_sound_output.h"

extern "C" __attribute__((visibility("default"))) game::SoundOutput* game_make_sound_output(
    game::FileSystem* files) {
  return new game::SdlSoundOutput(*files);
}
