// A program made of the rules library alone: it plays a small story through the store and the
// interpreter with the outside world switched off. The build checks that it needs neither Qt nor
// SDL to run.
#include <cstdio>

#include "rules/fakes/silent_services.h"
#include "rules/script/my_script.h"
#include "rules/story/unit_story.h"

int main() {
  game::fakes::SilentServices outside;
  game::MyScript script(outside, outside, outside);
  game::UnitStory story(script, outside, outside, outside);
  script.LoadFromBytes("first page\n\nsecond page\n#end\n", false);
  int pages = 0;
  while (!outside.Terminated() && pages < 10) {
    story.StepStory();
    ++pages;
  }
  std::printf("%d pages\n", pages);
  return pages == 3 ? 0 : 1;
}
