#include "platform/audio/deferred_sound_output.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

#include "rules/fakes/fakes.h"

namespace game {
namespace {

using fakes::FakeSoundOutput;
using fakes::PlayedSound;

// The output a maker hands over: a fake that `made` points to, for the test to read while the
// deferred output that owns it lives.
std::unique_ptr<SoundOutput> MakeFake(FakeSoundOutput*& made) {
  auto output = std::make_unique<FakeSoundOutput>();
  made = output.get();
  return output;
}

TEST(DeferredSoundOutput, MakesTheOutputOnceOnAnotherThreadAndPlaysThroughIt) {
  FakeSoundOutput* speaker = nullptr;
  int made = 0;
  std::thread::id maker_thread;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  DeferredSoundOutput output([&]() -> std::unique_ptr<SoundOutput> {
    ++made;
    maker_thread = std::this_thread::get_id();
    released.wait();
    return MakeFake(speaker);
  });
  output.StopAll();  // nothing made yet, so nothing plays: nothing to make either
  output.Prepare();  // returns although the making waits
  output.Prepare();
  release.set_value();
  output.PlayFile("dat/up.wav", false);
  output.StopAll();
  output.PlayFile("dat/suka.wav", true);
  EXPECT_EQ(made, 1);
  EXPECT_NE(maker_thread, std::this_thread::get_id());
  ASSERT_NE(speaker, nullptr);
  EXPECT_EQ(speaker->played,
            (std::vector<PlayedSound>{{"dat/up.wav", false}, {"dat/suka.wav", true}}));
  EXPECT_EQ(speaker->stops, 1);
}

TEST(DeferredSoundOutput, PlayingUnpreparedMakesItFirstAndAFailedMakingIsSilence) {
  FakeSoundOutput* speaker = nullptr;
  DeferredSoundOutput unprepared([&] { return MakeFake(speaker); });
  unprepared.PlayFile("dat/up.wav", false);
  ASSERT_NE(speaker, nullptr);
  EXPECT_EQ(speaker->played, (std::vector<PlayedSound>{{"dat/up.wav", false}}));

  const DeferredSoundOutput::Maker failing[] = {
      [] { return std::unique_ptr<SoundOutput>(); },
      []() -> std::unique_ptr<SoundOutput> { throw std::runtime_error("no audio"); },
  };
  for (const auto& make : failing) {
    DeferredSoundOutput silent(make);
    silent.Prepare();
    silent.PlayFile("dat/up.wav", false);
    silent.StopAll();
  }
}

}  // namespace
}  // namespace game
