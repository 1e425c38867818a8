#include "rules/locale/language.h"

#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace game {
namespace {

std::string_view FirstSet(std::initializer_list<const char*> values) {
  for (const char* value : values) {
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

Language LanguageFromEnvironment(const char* lc_all, const char* lc_messages, const char* lang) {
  return FirstSet({lc_all, lc_messages, lang}).starts_with("ja") ? Language::kJapanese
                                                                 : Language::kEnglish;
}

Language LanguageOfThisProcess() {
  return LanguageFromEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                 std::getenv("LANG"));
}

}  // namespace game
