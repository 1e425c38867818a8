#include "rules/check/line_width_check.h"

#include <algorithm>

#include "rules/contracts/app_error.h"
#include "rules/story/unit_story.h"
#include "rules/text/my_string.h"

namespace game::check {
namespace {

// Lines are measured up to this many bytes: far more than ever fits beside the portrait.
constexpr std::size_t kMeasureLimit = 4096;

// The ends of the characters of `line`, as the game pairs bytes, up to the measure limit.
std::vector<std::size_t> CharacterEnds(std::string_view line) {
  std::vector<std::size_t> ends;
  for (std::size_t end = 0; end < line.size() && end < kMeasureLimit;) {
    end += IsSjisLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1;
    ends.push_back(std::min(end, line.size()));
  }
  return ends;
}

// The byte (from 1) of the first character whose right edge lies past `space`: widths grow
// with the characters, so it is found by halving.
int FirstCutColumn(std::string_view line, CheckServices& services, int space) {
  const std::vector<std::size_t> ends = CharacterEnds(line);
  std::size_t low = 0, high = ends.size();  // the answer is among ends[low, high)
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (services.LineWidth(line.substr(0, ends[middle])) > space) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  if (low >= ends.size()) return 1;
  return static_cast<int>(low == 0 ? 0 : ends[low - 1]) + 1;
}

bool IsTextLine(const std::string& entry) {
  WordArray words;
  try {
    return ClassifyStoryLine(entry, words) == StoryLineKind::kText;
  } catch (const AppError&) {
    return false;  // the page stops before it: never drawn
  }
}

}  // namespace

void AddWidthFindings(const std::vector<std::string>& entries, const std::string& path,
                      CheckServices& services, int text_x, int picture_width,
                      std::vector<Finding>& findings) {
  const int space = picture_width - text_x;
  const std::string space_text = std::to_string(space);
  const std::string range = std::to_string(text_x) + "-" + std::to_string(picture_width - 1);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string& entry = entries[i];
    if (!IsTextLine(entry)) continue;
    const std::string_view measured = std::string_view(entry).substr(
        0, entry.size() <= kMeasureLimit ? entry.size() : CharacterEnds(entry).back());
    const int width = services.LineWidth(measured);
    if (width <= space) continue;
    const std::string wide = std::to_string(width);
    findings.push_back(
        {path,
         static_cast<int>(i) + 1,
         FirstCutColumn(entry, services, space),
         Severity::kWarning,
         {"the line is " + wide + " pixels wide, but " + space_text +
              " fit beside the portrait (x " + range + "): it is cut off from here",
          "この行の幅は " + wide + " ピクセルですが、立ち絵の横に入るのは " + space_text +
              " ピクセル (x " + range + ") です。ここから先は切れて見えません"}});
  }
}

}  // namespace game::check
