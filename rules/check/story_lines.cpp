#include "rules/check/story_lines.h"

#include <algorithm>
#include <cstdio>

#include "rules/check/encoding.h"
#include "rules/contracts/app_error.h"
#include "rules/script/my_script.h"
#include "rules/text/my_string.h"

namespace game::check {
namespace {

constexpr int kMaxLines = MyScript::kTableSize - 1;
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kMaxConversionStops = 1000;

std::string Hex(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(c));
    if (!text.empty()) text += ' ';
    text += digits;
  }
  return text;
}

void SplitAtComments(const std::string& prefix) {
  WordArray words;
  SplitText(prefix, "//", words, MyScript::kLoadMaxIndex);
}

// Checks each line as the splitter hands it over and keeps what the loader stores.
class LineChecker {
 public:
  LineChecker(const std::string& path, CheckServices& services, std::vector<Finding>& findings)
      : path_(path), services_(services), findings_(findings) {}

  void Line(std::string line) {
    ++lines_.line_count;
    if (lines_.line_count == 1) CheckByteOrderMark(line);
    CheckEncoding(line);
    if (lines_.line_count > kMaxLines) {
      lines_.refused = true;
      return;
    }
    lines_.entries.push_back(Entry(std::move(line)));
  }

  int LineCount() const { return lines_.line_count; }

  StoryLines Finish() {
    const bool utf8_file = utf8_lines_ > 0 && all_utf8_;
    if (utf8_mark_) ReportUtf8Mark(utf8_file);
    if (utf8_file) ReportUtf8();
    if (!all_utf8_ && !utf16_ && pasted_lines_ > 0) ReportPastedUtf8();
    // Once the whole file is known to be in another encoding, its bytes say nothing more.
    if (!utf16_ && !(utf8_lines_ > 0 && all_utf8_)) {
      findings_.insert(findings_.end(), sjis_findings_.begin(), sjis_findings_.end());
    }
    if (lines_.line_count > kMaxLines) ReportTooManyLines();
    return std::move(lines_);
  }

 private:
  void Add(int line, int column, Severity severity, Message message) {
    findings_.push_back({path_, line, column, severity, std::move(message)});
  }

  void CheckByteOrderMark(const std::string& line) {
    switch (ByteOrderMarkOf(line)) {
      case ByteOrderMark::kNone:
        return;
      case ByteOrderMark::kUtf8:
        utf8_mark_ = true;  // said once the whole file is known
        return;
      case ByteOrderMark::kUtf16:
        utf16_ = true;
        Add(1, 1, Severity::kError,
            {"the file begins with a UTF-16 byte-order mark: the game reads Shift-JIS only; "
             "convert it with `" +
                 ConvertCommand("iconv -f UTF-16 -t CP932 " + path_) + "`: " + ConvertResult().en,
             "ファイルの先頭に UTF-16 の BOM があります。ゲームが読める文字コードは Shift_JIS "
             "(CP932) だけです。`" +
                 ConvertCommand("iconv -f UTF-16 -t CP932 " + path_) + "` で変換してください。" +
                 ConvertResult().ja});
        return;
    }
  }

  void CheckEncoding(std::string_view line) {
    // The byte-order mark has a finding of its own.
    if (lines_.line_count == 1 && ByteOrderMarkOf(line) == ByteOrderMark::kUtf8) {
      line.remove_prefix(3);
      column_offset_ = 3;
    } else {
      column_offset_ = 0;
    }
    // The game drops everything from the first "//": only the text before it can go wrong.
    const std::size_t comment = std::min(FindSjis(line, "//"), line.size());
    const std::string_view text = line.substr(0, comment);
    if (HasHighBytes(text)) {
      if (IsUtf8(text)) {
        if (utf8_lines_++ == 0) first_utf8_line_ = lines_.line_count;
        NotePastedUtf8(text);
      } else {
        all_utf8_ = false;
      }
    }
    CheckConversion(line);
    const std::vector<SjisFault> faults =
        ScanSjisLine(line, [this](std::string_view bytes) { return services_.IsCp932(bytes); });
    std::vector<SjisFault> in_text, in_comment;
    for (const SjisFault& fault : faults) {
      if (fault.kind != SjisFaultKind::kNotACharacter) {
        AddSjisFault(fault, line);
      } else {
        (fault.position < comment ? in_text : in_comment).push_back(fault);
      }
    }
    if (!in_text.empty()) ReportUnreadable(line, in_text, false);
    if (!in_comment.empty()) ReportUnreadable(line, in_comment, true);
  }

