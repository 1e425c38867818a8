// Loads arbitrary bytes as a story and plays it: the first bytes choose a sequence of Next and
// special-move presses, the rest is the script. Every step must return (jump cycles included),
// the page never holds more than five lines, and the cursor stays within the table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rules/contracts/app_error.h"
#include "rules/fakes/silent_services.h"
#include "rules/script/my_script.h"
#include "rules/sound/my_wave.h"
#include "rules/story/unit_story.h"

namespace {

void Check(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "story_fuzz: broken promise: %s\n", promise);
  std::abort();
}

// Presses a button: bit set = the special move, clear = Next. Errors that abandon a step are
// what the error report shows; the game goes on after them.
void Press(bool special, game::UnitStory& story, game::MyWave& wave, std::int32_t& portrait) {
  try {
    if (special) {
      story.TrapResponse(wave, portrait);
    } else {
      story.StepStory();
    }
  } catch (const game::AppError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kPlanBytes = 4;
  if (size < kPlanBytes) return 0;
  std::uint32_t plan = 0;
  for (std::size_t i = 0; i < kPlanBytes; ++i) plan = plan << 8 | data[i];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + kPlanBytes, size - kPlanBytes);

  game::fakes::SilentServices outside;
  game::MyScript script(outside, outside, outside);
  try {
    script.LoadFromBytes(bytes, (plan & 1) != 0);
  } catch (const game::AppError&) {
  }
  game::UnitStory story(script, outside, outside, outside);
  game::MyWave wave(outside);
  std::int32_t portrait = 3;
  for (int press = 1; press < 32 && !outside.Terminated(); ++press) {
    Press((plan >> press & 1) != 0, story, wave, portrait);
    Check(story.PageLineCount() >= 0 && story.PageLineCount() <= 5, "a page holds 0 to 5 lines");
    Check(script.ScriptCursor() >= 0 && script.ScriptCursor() <= script.ScriptCount(),
          "the cursor stays within the table");
    Check(portrait == 0 || portrait == 3, "only an answer moves the portrait, to frame 0");
  }
  return 0;
}
