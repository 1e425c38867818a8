// Where an export goes: the site's folder OUT, or with --zip the archive OUT. Nothing the author
// has is lost on the way:
//
// - The story folder, and any folder that holds it (OUT = the story's parent, "." above it), is
//   never an OUT; nor, for a zip, one of the story's own files.
// - The site is written into a new folder beside OUT (beside the folder a link OUT points to),
//   which then takes OUT's place in one step (a rename, or an exchange of the two folders); the
//   old site is removed only after the swap. A failure before the swap leaves OUT as it was.
// - What OUT held is sorted by the manifest of the earlier export (export_manifest.h): its own
//   unchanged files go with the old site; everything else (version control, CNAME, the author's
//   pages) is moved into the new site and kept, unless the new site has a file of that name: then
//   the export is refused with the list, and replaces them only when `replace` is given.
// - A zip is written to a file beside OUT and renamed over it; an existing OUT is replaced only
//   when it is a zip this exporter wrote, or when `replace` is given. A folder is refused.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/export/export_files.h"
#include "rules/check/finding.h"

namespace game::exporting {

struct TargetRequest {
  std::filesystem::path out;    // as the author gave it
  std::filesystem::path story;  // the story folder being exported
  bool zip = false;
  bool replace = false;  // replace what OUT holds that the export did not write
};

class ExportTarget {
 public:
  ExportTarget(ExportFiles& files, const TargetRequest& request);
  // Removes the staging folder when the site was not published.
  ~ExportTarget();
  ExportTarget(const ExportTarget&) = delete;
  ExportTarget& operator=(const ExportTarget&) = delete;

  // Makes the empty staging folder beside OUT and returns it; without one (OUT refused as above,
  // its folder missing or not writable) it returns nothing and says why in `problem`.
  std::optional<std::filesystem::path> Stage(check::Message& problem);

  // Puts the staged site in OUT's place, as it is or zipped (see zip_writer.h). Returns why it
  // could not (OUT then is as it was). `note` gets a line when the new site is in place but the
  // old one could not be removed.
  std::optional<check::Message> Publish(std::optional<check::Message>& note);

  // "cannot write OUT: " and the cause, in both languages.
  check::Message CannotWrite(std::error_code error) const;

 private:
  std::optional<check::Message> OutProblem() const;
  std::optional<check::Message> PublishFolder(std::optional<check::Message>& note);
  std::optional<check::Message> PublishZip();
  std::optional<check::Message> MoveKept(const std::vector<std::filesystem::path>& kept);
  void MoveBack();
  std::error_code Swap();
  std::error_code CopyStaging(const std::filesystem::path& copy);
  std::filesystem::path FreeNameBeside(const std::string& suffix) const;

  ExportFiles& files_;
  TargetRequest request_;
  std::string name_;            // OUT as the author gave it, for messages
  std::filesystem::path real_;  // OUT with its links followed: where the site goes
  std::filesystem::path staging_;
  std::vector<std::filesystem::path> moved_;  // kept entries moved into the staging folder
};

}  // namespace game::exporting
