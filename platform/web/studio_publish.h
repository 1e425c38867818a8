// Publishing from the studio: the story folder the page wrote to the module's file system written
// as the site story_export writes (the same site writer and zip writer), with the font cut down
// and the archive deflated by the page's own JavaScript (HarfBuzz's subsetter and a port of
// zlib's deflate, both run in the studio's worker).
#pragma once

#include <string>
#include <vector>

#include "platform/export/zip_writer.h"

namespace game::web {

// Where the page puts what a site is made of, in the module's file system.
inline constexpr char kPublishPlayer[] = "/publish/player";    // the player's files
inline constexpr char kPublishFace[] = "/publish/face.ttf";    // the face to cut down
inline constexpr char kPublishLicence[] = "/publish/licence";  // its licence
inline constexpr char kPublishSite[] = "/publish/site";        // the site, written anew
// The chosen folder as the page found it: every folder and file by its name, the files an earlier
// publish listed with their bytes, the others empty (only their names count).
inline constexpr char kPublishOld[] = "/publish/old";

struct Published {
  std::vector<std::string> written;  // the site's paths, in the order written
  std::string archive;               // with `zip`: the whole archive
};

// Writes the site of the story folder `story` under kPublishSite, titled `title` (UTF-8; empty:
// the game's own), and with `zip` its archive as story_export --zip writes it, else the export's
// manifest beside the site's files (the last path written). Throws what the site writer throws.
Published PublishSite(const std::string& story, const std::string& title, bool zip);

// What publishing into the folder mirrored at kPublishOld does there, as story_export does it
// (export_manifest.h): the files an earlier publish wrote and nobody changed since, which the new
// site may replace or remove (`own`); the author's files that the new site would replace, which
// only the author's word may (`replaced`); everything else stays. After PublishSite.
struct OldFolder {
  std::vector<std::string> own;
  std::vector<std::string> replaced;
};
OldFolder SortOldFolder();

// The files of `folder` as a zip archive (a read-only folder saved by download).
std::string FolderArchive(const std::string& folder);

}  // namespace game::web
