#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/scenario_model.h"

namespace tracciato {

// The byte images of the three compiled files.
std::string line_file_image(const TrackPlan& plan);
std::string scenario_file_image(const SlotTable& slots);
std::string track_file_image(const CellArray& cells);

// File names, formed from the scenario identity.
std::string line_file_name(const ScenarioModel& model);      // <scenario>_linea.dat
std::string scenario_file_name(const ScenarioModel& model);  // <scenario>_<train>.sim
std::string track_file_name(const ScenarioModel& model);     // <scenario>_<train>.dat

// Writes the line file (only when write_line_file is set and a plan exists),
// the scenario file and the track file into the folder, in that order, one
// at a time; returns the names written. Throws IoFailure.
std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder);

}  // namespace tracciato
