#pragma once

#include <string>

#include "model/scenario_model.h"
#include "platform/byte_sink.h"

namespace tracciato {

// The three compiled files, written straight from the model into a sink.
void write_line_file(const TrackPlan& plan, ByteSink& sink);
void write_scenario_file(const SlotTable& slots, ByteSink& sink);
void write_track_file(const CellArray& cells, ByteSink& sink);

// The same bytes, whole in memory.
std::string line_file_image(const TrackPlan& plan);
std::string scenario_file_image(const SlotTable& slots);
std::string track_file_image(const CellArray& cells);

// File names, formed from the scenario identity.
std::string line_file_name(const ScenarioModel& model);      // <scenario>_linea.dat
std::string scenario_file_name(const ScenarioModel& model);  // <scenario>_<train>.sim
std::string track_file_name(const ScenarioModel& model);     // <scenario>_<train>.dat

}  // namespace tracciato
