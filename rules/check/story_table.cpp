#include "rules/check/story_table.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "rules/check/half_width.h"
#include "rules/check/story_lines.h"
#include "rules/contracts/app_error.h"
#include "rules/script/line_scan.h"
#include "rules/script/my_script.h"
#include "rules/story/unit_story.h"

namespace game::check {
namespace {

std::string Line(int entry) { return std::to_string(entry + 1); }

int WordCount(const std::string& line) {
  WordArray words;
  NormalizeWords(line, words, static_cast<int>(line.size()) + 1);
  return static_cast<int>(
      std::count_if(words.begin(), words.end(), [](const std::string& w) { return !w.empty(); }));
}

class TableFindings {
 public:
  TableFindings(const std::vector<std::string>& entries, const std::string& path,
                TextDecoder& decoder, const JumpTargetFn& jump_target,
                std::vector<Finding>& findings, const EarlyEnd& early_end)
      : entries_(entries),
        path_(path),
        decoder_(decoder),
        jump_target_(jump_target),
        findings_(findings),
        early_end_(early_end) {}

  void AddAll() {
    Classify();
    for (const Jump& jump : jumps_) CheckJump(jump);
    for (const auto& [label, places] : labels_) {
      for (std::size_t i = 1; i < places.size(); ++i) ReportDuplicate(label, places, i);
    }
  }

 private:
  struct Jump {
    int entry;
    bool trap;
    std::string argument;
  };

  void Add(int entry, int column, Severity severity, Message message) {
    findings_.push_back({path_, entry + 1, column, severity, std::move(message)});
  }

  std::string Utf8(const std::string& sjis) { return decoder_.SjisToUtf8(sjis); }

  void Classify() {
    WordArray words;
    const int count = static_cast<int>(entries_.size());
    for (int i = 0; i < count; ++i) {
      const std::string& entry = entries_[static_cast<std::size_t>(i)];
      StoryLineKind kind;
      try {
        kind = ClassifyStoryLine(entry, words);
      } catch (const AppError& error) {
        ReportTooManyWords(i, error.what());
        continue;
      }
      if (kind == StoryLineKind::kBreak && !entry.empty()) labels_[entry].push_back(i);
      if (kind == StoryLineKind::kText) CheckLookalike(i);
      if (kind == StoryLineKind::kGoto || kind == StoryLineKind::kTrap) {
        jumps_.push_back({i, kind == StoryLineKind::kTrap, words[1]});
      }
    }
  }

  void ReportTooManyWords(int entry, const std::string& text) {
    const std::string& line = entries_[static_cast<std::size_t>(entry)];
    const std::string count = std::to_string(WordCount(line));
    const std::string quoted = ReportText(text);
    Add(entry, WordColumn(line, UnitStory::kCommandMaxIndex + 1), Severity::kError,
        {count +
             " words, but a command or text line holds at most 11: a reader who gets here "
             "sees \"" +
             quoted + "\" and the page stops at this line",
         "語が " + count + " 個ありますが、コマンドや文章の行は 11 語までです。ここまで進むと「" +
             quoted + "」と表示され、ページはこの行で止まります"});
  }

  // A text line whose first word begins with "#", the full-width "＃" or the full-width "＠":
  // the reader sees it as text, which is seldom what its author meant.
  void CheckLookalike(int entry) {
    const std::string& line = entries_[static_cast<std::size_t>(entry)];
    const WordPlace first = FirstNormalizedWord(line, UnitStory::kCommandMaxIndex);
    const std::string word = line.substr(first.begin, first.length);
    std::optional<Message> message;
    if (word.starts_with(kFullWidthAt)) {
      message = LabelLookalike(word);
    } else if (word.starts_with('#') || word.starts_with(kFullWidthHash)) {
      message = CommandLookalike(line, word);
    }
    if (message) Add(entry, static_cast<int>(first.begin) + 1, Severity::kWarning, *message);
  }

