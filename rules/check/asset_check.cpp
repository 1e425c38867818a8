#include "rules/check/asset_check.h"

#include <algorithm>

#include "rules/bmp/bmp_error_text.h"
#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/app_error.h"

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
        "このフレームは空のビットマップ (0 バイト) です。ゲームは何も描かず、前に描いた絵が"
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

// What the player gets when the start-up stops at frame `failed`: the start-up's later steps (the
// other frames, the special-move button's caption, the story) do not run, the portrait index stays
// at "no frame yet", which draws white, and the first ＞次へ meets the empty story's end.
Message StartUpStops(const StoryFolder& folder, const std::vector<std::string>& frame_paths,
                     std::size_t failed) {
  Message picture{"the picture is blank white", "絵は真っ白です"};
  if (failed > 0) {
    const std::string loaded = failed == 1 ? folder.RealPath(frame_paths[0])
                                           : folder.RealPath(frame_paths[0]) + " to " +
                                                 folder.RealPath(frame_paths[failed - 1]);
    const std::string loaded_ja = failed == 1 ? folder.RealPath(frame_paths[0])
                                              : folder.RealPath(frame_paths[0]) + " から " +
                                                    folder.RealPath(frame_paths[failed - 1]);
    picture = {"the picture starts blank white, and as the portrait wanders it shows " + loaded +
                   " and white for the rest",
               "絵は真っ白で始まり、立ち絵が動くと " + loaded_ja + " を、それ以外では白を出します"};
  }
  return {
      " at start-up and stops its start-up there: it loads no frame after this one and no "
      "story, " +
          picture.en +
          ", the special-move button reads \"BtnLX\", and the first press of ＞次へ ends "
          "the game",
      "。起動はそこで止まり、このあとのフレームも物語も読み込まれません。" + picture.ja +
          "。必殺技のボタンは「BtnLX」のままで、最初に ＞次へ を押すとゲームが終わります"};
}

// Why the game's start-up gets no frame from the file at `real`.
Message FrameCause(CheckServices& services, const std::string& real, PathKind kind,
                   const BmpError& error) {
  if (kind == PathKind::kMissing) {
    const Message hint = OtherCaseHint(services, real).value_or(Message{});
    return {"the frame is missing" + hint.en, "フレームがありません" + hint.ja};
  }
  const Message reason = DescribeBmpError(error);
  return {"the game's bitmap reader cannot load this frame (" + reason.en + ")",
          "ゲームのビットマップ読み込みがこのフレームを読めません (" + reason.ja + ")"};
}

// A frame after the one that stops the start-up: the game never gets to it.
Message NotReached(const std::string& stop) {
  return {" once " + stop + " loads (the start-up stops at " + stop + " before it gets here)",
          " (" + stop + " が読み込めるようになったときの話です。今は起動がその前に " + stop +
              " で止まります)"};
}

}  // namespace

bool SameButForCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<Message> OtherCaseHint(CheckServices& services, const std::string& real_path) {
  const std::size_t slash = real_path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : real_path.substr(0, slash);
  const std::string name = slash == std::string::npos ? real_path : real_path.substr(slash + 1);
  std::vector<std::string> names = services.NamesIn(folder);
  std::sort(names.begin(), names.end());
  for (const std::string& other : names) {
    if (other == name || !SameButForCase(other, name)) continue;
    return Message{" (\"" + other +
                       "\" is there, a name that differs only in case: the game "
                       "looks for \"" +
                       name + "\" exactly; rename the file)",
                   " (大文字と小文字だけが違う「" + other + "」があります。ゲームは「" + name +
                       "」を名前どおりに探すので、ファイルの名前を変えてください)"};
  }
  return std::nullopt;
}

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

std::string AddFrameFindings(StoryFolder& folder, CheckServices& services,
                             const std::vector<std::string>& frame_paths, int width, int height,
                             std::vector<Finding>& findings) {
  std::string stop;  // the frame at which the game's start-up stops
  for (std::size_t i = 0; i < frame_paths.size(); ++i) {
    const std::string real = folder.RealPath(frame_paths[i]);
    const PathKind kind = services.KindOf(real);
    std::optional<Message> problem = NotRegularFile(kind);
    if (!problem) {
      try {
        // Read as the game reads it, keeping the part that shows, but sized as the file claims.
        BmpSize claimed;
        ReadBmpFile(folder, frame_paths[i], BmpKeep{width, height}, &claimed);
        if (claimed.width != width || claimed.height != height) {
          findings.push_back({real, 0, 0, Severity::kWarning,
                              FrameSizeMessage(claimed.width, claimed.height, width, height)});
        }
        continue;
      } catch (const BmpError& error) {
        const std::string quoted = ReportText(error.what());
        const Message cause = FrameCause(services, real, kind, error);
        problem = Message{cause.en + ": the game shows \"" + quoted + "\"",
                          cause.ja + "。ゲームは「" + quoted + "」と表示します"};
      }
    } else {
      problem = Message{problem->en + ": the game cannot load this frame",
                        problem->ja + ": ゲームはこのフレームを読み込めません"};
    }
    const Message consequence =
        stop.empty() ? StartUpStops(folder, frame_paths, i) : NotReached(stop);
    findings.push_back({real,
                        0,
                        0,
                        Severity::kError,
                        {problem->en + consequence.en, problem->ja + consequence.ja}});
    if (stop.empty()) stop = real;
  }
  return stop;
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
