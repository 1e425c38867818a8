#include "platform/audio/deferred_sound_output.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <thread>

#include "tests/support/fakes.h"

namespace game {
namespace {

using testing::FakeSoundOutput;
using testing::PlayedSound;

// The output a maker hands over: every call goes on to a fake the test keeps.
class Forward : public SoundOutput {
 public:
  explicit Forward(SoundOutput& to) : to_(to) {}
  void PlayFile(const std::string& path, bool loop) override { to_.PlayFile(path, loop); }
  void StopAll() override { to_.StopAll(); }

 private:
  SoundOutput& to_;
};

TEST(DeferredSoundOutput, MakesTheOutputOnceOnAnotherThreadAndPlaysThroughIt) {
  FakeSoundOutput speaker;
  int made = 0;
  std::thread::id maker_thread;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  DeferredSoundOutput output([&]() -> std::unique_ptr<SoundOutput> {
    ++made;
    maker_thread = std::this_thread::get_id();
    released.wait();
    return std::make_unique<Forward>(speaker);
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
  EXPECT_EQ(speaker.played,
            (std::vector<PlayedSound>{{"dat/up.wav", false}, {"dat/suka.wav", true}}));
  EXPECT_EQ(speaker.stops, 1);
}

TEST(DeferredSoundOutput, PlayingUnpreparedMakesItFirstAndAFailedMakingIsSilence) {
  FakeSoundOutput speaker;
  DeferredSoundOutput unprepared([&] { return std::make_unique<Forward>(speaker); });
  unprepared.PlayFile("dat/up.wav", false);
  EXPECT_EQ(speaker.played, (std::vector<PlayedSound>{{"dat/up.wav", false}}));

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
