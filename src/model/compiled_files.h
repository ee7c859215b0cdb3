#pragma once

#include <string>

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

}  // namespace tracciato
