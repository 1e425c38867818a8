#include "rules/check/story_save.h"

#include "rules/check/encoding.h"
#include "rules/text/line_match.h"
#include "rules/text/sjis_decoder.h"
#include "rules/text/sjis_encoder.h"
#include "rules/text/utf8.h"

namespace game::check {
namespace {

struct FileLine {
  std::string_view content;  // without its ending
  std::string_view ending;   // "\r\n", "\n", or "" for the last line
};

std::vector<FileLine> SplitFile(std::string_view bytes) {
  std::vector<FileLine> lines;
  for (;;) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back({bytes, {}});
      return lines;
    }
    const bool crlf = end > 0 && bytes[end - 1] == '\r';
    lines.push_back(
        {bytes.substr(0, crlf ? end - 1 : end), bytes.substr(crlf ? end - 1 : end, crlf ? 2 : 1)});
    bytes.remove_prefix(end + 1);
  }
}

std::vector<std::string_view> SplitEdited(std::string_view text) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

// The ending most of the file's lines have; CR LF for a new file.
std::string_view UsualEnding(const std::vector<FileLine>& lines) {
  int crlf = 0, lf = 0;
  for (const FileLine& line : lines) {
    if (line.ending == "\r\n") ++crlf;
    if (line.ending == "\n") ++lf;
  }
  return lf > crlf ? "\n" : "\r\n";
}

std::string Utf8Of(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

Finding Refusal(const std::string& path, int line, std::size_t index, char32_t c) {
  const std::string character = Utf8Of(c);
  const std::string name = "\"" + character + "\" (" + CodePointName(character) + ")";
  return {path,
          line,
          static_cast<int>(index) + 1,
          Severity::kError,
          {name + " has no Shift-JIS (code page 932) form: the file is not saved; replace it "
                  "with a character Shift-JIS has",
           name + " には Shift_JIS (CP932) の形がありません。ファイルは保存されて"
                  "いません。Shift_JIS にある文字に置き換えてください"}};
}

class Planner {
 public:
  Planner(std::string_view original, std::string_view edited, const std::string& path)
      : file_(SplitFile(original)),
        edited_(SplitEdited(edited)),
        path_(path),
        usual_ending_(UsualEnding(file_)) {
    for (const FileLine& line : file_) decoded_.push_back(SjisToUtf8(line.content));
    const std::vector<std::string_view> before(decoded_.begin(), decoded_.end());
    for (const auto& [i, j] : MatchLines(before, edited_)) kept_.resize(j + 1, -1), kept_[j] = i;
    kept_.resize(edited_.size(), -1);
    FindReplacedLines();
  }

  SavePlan Plan(bool confirmed) {
    for (std::size_t j = 0; j < edited_.size(); ++j) WriteLine(j);
    SavePlan plan;
    plan.refusals = std::move(refusals_);
    plan.lossy_lines = std::move(lossy_lines_);
    if (!plan.refusals.empty()) return plan;
    if (!plan.lossy_lines.empty() && !confirmed) {
      plan.outcome = SaveOutcome::kConfirm;
      return plan;
    }
    plan.outcome = SaveOutcome::kWrite;
    plan.bytes = std::move(bytes_);
    return plan;
  }

 private:
  // A changed line stands in for the file's line at the same place between two kept lines, and
  // keeps that line's ending.
  void FindReplacedLines() {
    replaced_.assign(edited_.size(), -1);
    std::vector<bool> kept_of_file(file_.size(), false);
    for (long i : kept_) {
      if (i >= 0) kept_of_file[static_cast<std::size_t>(i)] = true;
    }
    long next_of_file = 0;
    for (std::size_t j = 0; j < edited_.size(); ++j) {
      if (kept_[j] >= 0) {
        next_of_file = kept_[j] + 1;
      } else if (next_of_file < static_cast<long>(file_.size()) &&
                 !kept_of_file[static_cast<std::size_t>(next_of_file)]) {
        replaced_[j] = next_of_file++;
      }
    }
  }

  std::string_view EndingOf(long replaced) const {
    if (replaced < 0) return usual_ending_;
    const std::string_view ending = file_[static_cast<std::size_t>(replaced)].ending;
    return ending.empty() ? usual_ending_ : ending;
  }

  void WriteLine(std::size_t j) {
    const bool last = j + 1 == edited_.size();
    const long i = kept_[j];
    if (i >= 0) {
      const FileLine& line = file_[static_cast<std::size_t>(i)];
      bytes_ += line.content;
      if (!last) bytes_ += line.ending.empty() ? usual_ending_ : line.ending;
      return;
    }
    const std::u32string text = Utf8ToUtf32(edited_[j]);
    const SjisEncoding encoding = Utf32ToSjis(text);
    bool lossy = false;
    for (const UnencodableCharacter& c : encoding.unencodable) {
      if (c.code_point == U'\uFFFD') {
        lossy = true;
      } else {
        refusals_.push_back(Refusal(path_, static_cast<int>(j) + 1, c.index, c.code_point));
      }
    }
    if (lossy) lossy_lines_.push_back(static_cast<int>(j) + 1);
    bytes_ += encoding.bytes;
    if (!last) bytes_ += EndingOf(replaced_[j]);
  }

  std::vector<FileLine> file_;
  std::vector<std::string> decoded_;
  std::vector<std::string_view> edited_;
  const std::string& path_;
  std::string_view usual_ending_;
  std::vector<long> kept_;      // for each edited line, the file's line it keeps, or -1
  std::vector<long> replaced_;  // for each changed line, the file's line it stands in for, or -1
  std::string bytes_;
  std::vector<Finding> refusals_;
  std::vector<int> lossy_lines_;
};

std::string JoinNumbers(const std::vector<int>& numbers, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += separator;
    text += std::to_string(numbers[i]);
  }
  return text;
}

}  // namespace

std::string StoryEditorText(std::string_view file_bytes) {
  std::string text;
  for (const FileLine& line : SplitFile(file_bytes)) {
    text += SjisToUtf8(line.content);
    if (!line.ending.empty()) text += '\n';
  }
  return text;
}

SavePlan PlanStorySave(std::string_view original, std::string_view edited, bool confirmed,
                       const std::string& shown_path) {
  return Planner(original, edited, shown_path).Plan(confirmed);
}

Message LossyLinesQuestion(const std::vector<int>& lines) {
  const std::string en = JoinNumbers(lines, ", ");
  const std::string ja = JoinNumbers(lines, "、");
  return {std::string(lines.size() == 1 ? "Line " : "Lines ") + en +
              " held bytes that form no character (shown as \xEF\xBF\xBD) and were changed: "
              "saving writes " +
              (lines.size() == 1 ? "that line" : "those lines") + " without them. Save anyway?",
          ja + " 行目には文字にならないバイト（\xEF\xBF\xBD と表示）があり、その行が変更されて"
               "います。保存すると、その行のそれらのバイトはなくなります。保存しますか？"};
}

}  // namespace game::check