  Message CommandLookalike(const std::string& line, const std::string& word) {
    const std::string shown = Utf8(word);
    Message message{"\"" + shown + "\" is no command the game obeys (" + CommandList(", ") +
                        "), so the reader sees this line as text",
                    "「" + shown + "」はゲームのコマンド (" + CommandList("、") +
                        ") ではないので、この行は文章として表示されます"};
    if (HasFullWidthAscii(word)) {
      message.en += " (commands are written in half-width letters)";
      message.ja += " (コマンドは半角で書きます)";
    }
    const std::optional<std::string> meant = MeantCommand(HalfWidthForm(line), HalfWidthForm(word));
    if (meant) {
      message.en += "; did you mean \"" + Utf8(*meant) + "\"?";
      message.ja += "。「" + Utf8(*meant) + "」のことですか？";
    }
    return message;
  }

  // "＠start": a label typed with a full-width "＠" is text on the page.
  Message LabelLookalike(const std::string& word) {
    const std::string shown = Utf8(word);
    const std::string meant = Utf8(HalfWidthForm(word));
    return {"\"" + shown +
                "\" begins with a full-width \"＠\", so the reader sees this line as text, not "
                "as a label (labels are written in half-width letters); did you mean \"" +
                meant + "\"?",
            "「" + shown +
                "」は全角の「＠」で始まるので、この行はラベルではなく文章として表示されます "
                "(ラベルは半角で書きます)。「" +
                meant + "」のことですか？"};
  }

  // What a line that begins like a command was probably meant to be: the command with a space
  // before what was run into it ("#goto@x"), the same written with a half-width "#", a command
  // split in two ("#heat On"), or the nearest command by spelling ("#heat_on").
  static std::optional<std::string> MeantCommand(const std::string& line,
                                                 const std::string& ascii) {
    const std::string folded = Folded(ascii);
    const std::string* run_into = nullptr;
    for (const std::string& command : kCommands) {
      if (folded == Folded(command)) return command + RestAfter(line);
      if (folded.starts_with(Folded(command)) &&
          (run_into == nullptr || command.size() > run_into->size())) {
        run_into = &command;
      }
    }
    if (run_into != nullptr) return *run_into + " " + ascii.substr(run_into->size());
    WordArray words;
    NormalizeWords(line, words, UnitStory::kCommandMaxIndex);
    for (const std::string& command : kCommands) {
      if (words.size() > 1 && Folded(ascii + words[1]) == Folded(command)) return command;
    }
    const std::string* nearest = nullptr;
    std::size_t best = kMaxMisspelling + 1;
    for (const std::string& command : kCommands) {
      const std::size_t distance = EditDistance(folded, Folded(command));
      if (distance < best) {
        best = distance;
        nearest = &command;
      }
    }
    if (nearest == nullptr) return std::nullopt;
    return *nearest + RestAfter(line);
  }

  // The line's second word after a space (" @x" for "＃goto @x"), or nothing.
  static std::string RestAfter(const std::string& line) {
    WordArray words;
    NormalizeWords(line, words, UnitStory::kCommandMaxIndex);
    return words.size() > 1 && !words[1].empty() ? " " + words[1] : "";
  }

  static std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
  }

  static constexpr std::string_view kFullWidthHash = "\x81\x94";  // ＃
  static constexpr std::string_view kFullWidthAt = "\x81\x97";    // ＠
  static constexpr std::size_t kMaxMisspelling = 2;
  // The rules' commands, and their list as the findings name them.
  static inline const std::vector<std::string> kCommands = [] {
    std::vector<std::string> commands;
    for (const StoryCommand& command : kStoryCommands) commands.emplace_back(command.keyword);
    return commands;
  }();
  static std::string CommandList(const char* between) {
    std::string list;
    for (const std::string& command : kCommands) list += (list.empty() ? "" : between) + command;
    return list;
  }

  // What the command does without its jump, said for the findings.
  static Message WithoutJump(bool trap) {
    if (trap) {
      return {"the special move's answer shows its two lines and the story reads on unchanged",
              "★ を押しても 2 行のせりふが出るだけで、物語はそのまま進みます"};
    }
    return {"the game ignores this #goto and reads on after it",
            "ゲームはこの #goto を無視して次の行を読みます"};
  }

