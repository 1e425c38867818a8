#include "rules/locale/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace game {
namespace {

// Sets or unsets one environment variable for the life of the object, then puts it back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Language, ComesFromTheFirstLocaleVariableSet) {
  const struct {
    const char *lc_all, *lc_messages, *lang;
    Language language;
  } cases[] = {
      {nullptr, nullptr, nullptr, Language::kEnglish},
      {nullptr, nullptr, "ja_JP.UTF-8", Language::kJapanese},
      {nullptr, "C", "ja_JP.UTF-8", Language::kEnglish},
      {"", "ja", "en_GB.UTF-8", Language::kJapanese},
      {"en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", Language::kEnglish},
      {"ja_JP.eucJP", nullptr, nullptr, Language::kJapanese},
      {"C.UTF-8", nullptr, "ja_JP.UTF-8", Language::kEnglish},
  };
  for (const auto& c : cases) {
    const std::string label = std::string(c.lc_all ? c.lc_all : "-") + " " +
                              (c.lc_messages ? c.lc_messages : "-") + " " + (c.lang ? c.lang : "-");
    EXPECT_EQ(LanguageFromEnvironment(c.lc_all, c.lc_messages, c.lang), c.language) << label;
    const ScopedVariable all("LC_ALL", c.lc_all), messages("LC_MESSAGES", c.lc_messages),
        lang("LANG", c.lang);
    EXPECT_EQ(LanguageOfThisProcess(), c.language) << label << " (environment)";
  }
}

}  // namespace
}  // namespace game
