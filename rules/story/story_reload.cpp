#include "rules/story/story_reload.h"

#include <algorithm>

#include "rules/contracts/app_error.h"

namespace game {
namespace {

bool IsBreak(const std::string& entry) { return entry.empty() || IsLabelAt(entry, 1); }

int CommonPrefix(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  const auto [end_a, end_b] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  return static_cast<int>(end_a - a.begin());
}

// The lines equal at the ends of both tables, none of them among the first `prefix`.
int CommonSuffix(const std::vector<std::string>& a, const std::vector<std::string>& b, int prefix) {
  const int most = static_cast<int>(std::min(a.size(), b.size())) - prefix;
  int n = 0;
  while (n < most && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
  return n;
}

}  // namespace

int PageStartAtOrBefore(const std::vector<std::string>& entries, int i) {
  while (i > 0 && !IsPageStart(entries, i)) --i;
  return std::max(i, 0);
}

bool IsPageStart(const std::vector<std::string>& entries, int i) {
  if (i <= 0) return i == 0;
  if (i >= static_cast<int>(entries.size())) return false;
  return IsBreak(entries[static_cast<std::size_t>(i) - 1]);
}

int ReadOnCursor(const std::vector<std::string>& before, const std::vector<std::string>& now,
                 int cursor) {
  const int old_count = static_cast<int>(before.size());
  const int new_count = static_cast<int>(now.size());
  if (cursor >= old_count) return new_count;
  const int prefix = CommonPrefix(before, now);
  if (cursor < prefix) return cursor;
  const int suffix = CommonSuffix(before, now, prefix);
  if (cursor > prefix && cursor >= old_count - suffix) return cursor + new_count - old_count;
  if (new_count == 0) return 0;
  // The line changed, went, or new lines came right where reading was: from the page that holds
  // that place, as far as the edit reaches in the new table.
  return PageStartAtOrBefore(now, std::min({cursor, new_count - suffix, new_count - 1}));
}

Reloaded ReloadScript(MyScript& script, FileSystem& files, const std::string& path) {
  const std::unique_ptr<InputFile> file = files.OpenForReading(path);
  if (file->Size() > MyScript::kMaxFileBytes) ThrowRangeError();
  const std::string bytes = ReadUpTo(*file, MyScript::kMaxFileBytes + 1);
  if (bytes.size() > MyScript::kMaxFileBytes) ThrowRangeError();
  // A file holds no line when it is empty or ends at once at a Ctrl-Z.
  const bool holds_lines = !bytes.empty() && bytes.front() != '\x1a';
  if (!holds_lines && script.ScriptCount() > 1) return Reloaded::kHeldBack;
  const std::vector<std::string> before = script.Entries();
  const int cursor = script.ScriptCursor();
  script.LoadFromBytes(bytes, false);
  script.SetScriptCursor(before.empty() ? 0 : ReadOnCursor(before, script.Entries(), cursor));
  return Reloaded::kRead;
}

}  // namespace game
