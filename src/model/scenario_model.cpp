#include "model/scenario_model.h"

#include <cmath>

namespace tracciato {

std::int64_t last_cell_for_length(std::int64_t length) {
  return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(length + 7000) / 50.0));
}

void create_track(ScenarioModel& model, std::int64_t length) {
  model.cells.emplace(last_cell_for_length(length));
  if (model.write_line_file != 0) {
    model.plan.emplace(length + 7000);
  } else {
    model.plan.reset();
  }
}

}  // namespace tracciato
