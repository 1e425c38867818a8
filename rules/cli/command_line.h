// The command line of every program (the game, story_check, story_export, bmp2png): one reading
// of options and operands, one answer to --help and --version, and one form of refusal:
//
//   PROGRAM: what is wrong (try 'PROGRAM --help')
//   PROGRAM: 何がおかしいか。「PROGRAM --help」を参照してください。
//
// in the locale's language, on one line of standard error, with exit status 2.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "rules/locale/language.h"

namespace game::cli {

struct Option {
  std::string name;   // "--warp"
  std::string value;  // the value's name ("TARGET"); empty for an option without a value
};

// What a program accepts besides --help (-h) and --version.
struct Program {
  std::string name;  // "story_export"
  std::vector<Option> options;
  std::size_t min_operands = 0;
  std::size_t max_operands = 0;
  Bilingual missing_operands;  // said when fewer than min_operands are given
};

struct CommandLine {
  std::map<std::string, std::string> given;  // option -> its value ("" for one without)
  std::vector<std::string> operands;
  std::string answer;                // "--help" or "--version", whichever came first; or ""
  std::optional<Bilingual> problem;  // why the command line is refused

  bool Has(const std::string& option) const { return given.contains(option); }
  std::string Value(const std::string& option) const;
};

// Reads `arguments` (without the program's name). "--name VALUE" and "--name=VALUE" are the
// same; "--" ends the options; "-" is an operand; options and operands may come in any order.
// Refused: an unknown option, a missing or empty value, a value for an option that takes none,
// an option given twice, too many operands, and (unless --help or --version is asked) too few.
CommandLine Parse(const Program& program, const std::vector<std::string>& arguments);

// "PROGRAM: what", one line.
std::string Refusal(const std::string& program, const Bilingual& what, Language language);

// A refused command line's line: the refusal and where to look ("try 'PROGRAM --help'").
std::string UsageRefusal(const std::string& program, const Bilingual& what, Language language);

// What a program does with its command line before anything else: the help or "PROGRAM VERSION"
// on `out` and status 0, or the refusal on `err` and status 2; nothing when the program goes on.
// ReadCommandLine answers on standard output and standard error.
std::optional<int> Answer(const Program& program, const CommandLine& line, const Bilingual& help,
                          std::string_view version, std::ostream& out, std::ostream& err,
                          Language language);

// Parse and Answer for `argv` (argv[0] the program's path): `line` gets what was read.
std::optional<int> ReadCommandLine(const Program& program, int argc, const char* const* argv,
                                   const Bilingual& help, std::string_view version,
                                   CommandLine& line, Language language);

// The columns `utf8` takes on a terminal: 2 for a wide (East Asian) character, 1 for others.
int Columns(std::string_view utf8);

}  // namespace game::cli
