// The picture in the browser: the six portrait frames are read here (the rules' BMP reader) and
// handed to the page once; every tick of the render slot then tells the page what to show (the
// frame or a blank, the page's lines when they changed, the heat pixels), and the page paints.
// What the picture shows is the rules' decision; this only carries it to the page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "contracts/file_system.h"
#include "contracts/random.h"
#include "contracts/text_decoder.h"
#include "story/unit_story.h"

namespace game {

class WebPicture {
 public:
  static constexpr int kFrameCount = 6;
  // The most bytes of a page line the page is given: more than the widest line of the narrowest
  // characters that fits between the text's left edge and the picture's right edge.
  static constexpr std::size_t kVisibleLineBytes = 400;

  // The generator, the story, the files and the decoder must outlive the picture.
  WebPicture(Random& random, const UnitStory& story, FileSystem& files, TextDecoder& decoder);

  // Loads the frames from dat/a0.bmp to dat/a5.bmp, handing each to the page, then shows
  // portrait 0. A frame that cannot be loaded throws the reader's error; the frames after it are
  // not loaded.
  void InitGraphics();
  // Releases the frames (the page drops them). Safe at any time, more than once.
  void FreeGraphics();
  // One tick of the render slot.
  void RenderFrame();

  std::int32_t& PortraitIndex() { return portrait_index_; }
  bool FrameLoaded(int index) const;

 private:
  void LoadFrame(int index);
  void SendPage();

  Random& random_;
  const UnitStory& story_;
  FileSystem& files_;
  TextDecoder& decoder_;
  std::array<bool, kFrameCount> loaded_{};
  bool ready_ = false;  // between InitGraphics and FreeGraphics
  std::int32_t portrait_index_ = -1;
  std::uint64_t sent_revision_ = 0;
  bool page_sent_ = false;
};

}  // namespace game
