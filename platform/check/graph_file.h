// Writes the story's map: as DOT text for a name ending in ".dot" or ".gv", drawn by Graphviz's
// dot for ".svg" or ".png"; any other name is refused (a .pdf or a .txt would not hold what its
// name says). Every map carries kMapMark (a DOT comment, an SVG comment, a PNG text chunk), so a
// later run replaces its own map and nothing else (output_guard.h).
//
// dot's time grows steeply with the map's boxes (on this project's test machine: 75 boxes 0.4 s,
// 143 boxes 4.6 s, 166 boxes 5.4 s, 252 boxes 71 s), so a drawing of more than kMapBoxLimit boxes
// is refused unless `large` is asked for, and then announced before it starts.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/check/output_guard.h"

namespace game::check {

inline constexpr char kMapMark[] = "story map written by story_check";
inline constexpr int kMapBoxLimit = 150;

// The boxes (node statements) of a DOT text.
int MapBoxes(const std::string& dot);

// Writes the map; the refusal or dot's failure when it cannot. A line on `note` says that a large
// drawing has started.
std::optional<Bilingual> WriteGraphFile(const OutputRequest& request, const std::string& dot,
                                        std::ostream& note, Language language);

}  // namespace game::check
