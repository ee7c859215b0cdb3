#pragma once

// Scenarios compiled in memory once: the built-in one, which the inspect
// target diffs against, and a short route whose files keep a lone fuzzed
// file company.
#include "compile/memorizza_percorso.h"
#include "compile/write_compiled_files.h"
#include "describe/description_texts.h"
#include "driver/builtin_build.h"
#include "model/decode_compiled.h"

namespace tracciato::fuzz {

struct BuiltinImages {
  std::string line;
  std::string scenario;
  std::string track;
  CompiledScenario decoded;
};

inline BuiltinImages compiled(const std::string& line, const std::string& train) {
  ScenarioModel model;
  model.scenario_name = builtin_scenario_name;
  model.train_number = builtin_train_number;
  SourceMap map;
  compile_scenario(model, 1, {"l.txt", "t.txt", false, &line, &train}, map);
  const auto files = compiled_images(model);
  return {files[0].bytes, files[1].bytes, files[2].bytes, {model.slots, *model.cells, model.plan}};
}

inline const BuiltinImages& builtin_images() {
  static const BuiltinImages images = compiled(builtin_line_bytes(), builtin_train_bytes());
  return images;
}

// A route of 1,000 plan rows with one of each feature: the companions of a
// lone fuzzed file, small enough that every view of it is quick to make.
inline const BuiltinImages& short_route_images() {
  static const BuiltinImages images = compiled(
      "[generale]\nlunghezza percorso, -6000\n[fine generale]\ncurvad2, 100, 300\n"
      "pendenza, 200, 5\nmontagna, 300, 400, 2\n"
      "indicatori_vmax, 500, 100, 110, 115, 0, 100, 110, 115, 0\n"
      "cartello_indicatore, 650, (PONTE)\n[fine]\n",
      "[generale]\nvelocita, 0, 100\n"
      "stazione, 0, 7, 200, 1, 0, 1, 4,1,0, 2,1,1, 1, 12, 5, 0, ALFA\n"
      "segnale, 850, 2, 3, 1, 0, 0, 0, 0,0,0, 0\n[fine]\n");
  return images;
}

}  // namespace tracciato::fuzz
