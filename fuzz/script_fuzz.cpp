// Loads arbitrary bytes as a script, plain and scrambled, reads every line through the cursor,
// matches commands on each, jumps to the labels it holds, and checks what the store promises:
// a failed load changes nothing, a good one ends with the end marker, no entry holds a line end
// or a comment, a jump lands on an equal entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "rules/contracts/app_error.h"
#include "rules/fakes/silent_services.h"
#include "rules/script/my_script.h"
#include "rules/text/my_string.h"

namespace {

void Check(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "script_fuzz: broken promise: %s\n", promise);
  std::abort();
}

std::vector<std::string> TableOf(const game::MyScript& script) {
  std::vector<std::string> entries;
  for (int i = 0; i < script.ScriptCount(); ++i) entries.push_back(script.ScriptLine(i));
  return entries;
}

// `word` with its single-byte ASCII letters in upper case; double-byte characters unchanged.
std::string UpperAscii(const std::string& word) {
  std::string upper = word;
  for (std::size_t i = 0; i < upper.size(); ++i) {
    if (game::IsSjisLeadByte(static_cast<unsigned char>(upper[i]))) {
      ++i;
    } else if (upper[i] >= 'a' && upper[i] <= 'z') {
      upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    }
  }
  return upper;
}

// A command line matches its own first word, whatever the case of its ASCII letters.
void CheckMatching(const std::string& line) {
  game::WordArray words(11);
  try {
    game::MatchCommand(line, "#goto", words, 10);
  } catch (const game::AppError&) {
    return;  // More than 11 words: the story stops its step here.
  }
  const std::string first = words[0];
  Check(game::MatchCommand(line, UpperAscii(first), words, 10),
        "a line matches its first word in upper case");
  Check(words[0] == first, "matching normalizes the same way each time");
}

// Reads every entry through the cursor; returns the labels met on the way.
std::vector<std::string> ReadAll(game::MyScript& script) {
  std::vector<std::string> labels;
  const int count = script.ScriptCount();
  for (int i = 0; i < count; ++i) {
    const std::string line = script.NextScriptLine();
    Check(line == script.ScriptLine(i), "the cursor hands out the entries in order");
    Check(line.find_first_of("\r\n") == std::string::npos, "no line end inside an entry");
    Check(game::FindSjis(line, "//") == std::string::npos, "no comment inside an entry");
    if (game::IsLabelAt(line, 1)) labels.push_back(line);
    CheckMatching(line);
  }
  Check(script.NextScriptLine() == "#End" && script.ScriptCursor() == count,
        "past the end the end marker comes for ever");
  return labels;
}

void JumpAround(game::MyScript& script, const std::vector<std::string>& labels) {
  for (std::size_t k = 0; k < labels.size() && k < 8; ++k) {
    script.JumpToLabel(labels[k]);
    Check(script.ScriptLine(script.ScriptCursor()) == labels[k], "a jump lands on its label");
  }
  const int cursor = script.ScriptCursor();
  script.JumpToLabel("@no\nsuch label");
  Check(script.ScriptCursor() == cursor, "a jump to nothing stays");
}

void Exercise(std::string_view bytes, bool scrambled) {
  game::fakes::SilentServices outside;
  game::MyScript script(outside, outside, outside);
  script.LoadFromBytes("@start\nearlier script\n", false);
  script.NextScriptLine();
  const std::vector<std::string> before = TableOf(script);
  try {
    script.LoadFromBytes(bytes, scrambled);
  } catch (const game::AppError&) {
    Check(TableOf(script) == before && script.ScriptCursor() == 1,
          "a failed load leaves the table, its count and its cursor");
    return;
  }
  const int count = script.ScriptCount();
  Check(count >= 1 && count <= game::MyScript::kTableSize, "the count stays within the table");
  Check(script.ScriptLine(count - 1) == "#End" && script.ScriptCursor() == 0,
        "a load ends with the end marker and puts the cursor at the top");
  JumpAround(script, ReadAll(script));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Exercise(bytes, false);
  Exercise(bytes, true);
  return 0;
}
