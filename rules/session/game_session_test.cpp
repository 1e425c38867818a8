#include "rules/session/game_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/bmp/bmp_reader.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/fakes.h"
#include "rules/scene/unit_scene.h"
#include "rules/session/save_settling.h"
#include "rules/story/story_files.h"

namespace game {
namespace {

// A picture that reads its frames as a host's does and writes what happens to it into `log`.
class LoggedPicture : public SessionPicture {
 public:
  LoggedPicture(FileSystem& files, std::vector<std::string>& log) : files_(files), log_(log) {}
  void InitGraphics() override {
    log_.push_back("frames");
    for (int i = 0; i < UnitScene::kFrameCount; ++i) ReadBmpFile(files_, story_files::FramePath(i));
    portrait = 0;
  }
  void FreeGraphics() override { log_.push_back("free"); }
  void RenderFrame() override { ++renders; }
  std::int32_t& PortraitIndex() override { return portrait; }
  std::string_view VisibleHead(std::string_view line) override { return line.substr(0, 4); }

  std::int32_t portrait = -1;
  int renders = 0;

 private:
  FileSystem& files_;
  std::vector<std::string>& log_;
};

class LoggedWindow : public SessionWindow {
 public:
  explicit LoggedWindow(std::vector<std::string>& log) : log_(log) {}
  void PostPrivateMessage(int message) override { log_.push_back(std::to_string(message)); }
  void SizeAndCentre() override { log_.push_back("size"); }
  void PlacePage() override { log_.push_back("page"); }

 private:
  std::vector<std::string>& log_;
};

class LoggedSound : public SoundOutput {
 public:
  explicit LoggedSound(std::vector<std::string>& log) : log_(log) {}
  void PlayFile(const std::string& path, bool) override { log_.push_back(path); }
  void StopAll() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};

std::string FrameBytes(std::uint8_t shade) {
  const DecodedBitmap picture{2, 1, std::vector<std::uint8_t>(6, shade)};
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture, BmpEncoding::kRgb24);
  return {bytes.begin(), bytes.end()};
}

const std::string kStory = "A1\nA2\n\n@b\nB1\n#trap @c\n\n@c\nC1\n#end\n";
const std::string kStoryPath = UnitStory::kStoryPath;
const std::string kFrame3 = story_files::FramePath(3);
const SpecialButtonView kSevenLeft{true, "★７", "必殺技ルクサリム（残り7回）"};

class GameSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.files[kStoryPath] = kStory;
    for (int i = 0; i < UnitScene::kFrameCount; ++i) {
      files.files[story_files::FramePath(i)] = FrameBytes(static_cast<std::uint8_t>(40 * i));
    }
  }
  SessionOutcome Start() { return session.Start(picture, window, 7); }
  std::string Said(SavedChanges changes, Language language = Language::kEnglish) {
    return session.ReadSaved(changes, language).said;
  }

  std::vector<std::string> log;
  fakes::FakeClock clock;
  fakes::FakePump pump;
  fakes::FakeTermination termination;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeErrorDialog errors;
  LoggedSound sound{log};
  fakes::FakeFileSystem files;
  GameSession session{{clock, pump, termination, boxes, errors, sound, files}};
  LoggedPicture picture{files, log};
  LoggedWindow window{log};
};

TEST_F(GameSessionTest, StartRunsTheStartUpInItsOrderAndReturnsTheButtonAndTheEmptyPage) {
  const SessionOutcome outcome = Start();
  EXPECT_EQ(log, (std::vector<std::string>{"size", "1034", "stop", "page", "frames"}));
  EXPECT_EQ(session.RandomGenerator().Seed(), 7u);
  ASSERT_EQ(session.Time().TimerSlots().size(), 1u);
  EXPECT_EQ(session.Time().TimerSlots()[kRenderSlot].Interval, kRenderIntervalMs);
  EXPECT_EQ(outcome.button, kSevenLeft);
  EXPECT_EQ(outcome.page, "（文章なし）");
  EXPECT_EQ(session.Script().ScriptCount(), 11);  // ten lines and the end marker
  EXPECT_TRUE(session.Started());
  EXPECT_FALSE(outcome.end_requested);
  session.Destroy();
  session.Destroy();
  EXPECT_EQ(log.back(), "stop");
  EXPECT_EQ(std::count(log.begin(), log.end(), "free"), 1);
}

