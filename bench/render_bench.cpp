// One tick of the render slot with a full page (five lines) and the heat strokes on: composing
// the picture in the back buffer, and the block copy to the paint box (copy and repaint), apart
// and together; the parts of composing; and a plain 500 x 300 x 3 memory copy as the floor.
// Composing is also timed on pages with one line of 1 MB and of 100 MB (Japanese text without a
// break), which should cost what a page of short lines does: the text is laid out once per page
// and frame, and only what shows of a line is ever decoded and shaped.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise (xcb with DISPLAY set
// measures the copy to a real X server).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_app.h"
#include "platform/graphics/fake_paint_target.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/folder_file_system.h"
#include "platform/window/paint_box.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/silent_services.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace game;
namespace fs = std::filesystem;

// The heat command comes first: the page ends at its fifth line, before anything after it.
constexpr char kPage[] =
    "#heatOn\n"
    "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x41\x83\x8A\x83\x80\x82\xC5\x82\xB7\x81\x42\n"
    "Tonight the club opens the seventh drawer.\n"
    "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xD6\x90\x69\x82\xDE\x82\xC6\n"
    "WWWW WWWW WWWW WWWW\n"
    "\x81\x9A\x82\x60\x82\x61\x82\x62\x81\x9A\n"
    "\n";

// Six 500 by 300 frames with some detail, written to a dat/ of a folder of its own.
void WriteFrames(const fs::path& folder) {
  fs::create_directories(folder / "dat");
  for (int index = 0; index < UnitBmp::kFrameCount; ++index) {
    DecodedBitmap frame{UnitBmp::kWidth, UnitBmp::kHeight, {}};
    for (int y = 0; y < UnitBmp::kHeight; ++y) {
      for (int x = 0; x < UnitBmp::kWidth; ++x) {
        frame.rgb.insert(frame.rgb.end(), {std::uint8_t(x / 2 + index * 9),
                                           std::uint8_t(y / 2 + 60), std::uint8_t((x ^ y) & 0x3F)});
      }
    }
    WriteBmpFile((folder / story_files::FramePath(index)).string(), frame, BmpEncoding::kRgb24);
  }
}

// The five-line page with its third line made `bytes` of "あ".
std::string LongLinePage(std::size_t bytes) {
  const std::string_view page = kPage;
  const std::size_t third = page.find('\n', page.find("drawer."));
  const std::size_t fourth = page.find('\n', third + 1);
  std::string long_page(page.substr(0, third + 1));
  long_page.reserve(bytes + page.size());
  for (std::size_t i = 0; i < bytes / 2; ++i) long_page += "\x82\xA0";
  return long_page.append(page.substr(fourth));
}

// A renderer over a page (by default five lines with the heat on), its frames loaded.
class Scene {
 public:
  explicit Scene(PaintTarget& screen, std::string_view page = kPage)
      : bmp_(random_, story_, screen, files_) {
    WriteFrames(folder_.Path());
    bmp_.InitGraphics();
    script_.LoadFromBytes(page, false);
    story_.StepStory();
  }
  UnitBmp& Bmp() { return bmp_; }

 private:
  bool application_ = (BenchApp(), true);  // before any font is made
  fakes::SilentServices outside_;
  testing::TempDir folder_;
  fakes::FolderFileSystem files_{folder_.Path().string()};
  MyScript script_{files_, outside_, outside_};
  UnitStory story_{script_, outside_, outside_, outside_};
  Random random_{12345};
  UnitBmp bmp_;
};

std::unique_ptr<PaintBox> ShownPaintBox() {
  BenchApp();
  auto box = std::make_unique<PaintBox>();
  box->setFixedSize(UnitBmp::kWidth, UnitBmp::kHeight);
  box->show();
  QCoreApplication::processEvents();
  return box;
}

void BM_RenderFrame_Compose(benchmark::State& state) {
  fakes::FakePaintTarget screen;
  Scene scene(screen);
  for (auto _ : state) scene.Bmp().RenderFrame();
}
BENCHMARK(BM_RenderFrame_Compose);

// The same tick on a page with one long line of state.range(0) bytes.
void BM_RenderFrame_ComposeLongLine(benchmark::State& state) {
  fakes::FakePaintTarget screen;
  Scene scene(screen, LongLinePage(static_cast<std::size_t>(state.range(0))));
  for (auto _ : state) scene.Bmp().RenderFrame();
}
BENCHMARK(BM_RenderFrame_ComposeLongLine)->Arg(1'000'000)->Arg(100'000'000);

void BM_RenderFrame_CopyToScreen(benchmark::State& state) {
  fakes::FakePaintTarget no_screen;
  Scene scene(no_screen);
  scene.Bmp().RenderFrame();
  const std::unique_ptr<PaintBox> box = ShownPaintBox();
  for (auto _ : state) box->BlockCopy(scene.Bmp().BackBuffer());
}
BENCHMARK(BM_RenderFrame_CopyToScreen);

void BM_RenderFrame_Whole(benchmark::State& state) {
  const std::unique_ptr<PaintBox> box = ShownPaintBox();
  Scene scene(*box);
  for (auto _ : state) scene.Bmp().RenderFrame();
}
BENCHMARK(BM_RenderFrame_Whole);

// The parts of composing.
void BM_RenderFrame_PartCopyWhole(benchmark::State& state) {
  fakes::FakePaintTarget screen;
  Scene scene(screen);
  for (auto _ : state) CopyWhole(scene.Bmp().BackBuffer(), scene.Bmp().PortraitFrames()[0]);
}
BENCHMARK(BM_RenderFrame_PartCopyWhole);

void BM_RenderFrame_PartPageLines(benchmark::State& state) {
  fakes::FakePaintTarget screen;
  Scene scene(screen);
  for (auto _ : state) scene.Bmp().DrawPageLines();
}
BENCHMARK(BM_RenderFrame_PartPageLines);

void BM_RenderFrame_PartHeat(benchmark::State& state) {
  fakes::FakePaintTarget screen;
  Scene scene(screen);
  for (auto _ : state) scene.Bmp().DrawHeat();
}
BENCHMARK(BM_RenderFrame_PartHeat);

// The floor: the back buffer's bytes copied once, nothing else.
void BM_RenderFrame_FloorMemcpy(benchmark::State& state) {
  const std::size_t bytes = std::size_t{UnitBmp::kWidth} * UnitBmp::kHeight * 3;
  std::vector<std::uint8_t> from(bytes, 0x5A), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RenderFrame_FloorMemcpy);

}  // namespace
