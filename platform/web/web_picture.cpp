#include "web/web_picture.h"

#include <algorithm>
#include <vector>

#include "bmp/bmp_reader.h"
#include "story/game_texts.h"
#include "web/web_host.h"

namespace game {
namespace {

std::string FramePath(int index) { return "dat/a" + std::to_string(index) + ".bmp"; }

std::vector<std::uint8_t> ToRgba(const DecodedBitmap& bitmap) {
  const std::size_t pixels = bitmap.rgb.size() / 3;
  std::vector<std::uint8_t> rgba(pixels * 4);
  for (std::size_t i = 0; i < pixels; ++i) {
    std::copy_n(&bitmap.rgb[i * 3], 3, &rgba[i * 4]);
    rgba[i * 4 + 3] = 255;
  }
  return rgba;
}

}  // namespace

WebPicture::WebPicture(Random& random, const UnitStory& story, FileSystem& files,
                       TextDecoder& decoder)
    : random_(random), story_(story), files_(files), decoder_(decoder) {}

void WebPicture::InitGraphics() {
  ready_ = true;
  loaded_.fill(false);
  for (int index = 0; index < kFrameCount; ++index) LoadFrame(index);
  portrait_index_ = 0;
}

void WebPicture::LoadFrame(int index) {
  const DecodedBitmap bitmap = ReadBmpFile(files_, FramePath(index));
  const std::vector<std::uint8_t> rgba = ToRgba(bitmap);
  web_host::LoadFrame(index, bitmap.width, bitmap.height, rgba.data());
  loaded_[static_cast<std::size_t>(index)] = true;
}

void WebPicture::FreeGraphics() {
  ready_ = false;
  loaded_.fill(false);
  web_host::DropFrames();
}

bool WebPicture::FrameLoaded(int index) const {
  return index >= 0 && index < kFrameCount && loaded_[static_cast<std::size_t>(index)];
}

void WebPicture::SendPage() {
  if (page_sent_ && sent_revision_ == story_.PageRevision()) return;
  page_sent_ = true;
  sent_revision_ = story_.PageRevision();
  web_host::SetPage(
      sent_revision_,
      PageHeads(story_.PageLines(), story_.PageLineCount(), kVisibleLineBytes, decoder_),
      story_.PageLineCount());
}

void WebPicture::RenderFrame() {
  if (!ready_) return;
  SendPage();
  // Until the rules decide the whole picture (the portrait's wander and the heat strokes), the
  // page shows the current frame and the text.
  (void)random_;
  web_host::Paint(FrameLoaded(portrait_index_) ? portrait_index_ : -1, nullptr, 0);
}

}  // namespace game
