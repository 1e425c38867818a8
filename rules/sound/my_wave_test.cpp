#include "rules/sound/my_wave.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/fakes/fakes.h"

namespace game {
namespace {

using fakes::FakeSoundOutput;
using fakes::PlayedSound;

enum class Call { kPlay, kPlayLooping, kStop, kInit, kDone };

struct Step {
  Call call;
  std::string file;  // for the two plays
};

struct Case {
  const char* what;
  std::vector<Step> steps;
  std::vector<PlayedSound> played;
  int stops;
  std::string current;
  bool looping;
};

void Apply(MyWave& wave, const Step& step) {
  switch (step.call) {
    case Call::kPlay:
      return wave.PlayWave(step.file, false);
    case Call::kPlayLooping:
      return wave.PlayWave(step.file, true);
    case Call::kStop:
      return wave.StopWave();
    case Call::kInit:
      return wave.SoundInit();
    case Call::kDone:
      return wave.SoundDone();
  }
}

TEST(MyWave, ForwardsEachCallAndKeepsTheLastStartedSound) {
  const Case cases[] = {
      {"nothing yet", {}, {}, 0, "", false},
      {"one sound, names passed unchanged",
       {{Call::kPlay, "dat\\up.wav"}},
       {{"dat\\up.wav", false}},
       0,
       "dat\\up.wav",
       false},
      {"a looping sound",
       {{Call::kPlayLooping, "dat/bgm.wav"}},
       {{"dat/bgm.wav", true}},
       0,
       "dat/bgm.wav",
       true},
      {"the second of two quick sounds is the current one",
       {{Call::kPlayLooping, "a.wav"}, {Call::kPlay, "b.wav"}},
       {{"a.wav", true}, {"b.wav", false}},
       0,
       "b.wav",
       false},
      {"a missing file is still remembered",
       {{Call::kPlay, "no/such.wav"}},
       {{"no/such.wav", false}},
       0,
       "no/such.wav",
       false},
      {"stop clears both fields",
       {{Call::kPlayLooping, "a.wav"}, {Call::kStop, ""}},
       {{"a.wav", true}},
       1,
       "",
       false},
      {"stop with nothing playing still asks the output", {{Call::kStop, ""}}, {}, 1, "", false},
      {"start-up stops",
       {{Call::kPlayLooping, "a.wav"}, {Call::kInit, ""}},
       {{"a.wav", true}},
       1,
       "",
       false},
      {"shutdown stops",
       {{Call::kPlayLooping, "a.wav"}, {Call::kDone, ""}},
       {{"a.wav", true}},
       1,
       "",
       false},
      {"a sound after a stop",
       {{Call::kInit, ""}, {Call::kPlay, "up.wav"}, {Call::kStop, ""}, {Call::kPlay, "suka.wav"}},
       {{"up.wav", false}, {"suka.wav", false}},
       2,
       "suka.wav",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeSoundOutput out;
    MyWave wave(out);
    for (const Step& step : c.steps) Apply(wave, step);
    EXPECT_EQ(out.played, c.played);
    EXPECT_EQ(out.stops, c.stops);
    EXPECT_EQ(wave.CurrentWave(), c.current);
    EXPECT_EQ(wave.WaveLooping(), c.looping);
  }
}

// The output sees the new name already recorded, so whatever it does (even reaching back into the
// player) finds the sound it is asked to play.
TEST(MyWave, RecordsTheSoundBeforeHandingItToTheOutput) {
  struct Observing : FakeSoundOutput {
    void PlayFile(const std::string& path, bool loop) override {
      FakeSoundOutput::PlayFile(path, loop);
      seen_current = player->CurrentWave();
      seen_looping = player->WaveLooping();
    }
    const MyWave* player = nullptr;
    std::string seen_current;
    bool seen_looping = false;
  };
  Observing out;
  MyWave wave(out);
  out.player = &wave;
  wave.PlayWave("loop.wav", true);
  EXPECT_EQ(out.seen_current, "loop.wav");
  EXPECT_TRUE(out.seen_looping);
}

}  // namespace
}  // namespace game
