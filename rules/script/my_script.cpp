#include "rules/script/my_script.h"

#include <utility>

#include "rules/contracts/app_error.h"
#include "rules/script/line_scan.h"
#include "rules/text/my_crypt.h"

namespace game {
namespace {

constexpr char kCtrlZ = '\x1a';
constexpr std::size_t kReadChunk = 64 * 1024;

// Builds a new table from a script file's bytes, fed in pieces of any size, by the rules of the
// script file, aside from the store's own.
class TableBuilder {
 public:
  explicit TableBuilder(bool scrambled)
      : maker_(scrambled),
        splitter_([this](std::string line) { Store(maker_.Entry(std::move(line))); }) {}

  // Returns false once the input has ended at a Ctrl-Z; later bytes are not wanted.
  bool Feed(std::string_view bytes) { return splitter_.Feed(bytes); }

  std::vector<SharedLine> Finish() {
    splitter_.Finish();
    Store(MyScript::kEndMarker);
    return std::move(lines_);
  }

 private:
  void Store(std::string entry) {
    if (lines_.size() >= MyScript::kTableSize) ThrowRangeError();
    lines_.push_back(std::make_shared<const std::string>(std::move(entry)));
  }

  ScriptEntryMaker maker_;
  std::vector<SharedLine> lines_;
  ScriptLineSplitter splitter_;
};

// Reads the file by the rules of the script file. A file larger than the store takes is refused
// before anything is read, and so is one that grows past it while it is read.
std::vector<SharedLine> ReadTable(InputFile& file, bool scrambled) {
  if (file.Size() > MyScript::kMaxFileBytes) ThrowRangeError();
  TableBuilder builder(scrambled);
  std::string buffer(kReadChunk, '\0');
  std::uint64_t total = 0;
  for (std::size_t n = file.Read(buffer.data(), buffer.size()); n > 0;
       n = file.Read(buffer.data(), buffer.size())) {
    total += n;
    if (total > MyScript::kMaxFileBytes) ThrowRangeError();
    if (!builder.Feed(std::string_view(buffer.data(), n))) break;
  }
  return builder.Finish();
}

char FoldAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal but for the case of ASCII letters; both bytes of a double-byte character must be equal
// (its second byte may look like an ASCII letter).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (FoldAsciiLetter(a[i]) != FoldAsciiLetter(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string MissingScriptText(const std::string& path) {
  return "『" + path + "』が見つかりません。終了します。";
}

MyScript::MyScript(FileSystem& files, MessageBoxes& boxes, Termination& termination)
    : files_(files), boxes_(boxes), termination_(termination) {}

bool MyScript::LoadScript(const std::string& path, bool scrambled) {
  std::unique_ptr<InputFile> file;
  try {
    file = files_.OpenForReading(path);
  } catch (const FileError& error) {
    if (!error.NothingThere()) throw;
    boxes_.ShowMessage(kMissingScriptCaption, MissingScriptText(path));
    termination_.RequestTermination();
    return false;
  }
  lines_ = ReadTable(*file, scrambled);
  cursor_ = 0;
  return true;
}

void MyScript::LoadFromBytes(std::string_view bytes, bool scrambled) {
  TableBuilder builder(scrambled);
  builder.Feed(bytes);
  lines_ = builder.Finish();
  cursor_ = 0;
}

std::string MyScript::NextScriptLine() { return *NextSharedLine(); }

SharedLine MyScript::NextSharedLine() {
  static const SharedLine end_marker = std::make_shared<const std::string>(kEndMarker);
  if (cursor_ >= ScriptCount()) return end_marker;
  if (read_observer_) read_observer_(cursor_);
  return lines_[cursor_++];
}

bool MyScript::JumpToLabel(const std::string& label) {
  const int count = ScriptCount();
  for (int i = cursor_ + 1; i < count; ++i) {
    if (*lines_[i] == label) {
      cursor_ = i;
      return true;
    }
  }
  for (int i = 0; i < cursor_ && i < count; ++i) {
    if (*lines_[i] == label) {
      cursor_ = i;
      return true;
    }
  }
  return false;
}

const std::string& MyScript::ScriptLine(int i) const {
  if (i < 0 || i >= ScriptCount()) ThrowRangeError();
  return *lines_[i];
}

void MyScript::SetScriptCursor(int cursor) {
  if (cursor < 0 || cursor > ScriptCount()) ThrowRangeError();
  cursor_ = cursor;
}

void MyScript::SetReadObserver(std::function<void(int)> observer) {
  read_observer_ = std::move(observer);
}

ScriptLineSplitter::ScriptLineSplitter(std::function<void(std::string)> sink)
    : sink_(std::move(sink)) {}

bool ScriptLineSplitter::Feed(std::string_view bytes) {
  while (!bytes.empty()) {
    if (at_line_start_ && bytes.front() == kCtrlZ) {
      ended_ = true;
      return false;
    }
    at_line_start_ = false;
    const std::size_t lf = bytes.find('\n');
    AppendWithoutCr(bytes.substr(0, lf));
    if (lf == std::string_view::npos) return true;
    EndLine();
    bytes.remove_prefix(lf + 1);
  }
  return !ended_;
}

void ScriptLineSplitter::Finish() {
  if (!at_line_start_ && !ended_) EndLine();
}

void ScriptLineSplitter::AppendWithoutCr(std::string_view piece) {
  for (std::size_t cr = piece.find('\r'); cr != std::string_view::npos; cr = piece.find('\r')) {
    line_.append(piece.substr(0, cr));
    piece.remove_prefix(cr + 1);
  }
  line_.append(piece);
}

void ScriptLineSplitter::EndLine() {
  std::string line = std::move(line_);
  line_.clear();
  at_line_start_ = true;
  sink_(std::move(line));
}

std::string ScriptEntryMaker::Entry(std::string line) {
  // A line is cut and stored in the string it came in (lines can be as long as the file): its
  // comment and its words are found by scanning it (line_scan.h), never by copying it.
  if (scrambled_) line = UnscrambleLine(std::move(line));
  const std::size_t read = line.size();
  line.resize(TextBeforeComment(line, MyScript::kLoadMaxIndex));
  const WordPlace word = FirstNormalizedWord(line, MyScript::kLoadMaxIndex);
  // IsLabelAt(word, 1): a word's first byte is never a second byte.
  if (word.length > 0 && line[word.begin] == '@') {
    line.resize(word.begin + word.length);
    line.erase(0, word.begin);
  }
  // A long line that left little behind gives its memory back.
  if (line.size() < read / 2) line.shrink_to_fit();
  return line;
}

void NormalizeWords(const std::string& s, WordArray& words, int max_index) {
  std::string text = ReplaceAllSjis(s, "\x81\x40", " ");
  text = ReplaceAllSjis(text, "\t", " ");
  text = TrimControl(CollapseSpaces(text));
  SplitText(text, " ", words, max_index);
}

bool IsLabelAt(const std::string& s, int i) {
  if (i < 1 || static_cast<std::size_t>(i) > s.size()) return false;
  const std::size_t pos = static_cast<std::size_t>(i) - 1;
  return s[pos] == '@' && !IsSjisTrailPosition(s, pos);
}

bool MatchCommand(const std::string& line, const std::string& keyword, WordArray& words,
                  int max_index) {
  NormalizeWords(line, words, max_index);
  return !words.empty() && EqualsIgnoringAsciiCase(words[0], keyword);
}

std::vector<std::string> MyScript::Entries() const {
  std::vector<std::string> entries;
  entries.reserve(lines_.size());
  for (const SharedLine& line : lines_) entries.push_back(*line);
  return entries;
}

}  // namespace game
