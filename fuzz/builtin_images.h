#pragma once

// The built-in scenario compiled in memory once: what the inspect target
// diffs against, and the companions of a lone fuzzed file.
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

inline const BuiltinImages& builtin_images() {
  static const BuiltinImages images = [] {
    ScenarioModel model;
    model.scenario_name = builtin_scenario_name;
    model.train_number = builtin_train_number;
    const std::string line = builtin_line_bytes();
    const std::string train = builtin_train_bytes();
    SourceMap map;
    compile_scenario(model, 1, {"l.txt", "t.txt", false, &line, &train}, map);
    const auto files = compiled_images(model);
    BuiltinImages out{
        files[0].bytes, files[1].bytes, files[2].bytes, {model.slots, *model.cells, model.plan}};
    return out;
  }();
  return images;
}

}  // namespace tracciato::fuzz
