// Writes the story's map: DOT as it is, or drawn by Graphviz's dot when the file name ends in
// ".svg" or ".png".
#pragma once

#include <string>

namespace game::check {

// Returns false with `error` set (the file, or what dot said) when the map cannot be written.
bool WriteGraphFile(const std::string& path, const std::string& dot, std::string& error);

}  // namespace game::check
