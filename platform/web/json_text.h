// JSON text for the studio's answers to the page.
#pragma once

#include <string>
#include <string_view>

namespace game::web {

// `text` (UTF-8) as a JSON string, quotes included: '"' and '\' escaped, control characters as
// \n or \u00XX.
std::string JsonQuoted(std::string_view text);

}  // namespace game::web
