#include "check/story_lines.h"

#include <cstdio>

#include "check/encoding.h"
#include "contracts/app_error.h"
#include "script/my_script.h"

namespace game::check {
namespace {

constexpr int kMaxLines = MyScript::kTableSize - 1;
constexpr std::size_t kColumnSearchLimit = 2000;
constexpr std::size_t kReadChunk = 64 * 1024;

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

void MakeEntry(const std::string& prefix) { ScriptEntryMaker(false).Entry(prefix); }

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

  StoryLines Finish() {
    if (utf8_lines_ > 0 && all_utf8_) ReportUtf8();
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
        Add(1, 1, Severity::kError,
            {"the file begins with a UTF-8 byte-order mark (EF BB BF): the game reads it as "
             "text, so the first page begins with junk and the first line can be no label; save "
             "the file without a byte-order mark",
             "ファイルの先頭に UTF-8 のバイト順マーク (EF BB BF) があります。ゲームはこれを文字"
             "として読むので、最初のページの頭に化けた文字が出て、1 行目はラベルになれません。"
             "バイト順マークなしで保存してください"});
        return;
      case ByteOrderMark::kUtf16:
        utf16_ = true;
        Add(1, 1, Severity::kError,
            {"the file begins with a UTF-16 byte-order mark: the game reads Shift-JIS only; "
             "convert it with `iconv -f UTF-16 -t CP932`",
             "ファイルの先頭に UTF-16 のバイト順マークがあります。ゲームが読めるのは Shift-JIS "
             "だけです。`iconv -f UTF-16 -t CP932` で変換してください"});
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
    if (HasHighBytes(line)) {
      if (IsUtf8(line)) {
        if (utf8_lines_++ == 0) first_utf8_line_ = lines_.line_count;
      } else {
        all_utf8_ = false;
      }
    }
    const std::vector<SjisFault> faults =
        ScanSjisLine(line, [this](std::string_view bytes) { return services_.IsCp932(bytes); });
    int unreadable = 0;
    for (const SjisFault& fault : faults) {
      if (fault.kind != SjisFaultKind::kNotACharacter) {
        AddSjisFault(fault, line);
      } else if (unreadable++ == 0) {
        first_unreadable_ = fault;
      }
    }
    if (unreadable > 0) ReportUnreadable(line, unreadable);
  }

  void AddSjisFault(const SjisFault& fault, std::string_view line) {
    const std::string lead = Hex(line.substr(fault.position, 1));
    Message message;
    if (fault.kind == SjisFaultKind::kLoneLeadAtEnd) {
      message = {"the line ends in a lone Shift-JIS lead byte (" + lead +
                     "): the loader stores the whole line empty, so it shows nothing and breaks "
                     "the page",
                 "行末に Shift-JIS の先行バイト (" + lead +
                     ") だけが残っています。読み込みでこの行全体が空になり、何も表示されず"
                     "ページが区切られます"};
    } else {
      message = {"a lone Shift-JIS lead byte (" + lead +
                     ") just before \"//\" takes the first '/' as its second byte: this comment "
                     "marker is not seen and the comment becomes part of the line",
                 "\"//\" の直前に Shift-JIS の先行バイト (" + lead +
                     ") だけがあり、最初の '/' と組になります。このコメント記号は認識されず、"
                     "コメントが行の一部になります"};
    }
    sjis_findings_.push_back(
        {path_, lines_.line_count, Column(fault.position), Severity::kWarning, std::move(message)});
  }

  int Column(std::size_t position) const { return static_cast<int>(position + column_offset_) + 1; }

