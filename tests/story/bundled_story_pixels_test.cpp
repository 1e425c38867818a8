// The bundled story's pictures, tick by tick, for a fixed seed: a fingerprint of every picture the
// screen is given. Any change to what the renderer decides (the portrait's wander, the strokes'
// points and colours and the order they draw the random numbers in, blank frames) or to how it
// paints (frames, text, stroke pixels) shows as a changed fingerprint. The text depends on the
// installed font (IPA P Gothic here).
//
// When a page's fingerprint differs, the test says which page and which tick of it changed (by the
// fingerprint of every tick, kept in bundled_story_ticks.txt beside this file) and writes that
// tick's picture as a BMP file. The expected picture comes from a build where the test passes, run
// with GAME_PIXEL_DUMP="FOLDER RUN PAGE TICK" (the failure message gives the line): it writes the
// same tick's picture there. GAME_PIXEL_TICKS_UPDATE=1 writes the ticks' file anew.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/graphics/fake_paint_target.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/folder_file_system.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/contracts/app_error.h"
#include "rules/fakes/silent_services.h"
#include "rules/sound/my_wave.h"
#include "rules/story/unit_story.h"

namespace game {
namespace {

// FNV-1a over every picture added, its size included.
class Fingerprint {
 public:
  void Add(const OffscreenBitmap& picture) {
    Mix(static_cast<std::uint64_t>(picture.Width()) << 32 | std::uint32_t(picture.Height()));
    for (int y = 0; y < picture.Height(); ++y) {
      const std::uint8_t* row = picture.Row(y);
      for (int i = 0; i < picture.Width() * 3; ++i) Mix(row[i]);
    }
  }
  std::uint64_t hash = 14695981039346656037ull;

