// Files of the companion written whole or not at all.
#pragma once

#include <filesystem>
#include <string_view>

namespace gemi::analysis {

// Writes `text` as `target`: into a temporary file of the same folder first
// (".<name>.yaziliyor"), then renamed over the target, so that a reader never
// sees half a file and a failed write leaves the previous file as it was.
// Returns false, with no temporary file left behind, when the folder cannot
// take the file (no permission, disk full, a folder under that name).
[[nodiscard]] bool writeWholeFile(const std::filesystem::path& target, std::string_view text);

}  // namespace gemi::analysis
