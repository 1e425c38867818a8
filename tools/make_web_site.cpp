// make_web_site: writes the static web site of a story folder (site/site_writer.h).
//   make_web_site STORY_FOLDER OUT_FOLDER --player FOLDER [--player FOLDER ...] --font FILE
//            --licence FILE [--title TEXT]
#include <cstdio>
#include <exception>
#include <string>

#include "platform/site/hb_subset.h"
#include "platform/site/site_writer.h"
#include "rules/story/game_texts.h"
#include "rules/text/sjis_decoder.h"

int main(int argc, char** argv) {
  game::SiteInput input;
  input.title = game::kGameTitleText;
  std::string positional[2];
  int positional_count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool has_value = i + 1 < argc;
    if (argument == "--player" && has_value) {
      input.player.emplace_back(argv[++i]);
    } else if (argument == "--font" && has_value) {
      input.font = argv[++i];
    } else if (argument == "--licence" && has_value) {
      input.licence = argv[++i];
    } else if (argument == "--title" && has_value) {
      input.title = argv[++i];
    } else if (!argument.starts_with("--") && positional_count < 2) {
      positional[positional_count++] = argument;
    } else {
      std::fprintf(stderr, "make_web_site: unexpected argument %s\n", argument.c_str());
      return 2;
    }
  }
  if (positional_count != 2 || input.player.empty() || input.font.empty() ||
      input.licence.empty()) {
    std::fprintf(stderr,
                 "usage: make_web_site STORY_FOLDER OUT_FOLDER --player FOLDER... --font FILE "
                 "--licence FILE [--title TEXT]\n");
    return 2;
  }
  input.story = positional[0];
  try {
    game::SjisTextDecoder decoder;
    const auto written = game::WriteSite(input, positional[1], decoder, game::HbSubset);
    std::printf("make_web_site: %zu files in %s\n", written.size(), positional[1].c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_web_site: %s\n", e.what());
    return 1;
  }
  return 0;
}
