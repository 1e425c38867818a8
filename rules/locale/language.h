// The language the programs speak to their user: Japanese when the locale says so, English
// otherwise. Every program (the game, the checker, the tools) asks here, so that all of them
// follow one rule.
#pragma once

#include <string>

namespace game {

enum class Language { kEnglish, kJapanese };

// The language from the locale variables, the first one set and not empty of LC_ALL, LC_MESSAGES
// and LANG (null pointers count as unset): Japanese when it begins with "ja", English otherwise
// ("C", "POSIX", "en_GB.UTF-8", nothing set).
Language LanguageFromEnvironment(const char* lc_all, const char* lc_messages, const char* lang);

// The same rule applied to this process's environment as it is now.
Language LanguageOfThisProcess();

// A text in both languages (UTF-8), kept together so that neither is forgotten.
struct Bilingual {
  std::string en;
  std::string ja;
  const std::string& In(Language language) const {
    return language == Language::kJapanese ? ja : en;
  }
};

}  // namespace game
