#pragma once

#include "model/scenario_model.h"

namespace tracciato::testing {

// A model with the built-in route's empty track: cells 0 .. 1500.
inline ScenarioModel with_track(std::int64_t length = 68000) {
  ScenarioModel model;
  create_track(model, length);
  return model;
}

}  // namespace tracciato::testing
