#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tracciato {

// What a command checks before it touches anything, so that a wrong path
// fails at once, with its reason, and not halfway through the work.

// Why `path` cannot be read as an input text ("no such file", "is a
// folder, not a file", "is empty", ...), or nullopt when it can.
std::optional<std::string> unfit_input(const std::filesystem::path& path);

// Why no file can be written at `path` (its folder is missing, or the path
// names a folder), or nullopt when one can.
std::optional<std::string> unfit_output(const std::filesystem::path& path);

// Whether two paths name one file: the same file, through links, when both
// stand; the same place once their folders' links are resolved otherwise.
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace tracciato
