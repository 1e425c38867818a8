// Page lines wider than the space beside the portrait, measured as the game draws them
// (CheckServices::LineWidth).
#pragma once

#include <string>
#include <vector>

#include "rules/check/check_services.h"
#include "rules/check/finding.h"

namespace game::check {

// Warns about each text line of `entries` (line n at index n - 1) wider than `space` pixels, at
// the first character that does not fit whole. `text_x` and `picture_width` only go into the
// message.
void AddWidthFindings(const std::vector<std::string>& entries, const std::string& path,
                      CheckServices& services, int text_x, int picture_width,
                      std::vector<Finding>& findings);

}  // namespace game::check
