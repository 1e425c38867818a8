#include "rules/cli/command_line.h"

#include <algorithm>
#include <iostream>

#include "rules/text/utf8.h"

namespace game::cli {
namespace {

class Parser {
 public:
  Parser(const Program& program, const std::vector<std::string>& arguments)
      : program_(program), arguments_(arguments) {}

  CommandLine Run() {
    bool options_ended = false;
    for (i_ = 0; i_ < arguments_.size() && !line_.problem; ++i_) {
      const std::string& argument = arguments_[i_];
      if (options_ended || argument.size() < 2 || argument[0] != '-') {
        Operand(argument);
      } else if (argument == "--") {
        options_ended = true;
      } else if (argument == "-h" || argument == "--help" || argument == "--version") {
        if (line_.answer.empty()) line_.answer = argument == "--version" ? argument : "--help";
      } else {
        ReadOption(argument);
      }
    }
    if (!line_.problem && line_.answer.empty() && line_.operands.size() < program_.min_operands) {
      line_.problem = program_.missing_operands;
    }
    return line_;
  }

 private:
  void Operand(const std::string& argument) {
    if (line_.operands.size() == program_.max_operands) {
      line_.problem = {"unexpected argument: " + argument,
                       "余分な引数「" + argument + "」があります。"};
    } else {
      line_.operands.push_back(argument);
    }
  }

  void ReadOption(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const auto option = std::find_if(program_.options.begin(), program_.options.end(),
                                     [&](const Option& known) { return known.name == name; });
    if (option == program_.options.end()) {
      line_.problem = {"unknown option: " + name, "不明なオプション「" + name + "」です。"};
    } else if (line_.Has(name)) {
      line_.problem = {name + " is given twice", name + " が二度指定されています。"};
    } else if (option->value.empty() && equals != std::string::npos) {
      line_.problem = {name + " takes no value", name + " は値を取りません。"};
    } else if (option->value.empty()) {
      line_.given[name] = "";
    } else {
      std::string value;
      if (equals != std::string::npos) {
        value = argument.substr(equals + 1);
      } else if (i_ + 1 < arguments_.size()) {
        value = arguments_[++i_];
      }
      if (value.empty()) {
        line_.problem = {name + " needs a value: " + option->value,
                         name + " には値（" + option->value + "）が要ります。"};
      }
      line_.given[name] = value;
    }
  }

  const Program& program_;
  const std::vector<std::string>& arguments_;
  std::size_t i_ = 0;
  CommandLine line_;
};

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
         (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

std::string CommandLine::Value(const std::string& option) const {
  const auto found = given.find(option);
  return found == given.end() ? "" : found->second;
}

CommandLine Parse(const Program& program, const std::vector<std::string>& arguments) {
  return Parser(program, arguments).Run();
}

std::string Refusal(const std::string& program, const Bilingual& what, Language language) {
  return program + ": " + what.In(language) + "\n";
}

std::string UsageRefusal(const std::string& program, const Bilingual& what, Language language) {
  return Refusal(program,
                 {what.en + " (try '" + program + " --help')",
                  what.ja + "「" + program + " --help」を参照してください。"},
                 language);
}

std::optional<int> Answer(const Program& program, const CommandLine& line, const Bilingual& help,
                          std::string_view version, std::ostream& out, std::ostream& err,
                          Language language) {
  if (line.problem) {
    err << UsageRefusal(program.name, *line.problem, language);
    return 2;
  }
  if (line.answer == "--help") {
    out << help.In(language);
    return 0;
  }
  if (line.answer == "--version") {
    out << program.name << ' ' << version << '\n';
    return 0;
  }
  return std::nullopt;
}

std::optional<int> ReadCommandLine(const Program& program, int argc, const char* const* argv,
                                   const Bilingual& help, std::string_view version,
                                   CommandLine& line, Language language) {
  line = Parse(program, std::vector<std::string>(argv + 1, argv + argc));
  return Answer(program, line, help, version, std::cout, std::cerr, language);
}

int Columns(std::string_view utf8) {
  int columns = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    // A byte that starts no sequence takes a column of its own.
    const Utf8Sequence next = NextUtf8(utf8.substr(i));
    columns += next.length != 0 && IsWide(next.code) ? 2 : 1;
    i += next.length != 0 ? next.length : 1;
  }
  return columns;
}

}  // namespace game::cli
