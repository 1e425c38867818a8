// A story on the bench: the outside world as recording fakes (files in memory, message boxes,
// termination, a decoder that brackets what it decodes), a script table over them and a story
// over the table. Tests derive their fixture from it, or hold one, then load lines, press Next and
// read the page and the fakes back directly.
// Header-only and plain C++: the rules' tests also run in WebAssembly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/fakes/fakes.h"
#include "rules/script/my_script.h"
#include "rules/story/unit_story.h"
#include "tests/support/script_bytes.h"

namespace game::testing {

using Page = std::vector<std::string>;

struct StoryBench {
  // Stores `bytes` as the file at `path` (the story by default) and returns the path.
  std::string Write(std::string_view bytes, const std::string& path = UnitStory::kStoryPath) {
    files.files[path] = std::string(bytes);
    return path;
  }
  // Loads the table from `lines` as a story file holds them (unscrambled).
  void Load(const std::vector<std::string>& lines) {
    script.LoadFromBytes(ScriptBytes(lines), false);
  }
  // Loads the table from a story file's `bytes` and presses Next once.
  void ShowFirstPage(std::string_view bytes) {
    script.LoadFromBytes(bytes, false);
    story.StepStory();
  }
  // One Next press; the page it leaves.
  Page Step() {
    story.StepStory();
    return Shown();
  }
  // The page as it stands: the story's page lines, without the unused places.
  Page Shown() const {
    return Page(story.PageLines().begin(), story.PageLines().begin() + story.PageLineCount());
  }

  fakes::FakeFileSystem files;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeTermination termination;
  fakes::FakeTextDecoder decoder;
  MyScript script{files, boxes, termination};
  UnitStory story{script, boxes, termination, decoder};
};

}  // namespace game::testing
