#include "rules/cli/programs.h"

namespace game::cli {

const Program& GameProgram() {
  static const Program program{
      .name = "luxarim", .options = {{"--warp", "TARGET"}, {"--watch", ""}, {"--low-power", ""}}};
  return program;
}

const Program& CheckProgram() {
  static const Program program{.name = "story_check",
                               .options = {{"--graph", "FILE"},
                                           {"--storyboard", "DIR"},
                                           {"--overwrite", ""},
                                           {"--large-graph", ""}},
                               .max_operands = 1};
  return program;
}

const Program& ExportProgram() {
  static const Program program{
      .name = "story_export",
      .options = {{"--zip", ""}, {"--force", ""}, {"--replace", ""}, {"--title", "TEXT"}},
      .min_operands = 2,
      .max_operands = 2,
      .missing_operands = {"give the story folder and where to write the site",
                           "物語のフォルダーと書き出し先を指定してください。"}};
  return program;
}

const Program& BitmapProgram() {
  static const Program program{
      .name = "bmp2png",
      .min_operands = 2,
      .max_operands = 2,
      .missing_operands = {"give IN.bmp and OUT.png", "IN.bmp と OUT.png を指定してください。"}};
  return program;
}

}  // namespace game::cli
