#include "rules/check/warp.h"

#include <deque>
#include <set>
#include <utility>

#include "rules/contracts/app_error.h"
#include "rules/locale/language.h"
#include "rules/story/special_move.h"

namespace game::check {
namespace {

constexpr std::size_t kMaxLineDigits = 9;  // more than any story's lines, less than int's range

bool AllDigits(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

std::string Path() { return UnitStory::kStoryPath; }

std::optional<int> FindLabel(const MyScript& script, const std::string& target,
                             TextDecoder& decoder) {
  for (int i = 0; i + 1 < script.ScriptCount(); ++i) {
    const std::string& entry = script.ScriptLine(i);
    if (IsLabelAt(entry, 1) && decoder.SjisToUtf8(entry) == target) return i;
  }
  return std::nullopt;
}

// The flags just before `step` reads `entry`, when it reads it.
std::optional<StoryFlags> FlagsBefore(StoryWalk& walk, const WalkStep& step, int entry) {
  StoryFlags flags{.heat_on = step.from_heat};
  for (const int read : step.reads) {
    if (read == entry) return flags;
    switch (walk.KindOf(read)) {
      case StoryLineKind::kHeatOn:
        flags.heat_on = true;
        break;
      case StoryLineKind::kHeatOff:
        flags.heat_on = false;
        break;
      case StoryLineKind::kTrap: {
        WordArray words;
        ClassifyStoryLine(walk.Script().ScriptLine(read), words);
        flags.trap_armed = true;
        flags.trap_label = words[1];
        break;
      }
      default:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> FindWarpEntry(const MyScript& script, const std::string& target,
                                 TextDecoder& decoder, Language language, std::string& why) {
  const int lines = script.ScriptCount() - 1;  // the end marker is no line of the file
  if (!target.empty() && target[0] == '@') {
    if (const auto entry = FindLabel(script, target, decoder)) return entry;
    why = Bilingual{"there is no label " + target + " in " + Path(),
                    Path() + " にラベル " + target + " はありません"}
              .In(language);
    return std::nullopt;
  }
  if (!AllDigits(target)) {
    why = Bilingual{"\"" + target + "\" is neither a label (@name) nor a line number",
                    "「" + target + "」はラベル (@name) でも行番号でもありません"}
              .In(language);
    return std::nullopt;
  }
  const int line = target.size() > kMaxLineDigits ? -1 : std::stoi(target);
  if (line >= 1 && line <= lines) return line - 1;
  const std::string count = std::to_string(std::max(lines, 0));
  why = Bilingual{"there is no line " + target + " in " + Path() + ", which has " + count +
                      (lines == 1 ? " line" : " lines"),
                  Path() + " に " + target + " 行目はありません (全 " + count + " 行)"}
            .In(language);
  return std::nullopt;
}

std::optional<StoryFlags> FlagsOnTheWayTo(StoryWalk& walk, int entry) {
  const std::vector<WalkPage>& pages = walk.Pages();
  std::set<std::pair<int, int>> seen;  // (page, uses left)
  std::deque<std::pair<int, int>> queue;
  const auto reach = [&](int page, int uses) {
    if (seen.insert({page, uses}).second) queue.emplace_back(page, uses);
  };
  reach(0, SpecialMove::kUses);
  while (!queue.empty()) {
    const auto [id, uses] = queue.front();
    queue.pop_front();
    const WalkPage& page = pages[static_cast<std::size_t>(id)];
    if (!page.Ends() && page.next_step >= 0) {
      const WalkStep& step = walk.Steps()[static_cast<std::size_t>(page.next_step)];
      if (auto flags = FlagsBefore(walk, step, entry)) return flags;
      if (step.page >= 0) reach(step.page, uses);
    }
    if (page.after.flags.trap_armed && uses > 0 && page.answer >= 0) reach(page.answer, uses - 1);
  }
  return std::nullopt;
}

WarpPlan PlanWarp(FileSystem& files, TextDecoder& decoder, const std::string& target,
                  Language language) {
  WarpPlan plan;
  const std::string option = "--warp " + target + ": ";
  const auto does_not_load = [&](const std::string& message) {
    return option +
           Bilingual{Path() + " does not load: ", Path() + " を読み込めません: "}.In(language) +
           message;
  };
  StoryWalk walk(files, decoder);
  try {
    if (const auto message = walk.Load()) {
      plan.refusal = does_not_load(*message);
      return plan;
    }
  } catch (const AppError& error) {
    plan.refusal = does_not_load(ReportText(error.what()));
    return plan;
  }
  std::string why;
  const std::optional<int> entry = FindWarpEntry(walk.Script(), target, decoder, language, why);
  if (!entry) {
    plan.refusal = option + why;
    return plan;
  }
  plan.entry = *entry;
  walk.Walk();
  if (const auto flags = FlagsOnTheWayTo(walk, *entry)) {
    plan.flags = *flags;
  } else {
    const std::string place = Path() + ":" + std::to_string(*entry + 1);
    plan.warning =
        option +
        Bilingual{
            "no way through the story reads " + place +
                ", so the heat, the trap and the end start off",
            place + " まで読み進む道筋がないので、頬の赤み・罠・終わりはすべてオフで始まります"}
            .In(language);
  }
  return plan;
}

}  // namespace game::check
