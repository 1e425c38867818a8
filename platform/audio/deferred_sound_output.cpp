#include "platform/audio/deferred_sound_output.h"

#include <utility>

namespace game {

DeferredSoundOutput::DeferredSoundOutput(Maker make) : make_(std::move(make)) {}

DeferredSoundOutput::~DeferredSoundOutput() {
  if (making_.valid()) making_.wait();
}

void DeferredSoundOutput::Prepare() {
  if (making_.valid() || output_) return;
  making_ = std::async(std::launch::async, [make = make_]() -> std::unique_ptr<SoundOutput> {
    try {
      return make();
    } catch (...) {
      return nullptr;  // silence, as without a device
    }
  });
}

SoundOutput* DeferredSoundOutput::Made() {
  if (!output_) {
    Prepare();
    output_ = making_.get();
  }
  return output_->get();
}

void DeferredSoundOutput::PlayFile(const std::string& path, bool loop) {
  if (SoundOutput* output = Made()) output->PlayFile(path, loop);
}

void DeferredSoundOutput::StopAll() {
  if (output_ && *output_) (*output_)->StopAll();
}

}  // namespace game