  void AddSjisFault(const SjisFault& fault, std::string_view line) {
    const std::string lead = Hex(line.substr(fault.position, 1));
    Message message;
    if (fault.kind == SjisFaultKind::kLoneLeadAtEnd) {
      message = {"the line ends in a lone Shift-JIS lead byte (" + lead +
                     "): the loader stores the whole line empty, so it shows nothing and breaks "
                     "the page",
                 "行末に Shift_JIS の 2 バイト文字の 1 バイト目 (" + lead +
                     ") だけが残っています。読み込みでこの行全体が空になり、何も表示されず"
                     "ページが区切られます"};
    } else {
      message = {"a lone Shift-JIS lead byte (" + lead +
                     ") just before \"//\" takes the first '/' as its second byte: this comment "
                     "marker is not seen and the comment becomes part of the line",
                 "「//」の直前に Shift_JIS の 2 バイト文字の 1 バイト目 (" + lead +
                     ") だけがあり、最初の「/」と組になります。このコメント記号は認識されず、"
                     "コメントが行の一部になります"};
    }
    sjis_findings_.push_back(
        {path_, lines_.line_count, Column(fault.position), Severity::kWarning, std::move(message)});
  }

  int Column(std::size_t position) const { return static_cast<int>(position + column_offset_) + 1; }

  void ReportUnreadable(std::string_view line, const std::vector<SjisFault>& faults,
                        bool in_comment) {
    const SjisFault& first = faults.front();
    const std::string bytes = Hex(line.substr(first.position, first.length));
    const std::size_t more = faults.size() - 1;
    Message message{"bytes " + bytes + " are no Shift-JIS (code page 932) character",
                    "バイト " + bytes + " は Shift_JIS (CP932) の文字ではありません"};
    if (more > 0) {
      message.en +=
          " (and " + std::to_string(more) + " more in this " + (in_comment ? "comment)" : "line)");
      message.ja += std::string(in_comment ? " (このコメントに" : " (この行に") + "ほかに " +
                    std::to_string(more) + " 箇所)";
    }
    if (in_comment) {
      message.en += ", in a comment: the game drops the comment, so the page is not touched";
      message.ja += "。コメントの中なので、ゲームはコメントごと読み捨て、ページには影響しません";
    }
    sjis_findings_.push_back({path_, lines_.line_count, Column(first.position),
                              in_comment ? Severity::kWarning : Severity::kError,
                              std::move(message)});
  }

  // Where converting the file from UTF-8 would stop: kept for the advice, in case the whole file
  // turns out to be UTF-8.
  void CheckConversion(std::string_view line) {
    if (conversion_stops_.size() >= kMaxConversionStops) return;
    for (const ConversionStop& stop : Utf8ConversionStops(
             line, [this](std::string_view c) { return services_.HasCp932Form(c); })) {
      conversion_stops_.push_back(
          {path_, lines_.line_count, Column(stop.position), Severity::kError,
           StopMessage(line.substr(stop.position, stop.length), stop.utf8)});
    }
  }

  static Message StopMessage(std::string_view bytes, bool utf8) {
    if (!utf8) {
      return {"bytes " + Hex(bytes) +
                  " are no UTF-8: converting the file from UTF-8 stops here; remove them first",
              "バイト " + Hex(bytes) +
                  " は UTF-8 ではありません。UTF-8 からの変換はここで止まるので、先に取り除いて"
                  "ください"};
    }
    const std::string code = "(" + CodePointName(bytes) + ")";
    return {"\"" + std::string(bytes) + "\" " + code +
                " has no Shift-JIS (code page 932) form: converting the file to Shift-JIS stops "
                "here; replace it with a character Shift-JIS has first",
            "「" + std::string(bytes) + "」" + code +
                " は Shift_JIS (CP932) にない文字です。Shift_JIS への変換はここで"
                "止まるので、先に Shift_JIS にある文字に置き換えてください"};
  }

