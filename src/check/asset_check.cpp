#include "check/asset_check.h"

#include "bmp/bmp_reader.h"
#include "contracts/app_error.h"

namespace game::check {
namespace {

std::string Size(int width, int height) {
  return std::to_string(width) + " by " + std::to_string(height);
}

std::string SizeJa(int width, int height) {
  return std::to_string(width) + "×" + std::to_string(height);
}

Message FrameSizeMessage(int width, int height, int want_width, int want_height) {
  if (width == 0 || height == 0) {
    return {
        "the frame is an empty bitmap (zero bytes): the game draws nothing for it and the "
        "picture keeps what was drawn before",
        "このフレームは空のビットマップ (0 バイト) です: ゲームは何も描かず、前に描いた絵が"
        "残ります"};
  }
  const bool smaller = width < want_width || height < want_height;
  return {"the frame is " + Size(width, height) + ", not " + Size(want_width, want_height) +
              (smaller ? ": the part of the picture it does not cover keeps what was drawn before"
                       : ": the part past the picture is cut off"),
          "フレームの大きさが " + SizeJa(width, height) + " で、" +
              SizeJa(want_width, want_height) + " ではありません" +
              (smaller ? ": 覆われない部分には前に描いた絵が残ります"
                       : ": 画面からはみ出た部分は切れます")};
}

}  // namespace

std::optional<Message> NotRegularFile(PathKind kind) {
  if (kind == PathKind::kFolder) {
    return Message{"this is a folder, not a file", "これはファイルではなくフォルダーです"};
  }
  if (kind == PathKind::kOther) {
    return Message{"this is not a regular file (a device, pipe or socket)",
                   "これは通常のファイルではありません (デバイス、パイプ、ソケット)"};
  }
  return std::nullopt;
}

void AddFrameFindings(StoryFolder& folder, CheckServices& services,
                      const std::vector<std::string>& frame_paths, int width, int height,
                      std::vector<Finding>& findings) {
  for (std::size_t i = 0; i < frame_paths.size(); ++i) {
    const std::string real = folder.RealPath(frame_paths[i]);
    const bool last = i + 1 == frame_paths.size();
    const Message after{last ? "" : " (and loads none of the frames after it)",
                        last ? "" : " (そのあとのフレームも読み込まれません)"};
    const PathKind kind = services.KindOf(real);
    if (auto not_file = NotRegularFile(kind)) {
      findings.push_back({real,
                          0,
                          0,
                          Severity::kError,
                          {not_file->en + ": the game cannot load this frame" + after.en,
                           not_file->ja + ": ゲームはこのフレームを読み込めません" + after.ja}});
      continue;
    }
    try {
      const DecodedBitmap bitmap = ReadBmpFile(folder, frame_paths[i]);
      if (bitmap.width != width || bitmap.height != height) {
        findings.push_back({real, 0, 0, Severity::kWarning,
                            FrameSizeMessage(bitmap.width, bitmap.height, width, height)});
      }
    } catch (const AppError& error) {
      const std::string quoted = ReportText(error.what());
      const Message cause = kind == PathKind::kMissing
                                ? Message{"the frame is missing", "フレームがありません"}
                                : Message{"the game's bitmap reader cannot load this frame",
                                          "ゲームのビットマップ読み込みがこのフレームを読めません"};
      findings.push_back({real,
                          0,
                          0,
                          Severity::kError,
                          {cause.en + ": at start-up the game shows \"" + quoted + "\"" + after.en,
                           cause.ja + ": 起動時に 「" + quoted + "」 が出ます" + after.ja}});
    }
  }
}

void AddSoundFindings(StoryFolder& folder, CheckServices& services,
                      const std::vector<SoundUse>& sounds, std::vector<Finding>& findings) {
  for (const SoundUse& sound : sounds) {
    const std::string real = folder.RealPath(sound.path);
    const PathKind kind = services.KindOf(real);
    Message problem;
    if (kind == PathKind::kMissing) {
      problem = {"the sound is missing", "音がありません"};
    } else if (auto not_file = NotRegularFile(kind)) {
      problem = *not_file;
    } else if (auto reason = services.SoundProblem(real)) {
      problem = {"the sound output cannot play this file (" + *reason + ")",
                 "音声出力はこのファイルを再生できません (" + *reason + ")"};
    } else {
      continue;
    }
    findings.push_back({real,
                        0,
                        0,
                        Severity::kError,
                        {problem.en + ": " + sound.purpose.en + " is silent",
                         problem.ja + ": " + sound.purpose.ja + "は無音になります"}});
  }
}

}  // namespace game::check
