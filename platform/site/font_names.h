// Renaming a TrueType/OpenType font: its 'name' table's family, full, unique and PostScript
// names replaced, the tables laid out again and every checksum made right. A modified font may
// travel only under a name of its own (the IPA font licence): the site's face is the renamed
// subset.
#pragma once

#include <string>

#include "rules/contracts/app_error.h"

namespace game {

// `font` (the bytes of a single-font sfnt file: TrueType outlines or CFF) with every record of
// the 'name' table whose name ID is 1 (family), 3 (unique identifier), 4 (full name), 6
// (PostScript name), 16 (typographic family) or 18 (compatible full name) set to `name`, in
// every platform and language the table has them (Windows and Unicode records in UTF-16BE,
// Macintosh records in ASCII). Other records and tables are kept byte for byte; the tables are
// written in the order of the table directory, each on a 4-byte boundary, with their checksums
// and the 'head' table's checksum adjustment recomputed. `name` must be printable ASCII (a
// PostScript name allows no spaces: give one without). Throws AppError when `font` is not such a
// file or lacks a 'name' or 'head' table.
std::string RenameFont(const std::string& font, const std::string& name);

// The checksum of an sfnt table: its bytes as big-endian 32-bit words (the last padded with
// zeros) summed modulo 2^32.
std::uint32_t SfntChecksum(const std::string& bytes);

}  // namespace game