  // The conversion's command line, written to a file beside and moved over the story only when
  // it succeeds.
  std::string ConvertCommand(const std::string& convert) const {
    return convert + " > story.sjis && mv story.sjis " + path_;
  }

  Message ConvertResult() const {
    return {
        "it writes the story in Shift-JIS to story.sjis in the current folder and, only when "
        "every character converts, moves it over " +
            path_ + " (else iconv names the position where it stopped and " + path_ +
            " stays as it is)",
        "Shift_JIS にした物語を今のフォルダーの story.sjis に書き、すべての文字が変換できた"
        "ときだけ " +
            path_ + " をそれで置き換えます (できなければ iconv が止まった位置を出し、" + path_ +
            " はそのまま残ります)"};
  }

  void ReportUtf8Mark(bool utf8_file) {
    const std::string strip = "sed -i '1s/^\\xEF\\xBB\\xBF//' " + path_;
    Message advice{"save the file without a byte-order mark, or remove it with `" + strip +
                       "` (it rewrites " + path_ + " without its first three bytes)",
                   "BOM なしで保存するか、`" + strip + "` で取り除いてください (" + path_ +
                       " を先頭の 3 バイトを除いて書き直します)"};
    if (utf8_file) {
      advice = {"the conversion below drops it", "下の変換で取り除かれます"};
    }
    Add(1, 1, Severity::kError,
        {"the file begins with a UTF-8 byte-order mark (EF BB BF): the game reads it as text, so "
         "the first page begins with junk and the first line can be no label; " +
             advice.en,
         "ファイルの先頭に UTF-8 の BOM (EF BB BF) があります。ゲームはこれを文字として"
         "読むので、最初のページの頭に化けた文字が出て、1 行目はラベルになれません。" +
             advice.ja});
  }

  void ReportUtf8() {
    const std::string source =
        utf8_mark_ ? "sed '1s/^\\xEF\\xBB\\xBF//' " + path_ + " | iconv -f UTF-8 -t CP932"
                   : "iconv -f UTF-8 -t CP932 " + path_;
    const std::string command = ConvertCommand(source);
    const Message result = ConvertResult();
    Message first{"", ""};
    if (!conversion_stops_.empty()) {
      const std::string count = std::to_string(conversion_stops_.size());
      first = {"first deal with the " + Counted(conversion_stops_.size(), "spot", "spots") +
                   " where the conversion would stop (each named at its line), then ",
               "まず変換が止まる " + count + " 箇所 (それぞれの行に示します) を直し、それから "};
    }
    Add(first_utf8_line_, 1, Severity::kError,
        {"the file reads as UTF-8 (" +
             Counted(static_cast<std::size_t>(utf8_lines_), "line holds", "lines hold") +
             " multi-byte characters), but the game reads Shift-JIS only: every line "
             "whose last byte looks like a Shift-JIS lead byte is stored empty and breaks the "
             "page, and the rest shows as junk; " +
             first.en + "convert it with `" + command + "`: " + result.en,
         "このファイルは UTF-8 として読めます (マルチバイト文字のある行が " +
             std::to_string(utf8_lines_) +
             " 行)。ゲームが読める文字コードは Shift_JIS だけです。最後のバイトが 2 バイト文字の "
             "1 バイト目に見える行は空になってページを区切り、残りは文字化けして表示されます。" +
             first.ja + "`" + command + "` で変換してください。" + result.ja});
    findings_.insert(findings_.end(), conversion_stops_.begin(), conversion_stops_.end());
  }

  // A line in UTF-8 in a file that is not UTF-8 throughout: the first is reported, the rest
  // counted.
  void NotePastedUtf8(std::string_view text) {
    if (!LooksUtf8InShiftJis(text, [this](std::string_view b) { return services_.IsCp932(b); })) {
      return;
    }
    if (pasted_lines_++ > 0) return;
    first_pasted_ = {lines_.line_count, 0};
    for (std::size_t at = 0; at < text.size(); ++at) {
      if (static_cast<unsigned char>(text[at]) >= 0x80) {
        first_pasted_.second = Column(at);
        break;
      }
    }
  }

