#pragma once

#include <filesystem>
#include <string_view>

namespace tracciato {

// Makes `target` hold exactly `bytes`. The bytes go to a temporary file in
// the same folder, which is then renamed over the target: a failed or
// interrupted write never leaves a truncated file where a complete one
// stood, and no temporary is left behind. Throws IoFailure.
void replace_file(const std::filesystem::path& target, std::string_view bytes);

// Reads a whole file. Throws IoFailure.
std::string read_file(const std::filesystem::path& path);

}  // namespace tracciato
