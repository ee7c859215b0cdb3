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
// file, whole 15-byte cells a track file. Throws UnclearFiles.
CompiledPaths paths_of(const std::vector<std::filesystem::path>& files);

// Reads and decodes the files, and checks that their sizes agree. Throws
// IoFailure or DecodeFailure.
CompiledScenario read_compiled(const CompiledPaths& paths);

}  // namespace tracciato