  void ReportPastedUtf8() {
    const std::size_t more = static_cast<std::size_t>(pasted_lines_ - 1);
    Message others{"", ""};
    if (more > 0) {
      others = {" (and " + Counted(more, "more line", "more lines") + " like it)",
                " (同じような行がほかに " + std::to_string(more) + " 行)"};
    }
    Add(first_pasted_.first, first_pasted_.second, Severity::kError,
        {"this line is in UTF-8, but the rest of the file is Shift-JIS" + others.en +
             ": the game reads Shift-JIS only and shows it as junk; type the line again in the "
             "editor that wrote the rest, or save it as Shift-JIS",
         "この行は UTF-8 ですが、ファイルのほかの部分は Shift_JIS です" + others.ja +
             "。ゲームは Shift_JIS しか読めないので、この行は文字化けします。ほかの部分を書いた"
             "エディターで打ち直すか、Shift_JIS で保存し直してください"});
  }

  void ReportTooManyLines() {
    const std::string count = std::to_string(lines_.line_count);
    const std::string quoted = ReportText(RangeErrorText());
    Add(kMaxLines + 1, 1, Severity::kError,
        {"the story has " + count +
             " lines, more than the 9999 the game reads: it refuses the whole story with \"" +
             quoted + "\"",
         "物語が " + count + " 行あり、ゲームが読める 9999 行を超えています。ゲームは「" + quoted +
             "」と表示して物語全体を読み込みません"});
  }

  std::string Entry(std::string line) {
    try {
      return maker_.Entry(line);
    } catch (const AppError& error) {
      ReportRefusedLine(line, error.what());
      return "";
    }
  }

  void ReportRefusedLine(const std::string& line, const std::string& text) {
    lines_.refused = true;
    bool slashes = false;
    try {
      SplitAtComments(line);
    } catch (const AppError&) {
      slashes = true;
    }
    const int column = slashes ? CommentMarkerColumn(line, MyScript::kLoadMaxIndex)
                               : WordColumn(std::string_view(line).substr(0, FindSjis(line, "//")),
                                            MyScript::kLoadMaxIndex + 1);
    const std::string quoted = ReportText(text);
    if (slashes) {
      Add(lines_.line_count, column, Severity::kError,
          {"more than 15 \"//\" in one line: the game refuses the whole story with \"" + quoted +
               "\"",
           "1 行に「//」が 15 個を超えています。ゲームは「" + quoted +
               "」と表示して物語全体を読み込みません"});
    } else {
      Add(lines_.line_count, column, Severity::kError,
          {"more than 16 words before the comment: the game refuses the whole story with \"" +
               quoted + "\"",
           "コメントの前の語が 16 個を超えています。ゲームは「" + quoted +
               "」と表示して物語全体を読み込みません"});
    }
  }

  static std::string RangeErrorText() {
    try {
      ThrowRangeError();
    } catch (const AppError& error) {
      return error.what();
    }
  }

  const std::string& path_;
  CheckServices& services_;
  std::vector<Finding>& findings_;
  std::vector<Finding> sjis_findings_;  // dropped when the whole file is UTF-8
  ScriptEntryMaker maker_{false};
  StoryLines lines_;
  int utf8_lines_ = 0;
  int first_utf8_line_ = 0;
  int pasted_lines_ = 0;              // lines that look pasted in UTF-8 (LooksUtf8InShiftJis)
  std::pair<int, int> first_pasted_;  // line and column
  bool all_utf8_ = true;
  bool utf16_ = false;
  bool utf8_mark_ = false;
  std::vector<Finding> conversion_stops_;  // reported when the whole file is UTF-8
  std::size_t column_offset_ = 0;
};

// What stands after a Ctrl-Z at the start of a line: the game reads none of it.
class AfterEarlyEnd {
 public:
  bool Started() const { return ctrl_z_line_ > 0; }
  void Start(int ctrl_z_line) { ctrl_z_line_ = ctrl_z_line; }
  void Feed(std::string_view bytes) { splitter_.Feed(bytes); }

