// The sound module as the game loads it: the built luxarim_sound.so, playing through SDL's disk
// audio driver.
#include "platform/audio/sound_module.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/support/disk_audio_capture.h"
#include "tests/support/wave_encoder.h"

namespace game {
namespace {

TEST(SoundModule, MakesAnOutputThatPlaysOrNothingWhenItIsMissing) {
  PosixFileSystem files;
  EXPECT_EQ(MakeSoundFromModule("/nonexistent/luxarim_sound.so", files), nullptr);

  testing::DiskAudioCapture capture;
  const std::string wave = capture.Folder().Write(
      "up.wav", testing::EncodeWave({}, testing::SteadyLevel(4410, 2, 4000)));
  std::unique_ptr<SoundOutput> output =
      MakeSoundFromModule(std::string(GAME_TOOLS_DIR) + "/" + kSoundModuleFile, files);
  ASSERT_NE(output, nullptr);
  // The program's file errors reach the module's copy of the rules library: still silence.
  EXPECT_NO_THROW(output->PlayFile(capture.Folder() / "missing.wav", false));
  EXPECT_NO_THROW(output->PlayFile(capture.Folder().Path().string(), false));
  output->PlayFile(wave, false);
  ASSERT_TRUE(
      capture.WaitForBytes(testing::DiskAudioCapture::BytesFor(0.3), std::chrono::seconds(30)));
  const std::vector<std::int16_t> heard = capture.Samples();
  EXPECT_NE(std::find(heard.begin(), heard.end(), 4000), heard.end());
}

}  // namespace
}  // namespace game
