#include "platform/web/web_picture.h"

#include <algorithm>

#include "platform/web/web_host.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/scene/line_raster.h"
#include "rules/story/game_texts.h"
#include "rules/story/story_files.h"

namespace game {
namespace {

std::vector<std::uint8_t> ToRgba(const DecodedBitmap& bitmap) {
  const std::size_t pixels = bitmap.rgb.size() / 3;
  std::vector<std::uint8_t> rgba(pixels * 4);
  for (std::size_t i = 0; i < pixels; ++i) {
    std::copy_n(&bitmap.rgb[i * 3], 3, &rgba[i * 4]);
    rgba[i * 4 + 3] = 255;
  }
  return rgba;
}

std::int32_t Packed(Rgb colour) {
  return (std::int32_t{colour.red} << 16) | (std::int32_t{colour.green} << 8) | colour.blue;
}

}  // namespace

WebPicture::WebPicture(Random& random, const UnitStory& story, FileSystem& files,
                       TextDecoder& decoder)
    : story_(story), files_(files), decoder_(decoder), scene_(random, story) {}

void WebPicture::InitGraphics() {
  ready_ = true;
  painted_ = false;
  scene_.ForgetFrames();
  for (int index = 0; index < UnitScene::kFrameCount; ++index) LoadFrame(index);
  scene_.SetPortrait(0);
}

void WebPicture::LoadFrame(int index) {
  std::vector<std::uint8_t>& rgba = frames_[index];
  std::vector<std::uint8_t>().swap(rgba);
  const DecodedBitmap bitmap =
      ReadBmpFile(files_, story_files::FramePath(index), UnitScene::kShownPart);
  rgba = ToRgba(bitmap);
  web_host::LoadFrame(index, bitmap.width, bitmap.height, rgba.data());
  scene_.SetFrameLoaded(index, bitmap.width, bitmap.height);
}

std::string_view WebPicture::VisibleHead(std::string_view line) {
  return ByteHead(line, kVisibleLineBytes);
}

void WebPicture::FreeGraphics() {
  ready_ = false;
  painted_ = false;
  scene_.ForgetFrames();
  // The page lets go of its views before the bytes go.
  web_host::DropFrames();
  for (std::vector<std::uint8_t>& frame : frames_) std::vector<std::uint8_t>().swap(frame);
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

bool WebPicture::ShowsAlready(const Scene& scene) const {
  // Painting over a frame smaller than the picture draws the text again over the last tick's,
  // so only a whole frame or a blank gives the same pixels twice.
  const bool whole = scene.blank || scene_.FrameCoversPicture(scene.frame);
  return painted_ && whole && !scene.heat && !shown_.heat && scene.blank == shown_.blank &&
         scene.frame == shown_.frame && scene.page_revision == shown_.page_revision;
}

void WebPicture::RenderFrame() {
  // The scene ticks even with nothing to paint on, as the desktop's renderer does.
  const Scene& scene = scene_.RenderTick();
  if (!ready_) return;
  SendPage();
  if (ShowsAlready(scene)) return;
  painted_ = true;
  shown_.blank = scene.blank;
  shown_.frame = scene.frame;
  shown_.page_revision = scene.page_revision;
  shown_.heat = scene.heat;
  pixels_.clear();
  for (const StrokeSegment& stroke : scene.strokes) {
    const std::int32_t colour = Packed(stroke.colour);
    RasterLine(stroke.x0, stroke.y0, stroke.x1, stroke.y1, UnitScene::kWidth, UnitScene::kHeight,
               [this, colour](int x, int y) {
                 pixels_.insert(pixels_.end(), {x, y, colour});
               });
  }
  web_host::Paint(scene.blank ? -1 : scene.frame, pixels_.data(),
                  static_cast<int>(pixels_.size() / 3));
}

}  // namespace game
