// MyScript: the story script store. Reads a script file into a table of lines, hands the lines
// out one by one through a cursor, moves the cursor to a label, and offers the word routines
// with which the story recognises labels and commands.
//
// Script file: Shift-JIS bytes, no header and no byte-order mark (such bytes belong to the first
// line). Lines end at LF or CR LF; every CR is dropped from its line (so a lone CR does not end
// one). A Ctrl-Z (0x1A) as the first byte of a line ends the file; anywhere else it is an
// ordinary byte. A last line without a line end is read like the others; lines have no length
// limit. Each line is then, in this order:
//   1. unscrambled (UnscrambleLine) when the load asks for it;
//   2. split at "//" into 16 words; only the first is kept (the comment is cut off);
//   3. stored unchanged, unless the first of its NormalizeWords words (16 at most) is a label
//      (IsLabelAt(word, 1)): then only that word is stored.
// The end marker "#End" follows the last line. The table holds 10000 entries: at most 9999
// lines. A consequence of step 2: a line that ends in a lone lead byte, before any comment,
// yields no word and is stored empty (the lead byte takes the first '/' of the separator
// appended by the split as its second byte).
//
// Failures:
// - Range error (game::AppError "範囲チェックエラー"): a file of more than kMaxFileBytes (refused
//   before it is read), a 10000th line (the whole file is read, the end marker does not fit), a
//   10001st line (the load stops there), more than 15 "//" in a line, more than 16 words before the
//   comment.
// - Input/output error (game::FileError, contracts/file_system.h): a file that exists but cannot
//   be opened or read, with the text of its cause.
// After any failure the table, its count and its cursor are exactly what they were before the
// load: the new table is built aside and takes the old one's place only when the load succeeds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rules/contracts/file_system.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/termination.h"
#include "rules/text/my_string.h"

namespace game {

// What a missing script file shows: "『" + path + "』が見つかりません。終了します。" with the
// caption "MyScript".
inline constexpr char kMissingScriptCaption[] = "MyScript";
std::string MissingScriptText(const std::string& path);

// One entry of the table, shared with whoever holds it beyond the table's life (the story's page):
// a line of any length is held once.
using SharedLine = std::shared_ptr<const std::string>;

class MyScript {
 public:
  static constexpr int kTableSize = 10000;  // entries 0..9999, the end marker included
  static constexpr int kLoadMaxIndex = 15;  // 16-word arrays while loading
  static constexpr const char* kEndMarker = "#End";
  // The largest story file the store reads: far more than 9999 lines of any sensible length.
  static constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

  // The files, the boxes and the termination request must outlive the store.
  MyScript(FileSystem& files, MessageBoxes& boxes, Termination& termination);

  // Reads the file at `path` (names use '/'; the game passes "dat/story.txt").
  // - No file at `path` (FileError::NothingThere: nothing there, a dangling link, or something
  //   that is not a regular file such as a folder, a named pipe or a device): shows
  //   MissingScriptText(path) with kMissingScriptCaption, then requests
  //   termination and returns false; the table is not touched.
  // - Otherwise loads it by the rules above and returns true with the cursor at 0, or throws the
  //   range or input/output error and leaves the table as it was.
  bool LoadScript(const std::string& path, bool scrambled);

  // Loads `bytes` as the content of a script file: same rules and failures as LoadScript.
  void LoadFromBytes(std::string_view bytes, bool scrambled);

  // The entry at the cursor, which then advances by one; "#End" without moving once the cursor
  // has reached ScriptCount() (before any load too).
  std::string NextScriptLine();
  // The same, handing out the entry itself rather than a copy (never null). It stays valid and
  // unchanged as long as it is held, even after the table is replaced by a later load.
  SharedLine NextSharedLine();

  // Moves the cursor to the first entry equal to `label` byte for byte, searched from the entry
  // after the cursor to the last one, then from the first entry to the one before the cursor.
  // The entry at the cursor is never examined; without a match the cursor stays. Returns whether
  // it found a match.
  bool JumpToLabel(const std::string& label);

  // Used entries, the end marker included: 0 until a load succeeds.
  int ScriptCount() const { return static_cast<int>(lines_.size()); }
  // Index of the next entry NextScriptLine hands out.
  int ScriptCursor() const { return cursor_; }
  // Entry `i`, 0 <= i < ScriptCount(); any other index throws the range error. The reference
  // stays valid until the next successful load.
  const std::string& ScriptLine(int i) const;
  // A copy of the whole table, the end marker included: for the author's preview, which compares a
  // story with the one saved after it, and for the checks it runs on a reload.
  std::vector<std::string> Entries() const;

  // For tools that explore a story state by state: puts the cursor at `cursor`, 0 <= cursor <=
  // ScriptCount() (any other value throws the range error), and calls `observer` with the index
  // of every entry NextScriptLine hands out from the table (not for the end marker it returns
  // past the end). An empty observer stops the calls. The game puts the cursor only for the
  // author's preview (a start at a chosen line, reading on after the story was saved anew).
  void SetScriptCursor(int cursor);
  void SetReadObserver(std::function<void(int index)> observer);

 private:
  FileSystem& files_;
  MessageBoxes& boxes_;
  Termination& termination_;
  std::vector<SharedLine> lines_;
  int cursor_ = 0;
  std::function<void(int)> read_observer_;
};

// Cuts a script file's bytes, fed in pieces of any size, into its lines by the rules above: LF
// ends a line, every CR is dropped, a Ctrl-Z as the first byte of a line ends the input, a last
// line without a line end is a line too. Each line goes to `sink` as it is complete, with no
// limit on the number of lines. The loader reads through it; tools that report by line use it
// to see the lines the loader sees.
class ScriptLineSplitter {
 public:
  explicit ScriptLineSplitter(std::function<void(std::string line)> sink);
  // Returns false once the input has ended at a Ctrl-Z; later bytes are not wanted.
  bool Feed(std::string_view bytes);
  // Hands over the last line, when the input stopped inside one.
  void Finish();

 private:
  void AppendWithoutCr(std::string_view piece);
  void EndLine();

  std::function<void(std::string)> sink_;
  std::string line_;
  bool at_line_start_ = true;
  bool ended_ = false;
};

// What the table stores for one line of a script file (steps 1 to 3 above). Throws the range
// error for more than 15 "//" in the line or more than 16 words before its comment.
class ScriptEntryMaker {
 public:
  explicit ScriptEntryMaker(bool scrambled) : scrambled_(scrambled) {}
  std::string Entry(std::string line);

 private:
  bool scrambled_;
};

// Turns the separators of `s` into single spaces and splits it into words[0..max_index]:
// full-width spaces (0x81 0x40) and tabs become spaces (character-aware), runs of spaces become
// one (CollapseSpaces), bytes of value 32 or less are dropped at both ends, then SplitText at
// " ". Throws the range error when there are more than max_index + 1 words.
void NormalizeWords(const std::string& s, WordArray& words, int max_index);

// True when byte `i` of `s` (from 1) is '@' standing as a character of its own, not the second
// byte of a double-byte character. False for an `i` outside the string, an empty `s` included.
bool IsLabelAt(const std::string& s, int i);

// NormalizeWords(line, words, max_index), then whether words[0] equals `keyword` over their full
// lengths with ASCII letters folded (no other byte folds: full-width and half-width forms stay
// different). The argument, if any, is words[1]. Throws the range error as NormalizeWords does.
bool MatchCommand(const std::string& line, const std::string& keyword, WordArray& words,
                  int max_index);

}  // namespace game