TEST_F(GameSessionTest, NextSpecialAndTheEndReturnWhatTheyDid) {
  Start();
  const SessionOutcome first = session.Next();
  EXPECT_EQ(first.page, "A1\nA2");
  EXPECT_FALSE(first.button);
  // A miss: the count, the button and what a screen reader says; the page stays and is not read.
  const SessionOutcome miss = session.Special();
  EXPECT_EQ(miss.miss, "はずれ。残り6回");
  EXPECT_EQ(miss.uses_left, 6);
  EXPECT_EQ(miss.button->caption, "★６");
  EXPECT_FALSE(miss.page);
  EXPECT_EQ(log.back(), UnitStory::kMissSound);
  // The trap's page, answered: the new page is read out, the portrait is back at frame 0.
  EXPECT_EQ(session.Next().page, "B1");
  picture.portrait = 4;
  const SessionOutcome answer = session.Special();
  EXPECT_FALSE(answer.miss);
  EXPECT_EQ(answer.page, "ルク\nわた");  // what the picture shows of each line
  EXPECT_EQ(picture.portrait, 0);
  EXPECT_EQ(log.back(), UnitStory::kRisingSound);
  // C1 and the end: the next press ends the game.
  EXPECT_EQ(session.Next().page, "C1");
  EXPECT_TRUE(session.Next().end_requested);
  EXPECT_EQ(session.Pass(), -1);
}

TEST_F(GameSessionTest, APassAsksForTheNextTickOfTheRenderSlot) {
  Start();
  const struct {
    std::int32_t now;
    int renders;
    int wait;
  } passes[] = {{0, 0, 51}, {50, 0, 1}, {51, 1, 51}, {60, 1, 42}, {102, 2, 51}};
  for (const auto& pass : passes) {
    clock.time = pass.now;
    EXPECT_EQ(session.Pass(), pass.wait) << pass.now;
    EXPECT_EQ(picture.renders, pass.renders) << pass.now;
  }
}

