// How long the whole built-in build takes, and its compile step alone.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "compile/memorizza_percorso.h"
#include "describe/description_texts.h"
#include "driver/builtin_build.h"

namespace {

namespace fs = std::filesystem;

fs::path scratch_folder() {
  const fs::path folder = fs::temp_directory_path() / "tracciato-benchmark";
  fs::create_directories(folder);
  return folder;
}

void BM_BuiltinBuild(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  for (auto _ : state) {
    tracciato::ScenarioModel model;
    benchmark::DoNotOptimize(tracciato::run_builtin_build(model, folder));
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_BuiltinBuild)->Unit(benchmark::kMillisecond);

void BM_CompileStep(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  tracciato::ScenarioModel model;
  model.scenario_name = tracciato::builtin_scenario_name;
  model.train_number = tracciato::builtin_train_number;
  const tracciato::DescriptionSources sources{folder / tracciato::line_text_name(model),
                                              folder / tracciato::train_text_name(model), false};
  tracciato::dati_linea(model, folder);
  tracciato::dati_treno(model, folder);
  for (auto _ : state) {
    benchmark::DoNotOptimize(tracciato::memorizza_percorso(model, 1, sources, folder));
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_CompileStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
