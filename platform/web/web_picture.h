// The picture in the browser: the six portrait frames are read here (the rules' BMP reader), held
// here as the RGBA pixels the page's canvas draws, and lent to the page (which keeps no copy); on
// every tick of the render slot the rules' scene decides what the picture shows (the frame or a
// blank, the page's lines, the heat strokes), and the page paints it: the frame, the lines (sent
// when the page changes), then the strokes' pixels, rasterised here by the rules' line rasteriser.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "rules/contracts/file_system.h"
#include "rules/contracts/random.h"
#include "rules/contracts/text_decoder.h"
#include "rules/scene/unit_scene.h"
#include "rules/session/session_picture.h"
#include "rules/story/unit_story.h"

namespace game {

class WebPicture : public SessionPicture {
 public:
  // The most bytes of a page line the page is given: more than the widest line of the narrowest
  // characters that fits between the text's left edge and the picture's right edge.
  static constexpr std::size_t kVisibleLineBytes = 400;

  // The generator, the story, the files and the decoder must outlive the picture.
  WebPicture(Random& random, const UnitStory& story, FileSystem& files, TextDecoder& decoder);

  // Loads the frames from dat/a0.bmp to dat/a5.bmp, lending each to the page, then shows
  // portrait 0. A frame that cannot be loaded throws the reader's error; the frames after it are
  // not loaded.
  void InitGraphics() override;
  // Releases the frames (the page drops its views of them first). Safe at any time, more than
  // once.
  void FreeGraphics() override;
  // One tick of the render slot: the scene's tick, painted by the page (once InitGraphics has
  // begun and until FreeGraphics). A tick whose picture is the one already on the screen (the same
  // whole frame or blank, the same page, no heat before or now) is not painted again: an idle tab
  // then paints only when the portrait moves.
  void RenderFrame() override;

  std::int32_t& PortraitIndex() override { return scene_.PortraitIndex(); }
  // The page cannot measure the text here: the first kVisibleLineBytes bytes (ByteHead).
  std::string_view VisibleHead(std::string_view line) override;

 private:
  void LoadFrame(int index);
  void SendPage();
  bool ShowsAlready(const Scene& scene) const;

  const UnitStory& story_;
  FileSystem& files_;
  TextDecoder& decoder_;
  UnitScene scene_;
  bool ready_ = false;
  std::uint64_t sent_revision_ = 0;
  bool page_sent_ = false;
  // What the screen shows since the last paint (painted_ is false before the first one).
  bool painted_ = false;
  Scene shown_;
  std::vector<std::int32_t> pixels_;  // (x, y, 0xRRGGBB) for each heat pixel, reused
  // The frames as RGBA, each held once: the page draws straight from these bytes.
  std::array<std::vector<std::uint8_t>, UnitScene::kFrameCount> frames_;
};

}  // namespace game
