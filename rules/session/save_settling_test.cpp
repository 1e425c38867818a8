#include "rules/session/save_settling.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace game {
namespace {

class StampTable : public FileStamps {
 public:
  FileStamp StampOf(const std::string& path) override { return stamps[path]; }
  std::map<std::string, FileStamp> stamps;
};

FileStamp Sized(std::int64_t size) { return {.exists = true, .size = size}; }

// Each change: at `at` ms the file at `path` takes `stamp`, and the folder stirs unless the watch
// missed it. Returns the times at which the settling reported something, and what.
struct Change {
  std::int32_t at;
  std::string path;
  FileStamp stamp;
  bool stirs = true;
};

std::vector<std::pair<std::int32_t, SavedChanges>> Reports(const std::vector<Change>& changes) {
  StampTable table;
  table.stamps["s"] = Sized(10);
  table.stamps["f"] = Sized(20);
  SaveSettling settling(table, "s", {"f"});
  std::vector<std::pair<std::int32_t, SavedChanges>> reports;
  for (std::int32_t now = 0; now < 5000; ++now) {
    for (const Change& change : changes) {
      if (change.at != now) continue;
      table.stamps[change.path] = change.stamp;
      if (change.stirs) settling.Stirred(now);
    }
    if (settling.LookDueIn(now).value_or(1) > 0) continue;
    if (const SavedChanges saved = settling.Look(now); saved.Any()) reports.push_back({now, saved});
  }
  return reports;
}

TEST(SaveSettling, ReportsAFileOnceItHasKeptStillForTheQuietPeriod) {
  constexpr std::int32_t q = SaveSettling::kQuietMs;
  const SavedChanges story{.story = true};
  const SavedChanges frames{.frames = true};
  const struct {
    const char* name;
    std::vector<Change> changes;
    std::vector<std::pair<std::int32_t, SavedChanges>> expected;
  } cases[] = {
      {"one write", {{5, "s", Sized(11)}}, {{5 + q, story}}},
      {"writes closer than the quiet period",
       {{5, "s", Sized(0)}, {5 + q - 1, "s", Sized(11)}},
       {{5 + 2 * q - 1, story}}},
      {"a frame and the story together",
       {{5, "s", Sized(11)}, {6, "f", Sized(0)}},
       {{6 + q, {.story = true, .frames = true}}}},
      {"a change the watch missed is waited out",
       {{5, "f", Sized(30)}, {5 + q / 2, "f", Sized(40), false}},
       {{5 + 2 * q, frames}}},
      {"a file put back as it was", {{5, "s", Sized(0)}, {10, "s", Sized(10)}}, {}},
      {"two saves far apart",
       {{5, "f", Sized(21)}, {2000, "s", Sized(12)}},
       {{5 + q, frames}, {2000 + q, story}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Reports(c.changes), c.expected) << c.name;
}

}  // namespace
}  // namespace game
