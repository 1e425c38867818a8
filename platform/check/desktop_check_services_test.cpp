#include "platform/check/desktop_check_services.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/posix/posix_file_system.h"
#include "platform/sdl/sdl_sound_output.h"
#include "tests/support/disk_audio_capture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_encoder.h"

namespace game::check {
namespace {

TEST(DesktopCheckServices, TellsFilesFoldersAndTheRest) {
  const testing::TempDir dir;
  DesktopCheckServices services;
  const std::string file = dir.Write("story.txt", "A\n");
  std::filesystem::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(services.KindOf(file), PathKind::kRegularFile);
  EXPECT_EQ(services.KindOf(dir / "folder"), PathKind::kFolder);
  EXPECT_EQ(services.KindOf(dir / "pipe"), PathKind::kOther);
  EXPECT_EQ(services.KindOf(dir / "none"), PathKind::kMissing);
  EXPECT_EQ(services.KindOf(file + "/below"), PathKind::kMissing);
}

TEST(DesktopCheckServices, ListsTheNamesInAFolder) {
  const testing::TempDir dir;
  DesktopCheckServices services;
  dir.Write("A0.BMP", "");
  std::filesystem::create_directory(dir / "Sub");
  std::vector<std::string> names = services.NamesIn(dir.Path().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A0.BMP", "Sub"}));
  EXPECT_TRUE(services.NamesIn(dir / "none").empty());
}

TEST(DesktopCheckServices, KnowsCodePage932ByTheDrawingDecoder) {
  DesktopCheckServices services;
  const struct {
    std::string bytes;
    bool character;
  } cases[] = {
      {"\x82\xA0", true},  // あ
      {"\x87\x40", true},  // ① (NEC row 13)
      {"\xF0\x40", true},  // user-defined
      {"\xB1", true},      // half-width ｱ
      {"Ctrl-Z\x1a\x82\xA0", true},
      {"\x85\x40", false},  // unassigned
      {"\xEF\xBB", false},  // a UTF-8 byte-order mark's first bytes
      {"\x80", false},
      {"\xFD", false},
      {"\x82", false},  // a lead byte alone
  };
  for (const auto& c : cases) EXPECT_EQ(services.IsCp932(c.bytes), c.character) << c.bytes;
}

// The characters `iconv -f UTF-8 -t CP932` converts, which the checker's advice relies on.
TEST(DesktopCheckServices, KnowsWhichCharactersTheConversionCanWrite) {
  DesktopCheckServices services;
  EXPECT_TRUE(services.HasCp932Form("\xE3\x81\x82"));       // あ
  EXPECT_TRUE(services.HasCp932Form("\xE2\x91\xA0"));       // ① (NEC row 13)
  EXPECT_TRUE(services.HasCp932Form("\xEF\xBD\xB1"));       // half-width ｱ
  EXPECT_FALSE(services.HasCp932Form("\xE2\x99\xA1"));      // ♡
  EXPECT_FALSE(services.HasCp932Form("\xF0\x9F\x8C\x9F"));  // an emoji
  EXPECT_FALSE(services.HasCp932Form("\xEF\xBB\xBF"));      // the byte-order mark
}

TEST(DesktopCheckServices, PlaysWhatTheSoundOutputCanLoad) {
  const testing::TempDir dir;
  DesktopCheckServices services;
  const std::string wave =
      dir.Write("up.wav", testing::EncodeWave({testing::WaveEncoding::kImaAdpcm, 22050, 1},
                                              testing::SteadyLevel(4096, 1, 1000)));
  EXPECT_EQ(services.SoundProblem(wave), std::nullopt);
  EXPECT_NE(services.SoundProblem(dir.Write("text.wav", "not a sound at all\n")), std::nullopt);
  EXPECT_NE(services.SoundProblem(dir / "missing.wav"), std::nullopt);
}

// The checker's silent driver is its own: the game's output, opened later in the same process,
// plays on the driver the environment names.
TEST(DesktopCheckServices, LeavesTheSoundDriverToTheOutputOpenedAfterIt) {
  {
    DesktopCheckServices services;
    services.SoundProblem("missing.wav");
  }
  const testing::DiskAudioCapture capture;
  PosixFileSystem files;
  const SdlSoundOutput output(files);
  ASSERT_TRUE(output.HasDevice());
  EXPECT_TRUE(
      capture.WaitForBytes(testing::DiskAudioCapture::BytesFor(0.1), std::chrono::seconds(5)))
      << "the output did not open the disk driver";
}

}  // namespace
}  // namespace game::check