 private:
  void Mix(std::uint64_t value) {
    hash ^= value;
    hash *= 1099511628211ull;
  }
};

// The bundled files, except the frames from `first_missing` on, which are not there.
void HideFramesFrom(fakes::FolderFileSystem& files, int first_missing) {
  for (int i = first_missing; i < UnitBmp::kFrameCount; ++i) {
    files.open_errors[story_files::FramePath(i)] = ENOENT;
  }
}

constexpr int kTicksPerPage = 30;

// What one run painted: a fingerprint per page (all its ticks' pictures in turn), and that
// fingerprint as it stood after each tick.
struct RunPictures {
  std::vector<std::uint64_t> pages;
  std::vector<std::vector<std::uint32_t>> ticks;  // [page][tick]
};

// A tick of a run: which page (from 0) and which of its ticks.
struct TickPlace {
  int page = 0;
  int tick = 0;
};

DecodedBitmap Copied(const OffscreenBitmap& picture) {
  DecodedBitmap copy{picture.Width(), picture.Height(), {}};
  for (int y = 0; y < picture.Height(); ++y) {
    copy.rgb.insert(copy.rgb.end(), picture.Row(y), picture.Row(y) + picture.Width() * 3);
  }
  return copy;
}

// Plays the bundled story page by page, 30 ticks a page; the picture of tick `keep` goes to
// `kept`.
RunPictures PlayRun(bool answer_traps, int first_missing_frame,
                    std::optional<TickPlace> keep = std::nullopt, DecodedBitmap* kept = nullptr) {
  fakes::SilentServices outside;
  MyWave wave(outside);
  fakes::FolderFileSystem files(GAME_SOURCE_DIR);
  HideFramesFrom(files, first_missing_frame);
  MyScript script(files, outside, outside);
  UnitStory story(script, outside, outside, outside);
  Random random(20261207);
  RunPictures run;
  Fingerprint page;
  fakes::FakePaintTarget screen;
  screen.on_copy = [&](const OffscreenBitmap& picture) {
    page.Add(picture);
    // The page's fingerprint so far: the first tick that differs changes it and all after it.
    run.ticks.back().push_back(static_cast<std::uint32_t>(page.hash));
    const int page_index = static_cast<int>(run.ticks.size()) - 1;
    const int tick_index = static_cast<int>(run.ticks.back().size()) - 1;
    if (keep && kept && keep->page == page_index && keep->tick == tick_index) {
      *kept = Copied(picture);
    }
  };
  UnitBmp bmp(random, story, screen, files);
  try {
    bmp.InitGraphics();
  } catch (const AppError&) {
    // The frames from the missing one on stay unloaded: drawn as blank frames.
  }
  story.LoadStory();
  while (!outside.Terminated() && run.pages.size() < 500) {
    story.StepStory();
    if (answer_traps && story.TrapArmed()) story.TrapResponse(wave, bmp.PortraitIndex());
    page = Fingerprint();
    run.ticks.emplace_back();
    for (int tick = 0; tick < kTicksPerPage; ++tick) bmp.RenderFrame();
    run.pages.push_back(page.hash);
  }
  return run;
}

std::string AsSource(const std::vector<std::uint64_t>& pages) {
  std::string text;
  char item[32];
  for (const std::uint64_t hash : pages) {
    std::snprintf(item, sizeof item, "0x%016llxull, ", static_cast<unsigned long long>(hash));
    text += item;
  }
  return text;
}

const std::string kTicksFile = GAME_SOURCE_DIR "/tests/story/bundled_story_ticks.txt";

// The ticks' file: a line a page, "RUN PAGE: TICK TICK ...", pages and runs from 1, the ticks'
// fingerprints in hexadecimal.
std::string TickLines(int run_index, const RunPictures& run) {
  std::string lines;
  char item[16];
  for (std::size_t page = 0; page < run.ticks.size(); ++page) {
    lines += std::to_string(run_index + 1) + " " + std::to_string(page + 1) + ":";
    for (const std::uint32_t tick : run.ticks[page]) {
      std::snprintf(item, sizeof item, " %08x", static_cast<unsigned>(tick));
      lines += item;
    }
    lines += "\n";
  }
  return lines;
}

std::vector<std::vector<std::uint32_t>> StoredTicks(int run_index) {
  std::vector<std::vector<std::uint32_t>> pages;
  std::ifstream in(kTicksFile);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    int run = 0;
    int page = 0;
    char colon = 0;
    if (!(fields >> run >> page >> colon) || run != run_index + 1) continue;
    pages.resize(static_cast<std::size_t>(std::max<int>(page, static_cast<int>(pages.size()))));
    for (std::uint32_t tick = 0; fields >> std::hex >> tick;) {
      pages[static_cast<std::size_t>(page - 1)].push_back(tick);
    }
  }
  return pages;
}

// The first tick whose picture changed on the first page whose fingerprint did; nothing when the
// run only has fewer pages.
std::optional<TickPlace> FirstChange(const std::vector<std::uint64_t>& expected,
                                     const RunPictures& now,
                                     const std::vector<std::vector<std::uint32_t>>& stored) {
  for (std::size_t page = 0; page < now.pages.size(); ++page) {
    if (page < expected.size() && expected[page] == now.pages[page]) continue;
    const std::vector<std::uint32_t>& ticks = now.ticks[page];
    int tick = 0;
    while (page < stored.size() && tick + 1 < static_cast<int>(ticks.size()) &&
           static_cast<std::size_t>(tick) < stored[page].size() &&
           stored[page][static_cast<std::size_t>(tick)] == ticks[static_cast<std::size_t>(tick)]) {
      ++tick;
    }
    return TickPlace{static_cast<int>(page), tick};
  }
  return std::nullopt;
}

std::string PictureName(int run_index, TickPlace place, const char* which) {
  return "run" + std::to_string(run_index + 1) + "-page" + std::to_string(place.page + 1) +
         "-tick" + std::to_string(place.tick + 1) + "-" + which + ".bmp";
}

struct Case {
  const char* name;
  bool answer_traps;
  int first_missing_frame;
  std::vector<std::uint64_t> expected;
};

// Says which tick of which page changed and writes its picture now.
void ExplainChange(int run_index, const Case& run, const RunPictures& now) {
  const std::optional<TickPlace> place = FirstChange(run.expected, now, StoredTicks(run_index));
  if (!place) return;  // fewer pages: the fingerprints' message says so
  DecodedBitmap actual;
  PlayRun(run.answer_traps, run.first_missing_frame, place, &actual);
  const char* chosen = std::getenv("GAME_PIXEL_DIFF_DIR");
  const std::filesystem::path folder =
      chosen ? std::filesystem::path(chosen) : std::filesystem::current_path() / "pixel_changes";
  std::filesystem::create_directories(folder);
  const std::string written = (folder / PictureName(run_index, *place, "actual")).string();
  WriteBmpFile(written, actual, BmpEncoding::kRgb24);
  ADD_FAILURE() << run.name << ": page " << place->page + 1 << " (after " << place->page + 1
                << " presses of Next), tick " << place->tick + 1 << " of " << kTicksPerPage
                << " is another picture now: " << written
                << ". For the expected picture, run story_tests of a build where this test "
                   "passes with GAME_PIXEL_DUMP='"
                << folder.string() << " " << run_index + 1 << " " << place->page + 1 << " "
                << place->tick + 1 << "' --gtest_filter=BundledStoryPixels.*";
}

// GAME_PIXEL_DUMP="FOLDER RUN PAGE TICK" (each from 1): writes that tick's picture as expected.
template <std::size_t N>
void DumpExpectedTick(const Case (&runs)[N], const std::string& request) {
  std::istringstream fields(request);
  std::string folder;
  int run = 0;
  TickPlace place;
  if (!(fields >> folder >> run >> place.page >> place.tick) || run < 1 ||
      run > static_cast<int>(N)) {
    ADD_FAILURE() << "GAME_PIXEL_DUMP wants \"FOLDER RUN PAGE TICK\", not " << request;
    return;
  }
  --place.page;
  --place.tick;
  DecodedBitmap expected;
  const Case& chosen = runs[run - 1];
  PlayRun(chosen.answer_traps, chosen.first_missing_frame, place, &expected);
  std::filesystem::create_directories(folder);
  WriteBmpFile(folder + "/" + PictureName(run - 1, place, "expected"), expected,
               BmpEncoding::kRgb24);
}

TEST(BundledStoryPixels, EveryTickOfEveryPageKeepsItsPicture) {
  const Case runs[] = {
      {"traps passed, all frames",
       false,
       UnitBmp::kFrameCount,
       {0xc897db455f93d411ull, 0xbd90fdf5f854d1cdull, 0x679b99925c2d599cull, 0x96f4be515b701262ull,
        0x46136557fdabc598ull, 0xb9a9ab7429bed263ull, 0x5e98576dfa434612ull, 0x28a07054d4baef1dull,
        0xed93e65fb091ed02ull, 0x088dde2096703cd5ull, 0x1eaf4b00b379483bull, 0xd9998f21d3dbc72aull,
        0xc7e7c259a768b938ull, 0x9f2006805f6bce0dull, 0x86b3f96aa1277468ull, 0x0800e344e27931beull,
        0x67dc6a1f82fc4e85ull, 0x9bf8fde03411218bull, 0x257bbfe6098433fdull, 0xa5eb8c337490cf83ull,
        0x4e7694821782bc4aull, 0x719b3073a9cb217eull, 0xcb3484578f9d892full, 0xe1a5bbeee7b2bfd8ull,
        0x549771f49b70d8a7ull, 0x863850302aeefdb4ull, 0x935893d6ee5dee3aull, 0x80ace5925aa52a13ull,
        0xc3f18206cd4f46a9ull, 0x947d04ea7469e184ull, 0xacf05968f56c9c31ull, 0x9e48cff2fc6d8fe2ull,
        0x9fe4714b9b4acc1cull, 0xc06ca9a8f49aea77ull, 0x8fec464e9488fc01ull, 0xf44447b2b73af8fcull,
        0xe1549cf3ae47cf0dull, 0x9eb45ba0fa98bc63ull}},
      {"traps answered, all frames",
       true,
       UnitBmp::kFrameCount,
       {0xc897db455f93d411ull, 0xbd90fdf5f854d1cdull, 0x679b99925c2d599cull,
        0x96f4be515b701262ull, 0x46136557fdabc598ull, 0xb9a9ab7429bed263ull,
        0x5e98576dfa434612ull, 0x28a07054d4baef1dull, 0xed93e65fb091ed02ull,
        0x477ee6c2ad615b28ull, 0xff510f98fb30dbd3ull, 0xe0b465b595d51dd4ull,
        0xfc4b376a611bd8b0ull, 0xfb7efc6d685c845bull, 0xccad9877983aaef0ull,
        0xcdccd40b8b8a61dcull, 0x36dd8588a185a3abull, 0x3ad29e63abac9145ull,
        0x7aec34a4b162f653ull, 0x4f448cee6a9aae89ull, 0x057e6b0b4be570eeull,
        0x44ec5656530d4adaull, 0x8e10cb593de23a03ull, 0x0aa84bae06715d0cull,
        0xd793fc47acc51b95ull, 0x88c7af4cc1bd4662ull, 0xd4105b3c5d621086ull,
        0x98caaff8df5cd7e1ull, 0x9d7cd79249686558ull, 0x76d21182fb4953a9ull,
        0xfebaa1ad2b2e7be7ull, 0xe744aead9f5e5c99ull, 0x3c8bc7f179e1040aull,
        0x4d4256eac148c0bdull, 0x6ff728f26a47b595ull, 0x13e97d5677b5525eull,
        0x52f9b296ebb1ab68ull, 0xa5cd641fa01f4196ull, 0x6308fd656ec17bdbull,
        0x1e4bbd76c7fece3cull}},
      {"traps passed, frames 3 to 5 missing",
       false,
       3,
       {0xcb7b54dd4e37db4full, 0xbd90fdf5f854d1cdull, 0x217e3ff265659416ull, 0x3a0665a8652b5520ull,
        0xf01c2714528ffc29ull, 0x47566380dab0abf9ull, 0xf530b4e78b3c419aull, 0x28a07054d4baef1dull,
        0xed93e65fb091ed02ull, 0x088dde2096703cd5ull, 0x1eaf4b00b379483bull, 0xd9998f21d3dbc72aull,
        0x62f68669e3bd0ed5ull, 0x926b78216b58b14bull, 0xa509c1c8fc15c594ull, 0x78c09f20a59e0ed6ull,
        0xdccbd8524d0b3addull, 0xf9327bb730bf7c45ull, 0xa9ece630003621daull, 0xa5eb8c337490cf83ull,
        0x5af36febfb596013ull, 0x573b28be1b8ae7e1ull, 0xc34e8ea0f9e49f1bull, 0x9f66a9beb4ce31b5ull,
        0x890c1ff2974cada5ull, 0x863850302aeefdb4ull, 0x5baea90ce1c70832ull, 0x3a22b384953efaedull,
        0xc3f18206cd4f46a9ull, 0x947d04ea7469e184ull, 0xacf05968f56c9c31ull, 0x9e48cff2fc6d8fe2ull,
        0x829e7b7329e5fa85ull, 0xefe29f7319277365ull, 0xad867eafac3aeda3ull, 0x0918b238b1e9a395ull,
        0x7ecaed1205f9edf6ull, 0xb47c43056e827102ull}},
      {"traps answered, no frames",
       true,
       0,
       {0xae8e66442aa69617ull, 0x8d2b420eb04eaaedull, 0x70c4a1a9f268ccbfull,
        0x6dadbd6b4b79ea11ull, 0x7f7c68bbb14afecdull, 0x298b52cb68cb01f9ull,
        0xdc6717e6901ed535ull, 0x2552acbc3f44262bull, 0x463a99d281db5bebull,
        0x323aae97e90e11edull, 0x61e5518b9af7a4afull, 0x817ad8809651fec5ull,
        0x7a0c87cb2182fc77ull, 0x7190eb29e76e8511ull, 0xfd14740280456de5ull,
        0x613d749760c032c7ull, 0x94fba36d7b6eb29full, 0x817ad8809651fec5ull,
        0x39a5245072b88ad9ull, 0x8f3665e5f39b94c1ull, 0x323aae97e90e11edull,
        0x0b818e1deb112237ull, 0xb14e78f705ca449dull, 0x1e5008009c17d37dull,
        0x3a22b384953efaedull, 0x6ade89a6c933082bull, 0x439d77287da20013ull,
        0x800b91283991490bull, 0xc3050044f5ffe377ull, 0xefa018d105ea1bd5ull,
        0x323aae97e90e11edull, 0xc0c0b43ba416a5cbull, 0xaf97225a9dbde061ull,
        0x2f4f2baa40607d85ull, 0xf188ce07140b40d7ull, 0xe3042c79c95f1e0dull,
        0x272ece41bb4a8e5dull, 0xa54b2cad94edb3cbull, 0xb14bef02dc8f24a5ull,
        0xb14bef02dc8f24a5ull}},
  };
  if (const char* dump = std::getenv("GAME_PIXEL_DUMP")) DumpExpectedTick(runs, dump);
  const bool update = std::getenv("GAME_PIXEL_TICKS_UPDATE") != nullptr;
  std::string tick_lines;
  for (int i = 0; i < static_cast<int>(std::size(runs)); ++i) {
    const Case& run = runs[i];
    SCOPED_TRACE(run.name);
    const RunPictures now = PlayRun(run.answer_traps, run.first_missing_frame);
    tick_lines += TickLines(i, now);
    EXPECT_GE(now.pages.size(), 10u);
    EXPECT_EQ(now.pages, run.expected) << "now: " << AsSource(now.pages);
    if (now.pages != run.expected) ExplainChange(i, run, now);
  }
  if (update) std::ofstream(kTicksFile, std::ios::binary) << tick_lines;
}

}  // namespace
}  // namespace game
