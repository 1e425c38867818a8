#include "platform/audio/sound_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace game {

std::string SoundModuleBesideProgram() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / kSoundModuleFile).string();
}

std::unique_ptr<SoundOutput> MakeSoundFromModule(const std::string& path, FileSystem& files) {
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return nullptr;
  using Maker = SoundOutput* (*)(FileSystem*);
  auto make = reinterpret_cast<Maker>(dlsym(module, kSoundModuleMaker));
  return std::unique_ptr<SoundOutput>(make != nullptr ? make(&files) : nullptr);
}

}  // namespace game