  void ReportUnreadable(std::string_view line, int count) {
    const std::string bytes =
        Hex(line.substr(first_unreadable_.position, first_unreadable_.length));
    std::string more_en, more_ja;
    if (count > 1) {
      more_en = " (and " + std::to_string(count - 1) + " more in this line)";
      more_ja = "(この行にほかに " + std::to_string(count - 1) + " 箇所)";
    }
    sjis_findings_.push_back(
        {path_,
         lines_.line_count,
         Column(first_unreadable_.position),
         Severity::kError,
         {"bytes " + bytes + " are no Shift-JIS (code page 932) character" + more_en,
          "バイト " + bytes + " は Shift-JIS (コードページ 932) の文字ではありません" + more_ja}});
  }

  void ReportUtf8() {
    Add(first_utf8_line_, 1, Severity::kError,
        {"the file reads as UTF-8 (" + std::to_string(utf8_lines_) +
             " lines hold multi-byte characters), but the game reads Shift-JIS only: every line "
             "whose last byte looks like a Shift-JIS lead byte is stored empty and breaks the "
             "page, and the rest shows as junk; convert it with `iconv -f UTF-8 -t CP932 " +
             path_ + " > story.sjis` and put story.sjis in its place",
         "このファイルは UTF-8 として読めます (マルチバイト文字のある行が " +
             std::to_string(utf8_lines_) +
             " 行)。ゲームが読めるのは Shift-JIS だけで、最後のバイトが Shift-JIS の先行バイト"
             "に見える行は空になってページを区切り、残りは化けて表示されます。`iconv -f UTF-8 "
             "-t CP932 " +
             path_ + " > story.sjis` で変換し、story.sjis と置き換えてください"});
  }

  void ReportTooManyLines() {
    const std::string count = std::to_string(lines_.line_count);
    const std::string quoted = ReportText(RangeErrorText());
    Add(kMaxLines + 1, 1, Severity::kError,
        {"the story has " + count +
             " lines, more than the 9999 the game reads: it refuses the whole story with \"" +
             quoted + "\"",
         "物語が " + count + " 行あり、ゲームが読める 9999 行を超えています: ゲームは 「" + quoted +
             "」 を出して物語全体を読み込みません"});
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
    const int column = FirstFailingColumn(line, slashes ? SplitAtComments : MakeEntry);
    const std::string quoted = ReportText(text);
    if (slashes) {
      Add(lines_.line_count, column, Severity::kError,
          {"more than 15 \"//\" in one line: the game refuses the whole story with \"" + quoted +
               "\"",
           "1 行に \"//\" が 15 個を超えています: ゲームは 「" + quoted +
               "」 を出して物語全体を読み込みません"});
    } else {
      Add(lines_.line_count, column, Severity::kError,
          {"more than 16 words before the comment: the game refuses the whole story with \"" +
               quoted + "\"",
           "コメントの前の語が 16 を超えています: ゲームは 「" + quoted +
               "」 を出して物語全体を読み込みません"});
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
  SjisFault first_unreadable_{};
  int utf8_lines_ = 0;
  int first_utf8_line_ = 0;
  bool all_utf8_ = true;
  bool utf16_ = false;
  std::size_t column_offset_ = 0;
};

}  // namespace

int FirstFailingColumn(const std::string& text, void (*call)(const std::string& prefix)) {
  if (text.size() > kColumnSearchLimit) return 0;
  for (std::size_t length = 1; length <= text.size(); ++length) {
    try {
      call(text.substr(0, length));
    } catch (const AppError&) {
      return static_cast<int>(length);
    }
  }
  return 0;
}

StoryLines ReadStoryLines(InputFile& file, const std::string& shown_path, CheckServices& services,
                          std::vector<Finding>& findings) {
  LineChecker checker(shown_path, services, findings);
  ScriptLineSplitter splitter([&checker](std::string line) { checker.Line(std::move(line)); });
  std::string buffer(kReadChunk, '\0');
  for (std::size_t n = file.Read(buffer.data(), buffer.size()); n > 0;
       n = file.Read(buffer.data(), buffer.size())) {
    if (!splitter.Feed(std::string_view(buffer.data(), n))) break;
  }
  splitter.Finish();
  return checker.Finish();
}

}  // namespace game::check
