#include "model/scenario_model.h"

#include "model/rounding.h"

namespace tracciato {

std::int64_t last_cell_for_length(std::int64_t length) {
  return round_half_even_div(length + 7000, 50);
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
