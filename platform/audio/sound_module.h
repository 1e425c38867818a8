// The sound module: the SDL sound output (sdl/sdl_sound_output.h) built as a loadable module of its
// own, so that the game does not load SDL, SDL2_mixer and the many libraries they bring (decoders,
// sound servers) when it starts, only when a sound is first wanted.
#pragma once

#include <memory>
#include <string>

#include "rules/contracts/file_system.h"
#include "rules/contracts/sound_output.h"

namespace game {

// The module's file name, and the function it exports:
// `SoundOutput* game_make_sound_output(FileSystem* files)`, which returns a new output that the
// caller owns and that reads its wave files through `files`.
inline constexpr char kSoundModuleFile[] = "luxarim_sound.so";
inline constexpr char kSoundModuleMaker[] = "game_make_sound_output";

// The path of the module in the folder of the running program.
std::string SoundModuleBesideProgram();

// Loads the module at `path` and makes its output (which opens the audio device), reading wave
// files through `files`, which must outlive the output. Null when the
// module cannot be loaded or has no maker: the game is then silent. The module stays loaded for
// the rest of the process.
std::unique_ptr<SoundOutput> MakeSoundFromModule(const std::string& path, FileSystem& files);

}  // namespace game
