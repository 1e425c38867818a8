#include "check/line_width_check.h"

#include "contracts/app_error.h"
#include "story/unit_story.h"
#include "text/my_string.h"

namespace game::check {
namespace {

// The byte (from 1) of the first character whose right edge lies past `space`.
int FirstCutColumn(const std::string& line, CheckServices& services, int space) {
  for (std::size_t end = 0; end < line.size();) {
    const std::size_t start = end;
    end += IsSjisLeadByte(static_cast<unsigned char>(line[end])) ? 2 : 1;
    if (services.LineWidth(std::string_view(line).substr(0, end)) > space) {
      return static_cast<int>(start) + 1;
    }
  }
  return 1;
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
    const int width = services.LineWidth(entry);
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
              " ピクセル (x " + range + ") です: ここから先が切れます"}});
  }
}

}  // namespace game::check
