// The sound output on SDL2_mixer: fire-and-forget playback of wave files on one mixing channel.
//
// Only SDL's audio subsystem is used: no SDL video, window or event handling, and SDL installs
// no signal handlers, so it never competes with Qt for the program's events or signals.
//
// No audio device: when SDL finds no usable audio output (no driver, no device, no sound server)
// the object stays silent for its whole life. Construction then returns at once, nothing is shown
// or printed, and `PlayFile` and `StopAll` do nothing. There is no retry later.
//
// The device is driven at `kFrequency` Hz, `kChannels` interleaved channels of signed 16-bit
// samples in the machine's byte order, mixed in blocks of `kBlockFrames` frames (SDL may pick
// another rate or channel count on a device that cannot take these). Every wave file SDL2_mixer
// can load is converted to it (among others PCM of 8, 16, 24 or 32 bits, 32-bit float, IMA and
// Microsoft ADPCM, at any rate and channel count).
//
// Make one per program and use it from one thread; playback runs on SDL's audio thread.
#pragma once

#include <cstdint>
#include <string>

#include "rules/contracts/file_system.h"
#include "rules/contracts/sound_output.h"

struct Mix_Chunk;

namespace game {

class SdlSoundOutput : public SoundOutput {
 public:
  static constexpr int kFrequency = 44100;
  static constexpr int kChannels = 2;
  static constexpr int kBlockFrames = 1024;
  // The largest wave file that is played; a larger one is silence.
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

  // Opens the audio subsystem and the default audio device (SDL chooses the driver; the
  // SDL_AUDIODRIVER environment variable overrides it). Wave files are read through `files`, which
  // must outlive the output.
  explicit SdlSoundOutput(FileSystem& files);
  // Halts the sound, frees it and closes the device and the audio subsystem.
  ~SdlSoundOutput() override;

  SdlSoundOutput(const SdlSoundOutput&) = delete;
  SdlSoundOutput& operator=(const SdlSoundOutput&) = delete;

  // Loads the whole file, halts the sound playing (if any) and starts the new one from its first
  // sample, then returns; `loop` repeats it until `StopAll` or the next `PlayFile`. A file that
  // is missing, is no regular file (a pipe or a device is never waited on or read), cannot be read,
  // is larger than kMaxFileBytes or that SDL2_mixer cannot decode still halts the old sound and
  // plays nothing.
  void PlayFile(const std::string& path, bool loop) override;
  // Halts every sound at once. Nothing playing is fine.
  void StopAll() override;

  // Whether an audio device was opened; false means silent for ever.
  bool HasDevice() const { return device_open_; }

 private:
  void HaltAndFree();
  Mix_Chunk* Load(const std::string& path);

  FileSystem& files_;
  void* alsa_library_ = nullptr;
  bool subsystem_open_ = false;
  bool device_open_ = false;
  Mix_Chunk* chunk_ = nullptr;  // the sound on the channel; freed only once halted
};

}  // namespace game
