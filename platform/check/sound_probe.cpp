#include "platform/check/sound_probe.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl/sdl_sound_output.h"

namespace game::check {
namespace {

// The audio driver is the process's choice again: a sound output opened later in the same process
// must not find itself on the probe's silent driver.
void GiveBackTheDriver() {
#if SDL_VERSION_ATLEAST(2, 24, 0)
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
#else
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, SDL_getenv("SDL_AUDIODRIVER"), SDL_HINT_OVERRIDE);
#endif
}

}  // namespace

SoundProbe::SoundProbe() {
  SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
  SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
  subsystem_open_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!subsystem_open_) return;
  device_open_ = Mix_OpenAudio(SdlSoundOutput::kFrequency, AUDIO_S16SYS, SdlSoundOutput::kChannels,
                               SdlSoundOutput::kBlockFrames) == 0;
}

SoundProbe::~SoundProbe() {
  if (device_open_) Mix_CloseAudio();
  if (subsystem_open_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  GiveBackTheDriver();
}

std::optional<std::string> SoundProbe::Problem(const std::string& path) {
  if (!device_open_) return std::string("SDL: ") + SDL_GetError();
  Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
  if (chunk == nullptr) return std::string(Mix_GetError());
  Mix_FreeChunk(chunk);
  return std::nullopt;
}

}  // namespace game::check
