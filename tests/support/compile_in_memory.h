#pragma once

// A scenario compiled from description texts held in memory, in the form a
// decoder gives back from its files.
#include <string>

#include "compile/memorizza_percorso.h"
#include "describe/source_map.h"
#include "model/decode_compiled.h"

namespace tracciato::testing {

struct InMemoryCompile {
  std::string scenario = "S";
  std::string train_number = "1";
  bool line_file = true;
};

inline CompiledScenario compile_in_memory(const std::string& line, const std::string& train,
                                          const InMemoryCompile& options = {},
                                          int* error_code = nullptr) {
  ScenarioModel model;
  model.scenario_name = options.scenario;
  model.train_number = options.train_number;
  SourceMap map;
  compile_scenario(model, options.line_file ? 1 : 0, {"l.txt", "t.txt", false, &line, &train}, map,
                   nullptr);
  if (error_code != nullptr) *error_code = model.error_code;
  return {model.slots, *model.cells, options.line_file ? model.plan : std::nullopt};
}

}  // namespace tracciato::testing
