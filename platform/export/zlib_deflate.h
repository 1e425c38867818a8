// The exporter's deflate for its zip archives: zlib's, at its best compression.
#pragma once

#include <string>

namespace game::exporting {

// `bytes` as raw deflate (no zlib header), level 9, a 32 KiB window and memory level 9: the same
// input always gives the same bytes. Throws std::runtime_error when zlib fails.
std::string ZlibRawDeflate(const std::string& bytes);

}  // namespace game::exporting
