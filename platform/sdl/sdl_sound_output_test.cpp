// The sound output against the real SDL2_mixer, with SDL's disk audio driver standing in for the
// sound card: what the mixer plays lands in a file, in real time, silence included.
#include "platform/sdl/sdl_sound_output.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "tests/support/disk_audio_capture.h"
#include "tests/support/wave_encoder.h"

namespace game {
namespace {

// Wave files are read from the real disk.
PosixFileSystem real_files;

using testing::DiskAudioCapture;
using testing::EncodeWave;
using testing::Ramp;
using testing::SteadyLevel;
using testing::WaveEncoding;
using testing::WaveFormat;
using Samples = std::vector<std::int16_t>;

// Every wait on the output is bounded by this, however loaded the machine.
constexpr auto kWaitLimit = std::chrono::seconds(30);
// Bytes the mixer may have produced that are not on disk yet: the block being written, the
// file's write buffer, and one block of leeway.
constexpr std::uintmax_t kInFlightBytes = 4 * SdlSoundOutput::kBlockFrames * 4;

std::size_t FirstNonZero(const Samples& out) {
  return std::find_if(out.begin(), out.end(), [](std::int16_t s) { return s != 0; }) - out.begin();
}

// One past the last sample that is not 0; 0 when all are.
std::size_t EndOfSound(const Samples& out) {
  return out.rend() - std::find_if(out.rbegin(), out.rend(), [](std::int16_t s) { return s != 0; });
}

// How many samples from `start` on follow `sound` repeated over and over.
std::size_t MatchLength(const Samples& out, std::size_t start, const Samples& sound) {
  std::size_t n = 0;
  while (start + n < out.size() && out[start + n] == sound[n % sound.size()]) ++n;
  return n;
}

std::size_t SampleIndex(std::uintmax_t bytes) { return bytes / 2; }

class SdlSoundOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    output_ = std::make_unique<SdlSoundOutput>(real_files);
    ASSERT_TRUE(output_->HasDevice()) << "the disk audio driver did not open";
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    ASSERT_EQ(frequency, SdlSoundOutput::kFrequency);
    ASSERT_EQ(format, AUDIO_S16SYS);
    ASSERT_EQ(channels, SdlSoundOutput::kChannels);
  }

  std::string Wave(const std::string& name, const Samples& samples, const WaveFormat& format = {}) {
    return capture_.Folder().Write(name, EncodeWave(format, samples));
  }

