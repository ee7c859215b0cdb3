#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/scenario_model.h"

namespace tracciato {

// Writes the line file (only when write_line_file is set and a plan exists),
// the scenario file and the track file into the folder, in that order, one
// at a time, each replacing the old file whole; returns the names written.
// Throws IoFailure.
std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder);

}  // namespace tracciato
