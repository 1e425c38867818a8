// The outside world switched off, for running the game's rules without a window (benchmarks, fuzz
// targets, whole-story tests): no files, message boxes nobody sees, no sound, a termination that
// is only noted, and labels decoded as their bytes. It is the recording fakes of fakes.h in one
// object, so one instance can be handed to every constructor that wants a part of the outside;
// what they record stays readable (what was shown, played, opened).
#pragma once

#include "rules/fakes/fakes.h"

namespace game::fakes {

class SilentServices : public FakeFileSystem,
                       public FakeMessageBoxes,
                       public FakeTermination,
                       public FakeSoundOutput,
                       public FakeTextDecoder {
 public:
  SilentServices() { brackets = false; }
};

}  // namespace game::fakes
