// Where an export goes: the site's folder OUT, or with --zip the archive OUT. The site is first
// written into a staging folder beside OUT, so that a refused or failed export leaves OUT as it
// was, and only a finished site replaces it.
//
// A folder OUT may be missing, an empty folder, or a folder that holds an earlier export (an
// index.html at its root): its files are replaced by the new site's, but entries whose names begin
// with '.' (.git and the like) are kept. Any other folder, or a file, is refused. A zip OUT may be
// missing or a file, which is replaced; a folder is refused.
#pragma once

#include <filesystem>
#include <optional>

#include "rules/check/finding.h"

namespace game::exporting {

class ExportTarget {
 public:
  ExportTarget(std::filesystem::path out, bool zip);
  // Removes the staging folder when the site was not published.
  ~ExportTarget();
  ExportTarget(const ExportTarget&) = delete;
  ExportTarget& operator=(const ExportTarget&) = delete;

  // Makes the empty staging folder beside OUT and returns it; without one (OUT refused as above,
  // its folder missing or not writable) it returns nothing and says why in `problem`.
  std::optional<std::filesystem::path> Stage(check::Message& problem);

  // Puts the staged site in OUT's place, as it is or zipped (see zip_writer.h). Throws
  // std::filesystem::filesystem_error (or the zip writer's errors) when it cannot.
  void Publish();

 private:
  std::optional<check::Message> OutProblem() const;
  void PublishFolder();
  void PublishZip();

  std::string name_;  // OUT as the author gave it, for messages
  std::filesystem::path out_;
  bool zip_;
  std::filesystem::path staging_;
};

}  // namespace game::exporting
