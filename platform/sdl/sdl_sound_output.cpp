#include "platform/sdl/sdl_sound_output.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>

namespace game {
namespace {

constexpr int kChannel = 0;  // the one mixing channel every sound plays on

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card the ALSA library prints its failed lookups to stderr while SDL probes it.
// Loading the library first and giving it a handler that drops them keeps start-up quiet; the
// handle keeps that same library instance loaded while SDL may use it. Null when there is none.
void* QuietAlsaLibrary() {
  void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"))) {
    set(&IgnoreAlsaError);
  }
  return library;
}

}  // namespace

SdlSoundOutput::SdlSoundOutput(FileSystem& files) : files_(files) {
  SDL_SetHintWithPriority(SDL_HINT_NO_SIGNAL_HANDLERS, "1", SDL_HINT_OVERRIDE);
  alsa_library_ = QuietAlsaLibrary();
  subsystem_open_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!subsystem_open_) return;
  device_open_ = Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBlockFrames) == 0;
  if (device_open_) Mix_AllocateChannels(1);
}

SdlSoundOutput::~SdlSoundOutput() {
  if (device_open_) {
    HaltAndFree();
    Mix_CloseAudio();
  }
  if (subsystem_open_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (alsa_library_ != nullptr) dlclose(alsa_library_);
}

void SdlSoundOutput::PlayFile(const std::string& path, bool loop) {
  if (!device_open_) return;
  Mix_Chunk* next = Load(path);
  HaltAndFree();
  if (next == nullptr) return;
  if (Mix_PlayChannel(kChannel, next, loop ? -1 : 0) < 0) {
    Mix_FreeChunk(next);
    return;
  }
  chunk_ = next;
}

Mix_Chunk* SdlSoundOutput::Load(const std::string& path) {
  std::string bytes;
  try {
    std::unique_ptr<InputFile> file = files_.OpenForReading(path);
    if (file->Size() > kMaxFileBytes) return nullptr;
    bytes = ReadUpTo(*file, kMaxFileBytes + 1);
  } catch (const std::exception&) {
    // Any file failure is silence. The module holds a copy of the rules library of its own, so
    // the program's FileError is told by its base class here.
    return nullptr;
  }
  if (bytes.size() > kMaxFileBytes) return nullptr;
  SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  return memory == nullptr ? nullptr : Mix_LoadWAV_RW(memory, 1);
}

void SdlSoundOutput::StopAll() {
  if (device_open_) HaltAndFree();
}

void SdlSoundOutput::HaltAndFree() {
  Mix_HaltChannel(-1);
  if (chunk_ != nullptr) Mix_FreeChunk(chunk_);
  chunk_ = nullptr;
}

}  // namespace game