  void CheckJump(const Jump& jump) {
    const char* command = jump.trap ? "#trap" : "#goto";
    const Message effect = WithoutJump(jump.trap);
    const std::string& line = entries_[static_cast<std::size_t>(jump.entry)];
    if (jump.argument.empty()) {
      Add(jump.entry, 1, Severity::kError,
          {std::string(command) + " names no label: " + effect.en,
           std::string(command) + " にラベルがありません。" + effect.ja});
      return;
    }
    if (labels_.contains(jump.argument)) return;
    const int column = static_cast<int>(FindSjis(line, jump.argument)) + 1;
    const std::string name = Utf8(jump.argument);
    const Message hint = early_end_.labels.contains(jump.argument)
                             ? AfterTheEnd(jump.argument)
                             : Suggestion(HalfWidthForm(jump.argument));
    if (!IsLabelAt(jump.argument, 1)) {
      Add(jump.entry, column, Severity::kError,
          {"\"" + name + "\" is not a label (a label begins with \"@\"): " + effect.en + hint.en,
           "「" + name + "」はラベルではありません (ラベルは半角の「@」で始まります)。" +
               effect.ja + hint.ja});
      return;
    }
    Add(jump.entry, column, Severity::kError,
        {"there is no label " + name + ": " + effect.en + hint.en,
         "ラベル " + name + " がありません。" + effect.ja + hint.ja});
  }

  Message AfterTheEnd(const std::string& label) {
    const std::string line = std::to_string(early_end_.labels.at(label));
    const std::string end = std::to_string(early_end_.line);
    return {"; " + decoder_.SjisToUtf8(label) + " stands at line " + line +
                ", after the Ctrl-Z at line " + end + " that ends the file for the game",
            "。" + decoder_.SjisToUtf8(label) + " は " + line +
                " 行目にありますが、ゲームにとって"
                "ファイルは " +
                end + " 行目の Ctrl-Z で終わっています"};
  }

  // "; did you mean @x?" with the nearest label, or nothing when the story has no label.
  Message Suggestion(const std::string& wanted) {
    const std::string* best = nullptr;
    std::size_t best_distance = 0;
    for (const auto& [label, places] : labels_) {
      const std::size_t distance = EditDistance(wanted, label);
      if (best == nullptr || distance < best_distance ||
          (distance == best_distance && places.front() < labels_.at(*best).front())) {
        best = &label;
        best_distance = distance;
      }
    }
    if (best == nullptr) return {};
    const std::string name = Utf8(*best);
    return {"; did you mean " + name + " (line " + Line(labels_.at(*best).front()) + ")?",
            "。" + name + " (" + Line(labels_.at(*best).front()) + " 行目) のことですか？"};
  }

  void ReportDuplicate(const std::string& label, const std::vector<int>& places, std::size_t i) {
    const std::string name = Utf8(label);
    Message where{"", ""};
    if (jump_target_) {
      for (const Jump& jump : jumps_) {
        if (jump.trap || jump.argument != label) continue;
        const int target = jump_target_(jump.entry + 1, label);
        where.en += "; the #goto at line " + Line(jump.entry) + " goes to line " + Line(target);
        where.ja += "。" + Line(jump.entry) + " 行目の #goto は " + Line(target) + " 行目へ";
      }
    }
    Add(places[i], 1, Severity::kWarning,
        {"label " + name + " is defined again (first at line " + Line(places.front()) +
             "): a jump goes to the first one after it, else to the first from the top" + where.en,
         "ラベル " + name + " がもう一度定義されています (最初は " + Line(places.front()) +
             " 行目)"
             "。ジャンプは、その行より後ろで最初のもの、なければ先頭から最初のものへ飛びます" +
             where.ja});
  }

  const std::vector<std::string>& entries_;
  const std::string& path_;
  TextDecoder& decoder_;
  const JumpTargetFn& jump_target_;
  std::vector<Finding>& findings_;
  const EarlyEnd& early_end_;
  std::map<std::string, std::vector<int>> labels_;
  std::vector<Jump> jumps_;
};

}  // namespace

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

void AddTableFindings(const std::vector<std::string>& entries, const std::string& path,
                      TextDecoder& decoder, const JumpTargetFn& jump_target,
                      std::vector<Finding>& findings, const EarlyEnd& early_end) {
  TableFindings(entries, path, decoder, jump_target, findings, early_end).AddAll();
}

}  // namespace game::check