  // Lets the output go on until `seconds` more of it than now are on disk.
  ::testing::AssertionResult RunOn(double seconds) {
    const std::uintmax_t target = capture_.Bytes() + DiskAudioCapture::BytesFor(seconds);
    if (capture_.WaitForBytes(target, kWaitLimit)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the output stopped growing at " << capture_.Bytes()
                                         << " bytes, waiting for " << target;
  }

  DiskAudioCapture capture_;  // before the output: it chooses the driver
  std::unique_ptr<SdlSoundOutput> output_;
};

TEST_F(SdlSoundOutputTest, PlaysTheFileSampleForSampleOnce) {
  const Samples sound = Ramp(4410);  // 0.1 s
  output_->PlayFile(Wave("ramp.wav", sound), false);
  ASSERT_TRUE(RunOn(0.4));

  const Samples out = capture_.Samples();
  const std::size_t start = FirstNonZero(out);
  ASSERT_LT(start, out.size()) << "nothing was played";
  EXPECT_EQ(start % 2, 0u) << "the left and right channels are swapped";
  EXPECT_EQ(MatchLength(out, start, sound), sound.size());
  EXPECT_EQ(EndOfSound(out), start + sound.size()) << "something after the sound";
}

TEST_F(SdlSoundOutputTest, ASecondSoundCutsOffTheFirst) {
  constexpr std::int16_t kFirstLevel = 50;  // a level the ramp never takes
  const Samples first = SteadyLevel(3 * SdlSoundOutput::kFrequency, 2, kFirstLevel);
  const Samples second = Ramp(4410);
  const std::string first_path = Wave("first.wav", first);
  const std::string second_path = Wave("second.wav", second);
  output_->PlayFile(first_path, false);
  output_->PlayFile(second_path, false);
  ASSERT_TRUE(RunOn(0.4));

  const Samples out = capture_.Samples();
  const auto second_start =
      std::find_if(out.begin(), out.end(),
                   [](std::int16_t s) { return s != 0 && s != kFirstLevel; }) -
      out.begin();
  ASSERT_LT(second_start, out.size()) << "the second sound was not played";
  const auto first_played = std::count(out.begin(), out.begin() + second_start, kFirstLevel);
  EXPECT_LT(first_played, first.size() / 2) << "the first sound was not cut off";
  EXPECT_EQ(MatchLength(out, second_start, second), second.size()) << "not the second sound alone";
  EXPECT_EQ(EndOfSound(out), second_start + second.size()) << "the first sound came back";
}

TEST_F(SdlSoundOutputTest, ALoopingSoundRepeatsUntilStopAll) {
  const Samples loop = Ramp(2205);  // 0.05 s
  output_->PlayFile(Wave("loop.wav", loop), true);
  ASSERT_TRUE(RunOn(0.6));
  const std::uintmax_t before_stop = capture_.Bytes();
  output_->StopAll();
  const std::uintmax_t after_stop = capture_.Bytes();
  ASSERT_TRUE(RunOn(0.3));

  const Samples out = capture_.Samples();
  const std::size_t start = FirstNonZero(out);
  const std::size_t end = EndOfSound(out);
  ASSERT_LT(start, end) << "nothing was played";
  EXPECT_EQ(MatchLength(out, start, loop), end - start) << "a gap or a foreign sample in the loop";
  EXPECT_GE(end - start, 8 * loop.size()) << "did not repeat";
  EXPECT_GE(end, SampleIndex(before_stop)) << "stopped before StopAll";
  EXPECT_LE(end, SampleIndex(after_stop + kInFlightBytes)) << "went on after StopAll";
}

TEST_F(SdlSoundOutputTest, NothingPlayableIsSilence) {
  output_->PlayFile(capture_.Folder() / "missing.wav", true);
  output_->StopAll();
  output_->PlayFile(capture_.Folder() / "missing.wav", false);
  ASSERT_TRUE(RunOn(0.3));
  EXPECT_EQ(EndOfSound(capture_.Samples()), 0u);
}

// A file that cannot be played halts the sound before it and plays nothing itself.
TEST_F(SdlSoundOutputTest, AnUnplayableFileSilencesTheSoundBefore) {
  const std::string loop = Wave("loop.wav", SteadyLevel(2205, 2, 1000), {});
  const std::string good = EncodeWave({}, SteadyLevel(2205, 2, 1000));
  std::string unknown_encoding = good;
  unknown_encoding[20] = 0x34;  // format tag 0x1234
  unknown_encoding[21] = 0x12;
  struct Bad {
    const char* what;
    std::string name;
    std::optional<std::string> bytes;  // none: the file does not exist
  };
  const Bad cases[] = {
      {"a missing file", "missing.wav", std::nullopt},
      {"an empty file", "empty.wav", ""},
      {"a text file", "text.wav", "not a sound at all\n"},
      {"a header cut short", "cut.wav", good.substr(0, 30)},
      {"an unknown encoding", "unknown.wav", unknown_encoding},
      {"a folder", "folder.wav", std::nullopt},
      {"a named pipe nobody writes to", "pipe.wav", std::nullopt},
  };
  std::filesystem::create_directory(capture_.Folder().Path() / "folder.wav");
  ASSERT_EQ(mkfifo((capture_.Folder() / "pipe.wav").c_str(), 0600), 0);
  for (const Bad& bad : cases) {
    SCOPED_TRACE(bad.what);
    const std::string path = capture_.Folder() / bad.name;
    if (bad.bytes) capture_.Folder().Write(bad.name, *bad.bytes);

    output_->PlayFile(loop, true);
    ASSERT_TRUE(RunOn(0.15));
    const std::uintmax_t before = capture_.Bytes();
    output_->PlayFile(path, false);
    const std::uintmax_t after = capture_.Bytes();
    ASSERT_TRUE(RunOn(0.3));

    const std::size_t end = EndOfSound(capture_.Samples());
    EXPECT_GE(end, SampleIndex(before)) << "the looping sound was not playing";
    EXPECT_LE(end, SampleIndex(after + kInFlightBytes)) << "sound after the unplayable file";
  }
}

// Each file holds a steady level for 0.1 s; the output must hold the same level on both channels
// for as long, whatever the encoding, rate or channel count.
TEST_F(SdlSoundOutputTest, ConvertsEveryWaveEncoding) {
  struct Case {
    const char* what;
    WaveFormat format;
    std::int16_t level;
  };
  const Case cases[] = {
      {"8-bit unsigned, mono, 22050 Hz", {WaveEncoding::kPcm8, 22050, 1}, -16384},
      {"8-bit unsigned, stereo, 44100 Hz", {WaveEncoding::kPcm8, 44100, 2}, 16384},
      {"16-bit, stereo, 48000 Hz", {WaveEncoding::kPcm16, 48000, 2}, 12000},
      {"24-bit, stereo, 44100 Hz", {WaveEncoding::kPcm24, 44100, 2}, -12000},
      {"32-bit, mono, 44100 Hz", {WaveEncoding::kPcm32, 44100, 1}, 20000},
      {"32-bit float, stereo, 32000 Hz", {WaveEncoding::kFloat32, 32000, 2}, -20000},
      {"IMA ADPCM, mono, 22050 Hz", {WaveEncoding::kImaAdpcm, 22050, 1}, 10000},
      {"Microsoft ADPCM, stereo, 44100 Hz", {WaveEncoding::kMsAdpcm, 44100, 2}, -10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t frames = c.format.frequency / 10;
    const std::string path =
        Wave("variant.wav", SteadyLevel(frames, c.format.channels, c.level), c.format);
    const std::size_t from = SampleIndex(capture_.Bytes());
    output_->PlayFile(path, false);
    ASSERT_TRUE(RunOn(0.4));

    const Samples out = capture_.Samples();
    const int tolerance = std::abs(c.level) / 50;
    const auto on_level = std::count_if(out.begin() + from, out.end(), [&](std::int16_t s) {
      return std::abs(s - c.level) <= tolerance;
    });
    const double seconds = double(testing::EncodedFrames(c.format, frames)) / c.format.frequency;
    const double expected = seconds * SdlSoundOutput::kFrequency * SdlSoundOutput::kChannels;
    EXPECT_NEAR(on_level, expected, expected * 0.05);
    const auto tail = out.end() - DiskAudioCapture::BytesFor(0.1) / 2;
    EXPECT_TRUE(std::all_of(tail, out.end(), [&](std::int16_t s) {
      return std::abs(s) < tolerance;
    })) << "not silent after the sound";
  }
}

// SDL would otherwise catch Ctrl+C and termination requests for its own event queue, which the
// program never reads.
TEST(SdlSoundOutputSignals, LeavesSignalHandlingToTheProgram) {
  DiskAudioCapture capture;
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    struct sigaction plain = {}, saved = {}, during = {};
    plain.sa_handler = SIG_DFL;
    sigaction(signal, &plain, &saved);
    {
      SdlSoundOutput output(real_files);
      ASSERT_TRUE(output.HasDevice());
      sigaction(signal, nullptr, &during);
    }
    sigaction(signal, &saved, nullptr);
    EXPECT_EQ(during.sa_handler, SIG_DFL);
  }
}

// Without an audio device the output is silent and says nothing, however SDL fails.
TEST(SdlSoundOutputWithoutDevice, StaysSilentAndQuiet) {
  struct Case {
    const char* what;
    std::optional<std::string> driver;
    std::optional<std::string> device;
  };
  const Case cases[] = {
      {"a driver SDL does not have", "no-such-driver", std::nullopt},
      {"ALSA without the sound card", "alsa", "hw:99"},
      {"the drivers SDL finds itself", std::nullopt, std::nullopt},
  };
  DiskAudioCapture folder;  // only for a playable file
  const std::string wave =
      folder.Folder().Write("steady.wav", EncodeWave({}, SteadyLevel(4410, 2, 1000)));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::ScopedEnv driver("SDL_AUDIODRIVER", c.driver);
    testing::ScopedEnv device("AUDIODEV", c.device);
    ::testing::internal::CaptureStderr();
    bool has_device = false;
    {
      SdlSoundOutput output(real_files);
      has_device = output.HasDevice();
      output.PlayFile(wave, true);
      output.StopAll();
      output.PlayFile(wave, false);
    }
    const std::string printed = ::testing::internal::GetCapturedStderr();
    if (has_device) continue;  // this machine has a sound card: nothing to check here
    EXPECT_EQ(printed, "");
  }
}

}  // namespace
}  // namespace game
