#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/decode_compiled.h"

namespace tracciato {

// The files of one compiled scenario; the line file may be absent.
struct CompiledPaths {
  std::optional<std::filesystem::path> line;
  std::filesystem::path scenario;
  std::filesystem::path track;
};

// A set of files that does not make one scenario.
class UnclearFiles : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// `<NAME>_<NUMBER>.sim` and `.dat` in `folder`, and `<NAME>_linea.dat`
// when it stands there.
CompiledPaths paths_in(const std::filesystem::path& folder, const std::string& name,
                       const std::string& number);
// Two or three files, each told apart by its name (`_linea.dat`, `.sim`,
// `.dat`) or, failing that, by its bytes: 87 slot records make a scenario
// file, whole 15-byte cells a track file. Throws UnclearFiles, or
// IoFailure for a file that is not a regular file or cannot be read.
CompiledPaths paths_of(const std::vector<std::filesystem::path>& files);

// Reads and decodes the files, regular files only. The scenario file comes
// first; the route length it states fixes the size of the other two, and a
// file of another size is refused before it is read, so that no file is
// read further than its size there. Throws IoFailure or DecodeFailure, or
// UnclearFiles when a run was interrupted while it replaced them.
CompiledScenario read_compiled(const CompiledPaths& paths);

}  // namespace tracciato
