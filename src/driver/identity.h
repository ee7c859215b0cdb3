#pragma once

#include <optional>
#include <string>

namespace tracciato {

// Why a scenario name or train number cannot name files in the output
// folder (empty, over 200 bytes, a path separator, "..", a control character, a byte the
// code page cannot hold); nullopt when it can.
std::optional<std::string> unfit_for_file_name(const std::string& value);

}  // namespace tracciato
