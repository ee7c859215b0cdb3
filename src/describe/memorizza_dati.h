#pragma once

#include <filesystem>

#include "model/scenario_model.h"

namespace tracciato {

// The two description texts a build reads. The built-in build deletes its
// own intermediate texts once read; a route author's files are never touched.
struct DescriptionSources {
  std::filesystem::path line_text;
  std::filesystem::path train_text;
  bool delete_after_reading = true;
};

// Reads the line description, then the train description, into the model:
// cells, plan, slots and montagna lists. The outcome is the error record
// (0 when nothing went wrong); a failure while reading is error 25.
void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources);

}  // namespace tracciato