TEST_F(GameSessionTest, AStartUpThatFailedGoesOnOnceTheFileIsMendedAndPlayStartsAtPageOne) {
  const struct {
    const char* name;
    std::function<void(fakes::FakeFileSystem&)> break_it;
    std::function<void(fakes::FakeFileSystem&)> mend;
    SavedChanges saved;
    bool button_set_at_start;
  } cases[] = {
      {"a frame missing",
       [](auto& f) { f.files.erase(kFrame3); },
       [](auto& f) { f.files[kFrame3] = FrameBytes(9); },
       {.frames = true},
       false},
      {"a story over the size limit",
       [](auto& f) { f.claimed_sizes[kStoryPath] = MyScript::kMaxFileBytes + 1; },
       [](auto& f) { f.claimed_sizes.clear(); },
       {.story = true},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::FakeFileSystem broken = files;
    c.break_it(broken);
    std::vector<std::string> trace;
    GameSession game{{clock, pump, termination, boxes, errors, sound, broken}};
    LoggedPicture shown{broken, trace};
    EXPECT_EQ(game.Start(shown, window, 1).button.has_value(), c.button_set_at_start);
    EXPECT_FALSE(game.Started());
    // A save that mends nothing says so and changes nothing.
    EXPECT_NE(game.ReadSaved(c.saved, Language::kEnglish).said.find("does not load"),
              std::string::npos);
    EXPECT_FALSE(game.Started());
    c.mend(broken);
    const ReloadOutcome mended = game.ReadSaved(c.saved, Language::kEnglish);
    EXPECT_NE(mended.said.find("went on"), std::string::npos) << mended.said;
    EXPECT_TRUE(game.Started());
    if (!c.button_set_at_start) {
      EXPECT_EQ(mended.outcome.button, kSevenLeft);
    }
    EXPECT_EQ(game.Next().page, "A1\nA2");
    EXPECT_EQ(termination.requests, 0);
    game.Destroy();
  }
}

TEST_F(GameSessionTest, ASavedStoryReadsOnFromTheSamePlaceAndAnEmptyOneIsHeldBack) {
  Start();
  session.Next();
  files.files[kStoryPath] = "A1\nA2\n\n@b\nN1\nN2\n\n";
  EXPECT_NE(Said({.story = true}).find("read anew: 0 errors"), std::string::npos);
  // The editor truncated the file and has not written it yet.
  files.files[kStoryPath] = "";
  EXPECT_EQ(Said({.story = true}),
            "luxarim: dat/story.txt holds no line: it is held back until a later save; the story "
            "read before goes on.\n");
  EXPECT_EQ(session.Next().page, "N1\nN2");
  files.files.erase(kStoryPath);
  const std::string gone = Said({.story = true}, Language::kJapanese);
  EXPECT_NE(gone.find("dat/story.txt を読み込めません。ファイルが見つかりません。"),
            std::string::npos)
      << gone;
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(GameSessionTest, AHalfWrittenFrameIsHeldBackAndTheFramesShownGoOn) {
  Start();
  const std::string whole = files.files[kFrame3];
  files.files[kFrame3] = whole.substr(0, whole.size() / 2);
  const struct {
    Language language;
    std::string said;
  } held[] = {
      {Language::kEnglish, "luxarim: dat/a3.bmp does not load: "},
      {Language::kJapanese, "luxarim: dat/a3.bmp を読み込めません。"},
  };
  for (const auto& h : held) {
    EXPECT_EQ(Said({.frames = true}, h.language).substr(0, h.said.size()), h.said);
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "frames"), 1);  // never loaded again
  files.files[kFrame3] = whole;
  EXPECT_EQ(Said({.frames = true}, Language::kJapanese), "luxarim: 立ち絵を読み直しました。\n");
  EXPECT_EQ(std::count(log.begin(), log.end(), "frames"), 2);
}

// What an editor's save looks like to the folder: the file's stamp follows its bytes.
class EditedFiles : public FileStamps {
 public:
  explicit EditedFiles(fakes::FakeFileSystem& files) : files_(files) {}
  FileStamp StampOf(const std::string& path) override {
    const auto file = files_.files.find(path);
    if (file == files_.files.end()) return {};
    return {.exists = true,
            .size = static_cast<std::int64_t>(file->second.size()),
            .modified_ns = modified_ms[path] * 1000000};
  }
  void Write(const std::string& path, std::string bytes, std::int32_t now) {
    files_.files[path] = std::move(bytes);
    modified_ms[path] = now;
  }
  std::map<std::string, std::int64_t> modified_ms;

 private:
  fakes::FakeFileSystem& files_;
};

TEST_F(GameSessionTest, ATruncatePauseWriteSaveIsReadOnceWholeAndNeverAsAnEmptyStory) {
  const std::string edited = "A1\nA2\n\n@b\nE1\n";
  for (const std::int32_t pause : {0, 100, 250, 1000}) {
    SCOPED_TRACE(pause);
    fakes::FakeFileSystem disk = files;
    std::vector<std::string> trace;
    GameSession game{{clock, pump, termination, boxes, errors, sound, disk}};
    LoggedPicture shown{disk, trace};
    game.Start(shown, window, 1);
    EditedFiles editor(disk);
    SaveSettling settling(editor, kStoryPath, {});
    // The save: truncate at 0, write the whole story after the pause; each stirs the folder.
    std::vector<std::pair<std::int32_t, std::string>> writes = {{0, ""}, {pause, edited}};
    std::string said;
    int reads = 0;
    for (std::int32_t now = 0; now < 3000; ++now) {
      for (const auto& [at, bytes] : writes) {
        if (at != now) continue;
        editor.Write(kStoryPath, bytes, now);
        settling.Stirred(now);
      }
      if (settling.LookDueIn(now).value_or(1) > 0) continue;
      const SavedChanges changes = settling.Look(now);
      if (!changes.Any()) continue;
      ++reads;
      said += game.ReadSaved(changes, Language::kEnglish).said;
      EXPECT_LE(now, pause + 2 * SaveSettling::kQuietMs) << "read late";
    }
    EXPECT_NE(said.find("read anew: 0 errors"), std::string::npos) << said;
    EXPECT_EQ(game.Script().ScriptCount(), 6);  // the edited story, never the empty one
    // A pause longer than the quiet period shows the empty file once: it is held back.
    EXPECT_EQ(reads, pause > SaveSettling::kQuietMs ? 2 : 1) << said;
    EXPECT_EQ(said.find("held back") != std::string::npos, pause > SaveSettling::kQuietMs);
    game.Destroy();
  }
}

TEST_F(GameSessionTest, WarpStartsAtALabelOrALineAndRefusesNoPlace) {
  Start();
  const WarpOutcome to_c = session.WarpTo("@c", Language::kEnglish);
  EXPECT_TRUE(to_c.applied) << to_c.said;
  EXPECT_EQ(session.Next().page, "C1");
  const WarpOutcome to_line = session.WarpTo("5", Language::kEnglish);
  EXPECT_TRUE(to_line.applied);
  EXPECT_EQ(session.Next().page, "B1");
  const WarpOutcome nowhere = session.WarpTo("@nowhere", Language::kEnglish);
  EXPECT_FALSE(nowhere.applied);
  EXPECT_NE(nowhere.said.find("@nowhere"), std::string::npos);
  EXPECT_EQ(session.Next().page, "C1");  // reading went on where it was
}

}  // namespace
}  // namespace game