  // The labels after the Ctrl-Z, and a warning on its line when anything but blanks follows it.
  EarlyEnd Finish(const std::string& path, std::vector<Finding>& findings) {
    splitter_.Finish();
    if (early_end_.lines_after == 0) return {};
    early_end_.line = ctrl_z_line_;
    const std::string count = std::to_string(early_end_.lines_after);
    findings.push_back(
        {path,
         ctrl_z_line_,
         1,
         Severity::kWarning,
         {"a Ctrl-Z (1A) at the start of this line ends the file for the game: it never reads "
          "the " +
              Counted(static_cast<std::size_t>(early_end_.lines_after), "line", "lines") +
              " with text after it",
          "ゲームにとって、ファイルは行頭のこの Ctrl-Z (1A) で終わります。この後ろにある文章の " +
              count + " 行は読まれません"}});
    return std::move(early_end_);
  }

 private:
  void Line(std::string line) {
    const int number = ctrl_z_line_ + line_index_++;
    std::string entry;
    try {
      entry = ScriptEntryMaker(false).Entry(std::move(line));
    } catch (const AppError&) {
      return;
    }
    if (entry.find_first_not_of(" \t\x1a") == std::string::npos) return;
    ++early_end_.lines_after;
    if (IsLabelAt(entry, 1)) early_end_.labels.try_emplace(entry, number);
  }

  int ctrl_z_line_ = 0;
  int line_index_ = 0;
  EarlyEnd early_end_;
  ScriptLineSplitter splitter_{[this](std::string line) { Line(std::move(line)); }};
};

}  // namespace

int WordColumn(std::string_view text, int index) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  // The width of the separator at `i` (at a character's start): 0 when there is none.
  const auto separator = [&](std::size_t i) -> std::size_t {
    if (at(i) == ' ' || at(i) == '\t') return 1;
    return at(i) == 0x81 && i + 1 < text.size() && at(i + 1) == 0x40 ? 2 : 0;
  };
  std::size_t end = text.size();
  while (end > 0) {
    if (end >= 2 && at(end - 2) == 0x81 && at(end - 1) == 0x40 &&
        IsSjisTrailPosition(text, end - 1)) {
      end -= 2;
    } else if (at(end - 1) <= ' ' && !IsSjisTrailPosition(text, end - 1)) {
      end -= 1;
    } else {
      break;
    }
  }
  int word = -1;
  bool in_word = false;
  for (std::size_t i = 0; i < end;) {
    const std::size_t width = separator(i);
    const std::size_t length = IsSjisLeadByte(at(i)) && i + 1 < text.size() ? 2 : 1;
    const bool leading_control = word < 0 && width == 0 && at(i) <= ' ';
    if (width > 0 || leading_control) {
      in_word = false;
      i += width > 0 ? width : 1;
      continue;
    }
    if (!in_word && ++word == index) return static_cast<int>(i) + 1;
    in_word = true;
    i += length;
  }
  return 0;
}

int CommentMarkerColumn(std::string_view line, int index) {
  std::size_t at = FindSjis(line, "//");
  for (int i = 0; i < index && at != std::string_view::npos; ++i) at = FindSjis(line, "//", at + 2);
  return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

StoryLines ReadStoryLines(InputFile& file, const std::string& shown_path, CheckServices& services,
                          std::vector<Finding>& findings) {
  LineChecker checker(shown_path, services, findings);
  ScriptLineSplitter splitter([&checker](std::string line) { checker.Line(std::move(line)); });
  AfterEarlyEnd after;
  std::size_t line_ends = 0;  // LF bytes before the current piece
  std::string buffer(kReadChunk, '\0');
  for (std::size_t n = file.Read(buffer.data(), buffer.size()); n > 0;
       n = file.Read(buffer.data(), buffer.size())) {
    std::string_view piece(buffer.data(), n);
    if (!after.Started()) {
      if (splitter.Feed(piece)) {
        line_ends += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
        continue;
      }
      after.Start(checker.LineCount() + 1);
      // The Ctrl-Z begins the line after the splitter's last: skip to it, and past it.
      for (std::size_t lf = line_ends; lf < static_cast<std::size_t>(checker.LineCount()); ++lf) {
        piece.remove_prefix(piece.find('\n') + 1);
      }
      piece.remove_prefix(1);
    }
    after.Feed(piece);
  }
  splitter.Finish();
  StoryLines lines = checker.Finish();
  if (after.Started()) lines.early_end = after.Finish(shown_path, findings);
  return lines;
}

}  // namespace game::check
