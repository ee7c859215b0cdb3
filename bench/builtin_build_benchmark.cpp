// How long the whole built-in build takes, its compile step alone at three
// route lengths, check, and reading back and drawing what it wrote.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "check/check_route.h"
#include "compile/memorizza_percorso.h"
#include "describe/description_texts.h"
#include "driver/builtin_build.h"
#include "long_route.h"
#include "readback/compiled_set.h"
#include "readback/scenario_report.h"
#include "render/render_page.h"

namespace {

namespace fs = std::filesystem;

fs::path scratch_folder() {
  const fs::path folder = fs::temp_directory_path() / "tracciato-benchmark";
  fs::create_directories(folder);
  return folder;
}

// The built-in identity, with its two description texts written into `folder`.
tracciato::ScenarioModel builtin_texts_in(const fs::path& folder) {
  tracciato::ScenarioModel model;
  model.scenario_name = tracciato::builtin_scenario_name;
  model.train_number = tracciato::builtin_train_number;
  tracciato::OutputTransaction output({folder}, nullptr);
  tracciato::dati_linea(model, folder, output);
  tracciato::dati_treno(model, folder, output);
  output.commit();
  return model;
}

// The built-in build into `folder`, committed; the names of its compiled files.
std::vector<std::string> build_into(tracciato::ScenarioModel& model, const fs::path& folder) {
  tracciato::OutputTransaction output({folder}, nullptr);
  auto names = tracciato::run_builtin_build(model, folder, output);
  output.commit();
  return names;
}

// The bytes of the files a build wrote into `folder`.
std::int64_t bytes_in(const fs::path& folder, const std::vector<std::string>& names) {
  std::int64_t total = 0;
  for (const std::string& name : names)
    total += static_cast<std::int64_t>(fs::file_size(folder / name));
  return total;
}

// The whole built-in build: five texts and three compiled files written.
void BM_BuiltinBuild(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  std::int64_t written = 0;
  for (auto _ : state) {
    tracciato::ScenarioModel model;
    const auto names = build_into(model, folder);
    state.PauseTiming();
    written += bytes_in(folder, names);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(written);
  fs::remove_all(folder);
}
BENCHMARK(BM_BuiltinBuild)->Unit(benchmark::kMillisecond);

// What `compile` does for a route of state.range(0) km, from its two texts
// on disk to its three compiled files.
void BM_Compile(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  const auto texts = tracciato::bench::long_route(static_cast<int>(state.range(0)));
  std::ofstream(folder / "linea.txt", std::ios::binary) << texts.line;
  std::ofstream(folder / "treno.txt", std::ios::binary) << texts.train;
  const tracciato::DescriptionSources sources{folder / "linea.txt", folder / "treno.txt", false};
  std::int64_t written = 0;
  for (auto _ : state) {
    tracciato::ScenarioModel model;
    model.scenario_name = "Lungo";
    model.train_number = "1";
    tracciato::OutputTransaction output({folder}, nullptr);
    const auto names = tracciato::memorizza_percorso(model, 1, sources, folder, output);
    output.commit();
    state.PauseTiming();
    if (model.error_code != 0) state.SkipWithError("the long route does not compile clean");
    written += bytes_in(folder, names);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(written);
  fs::remove_all(folder);
}
BENCHMARK(BM_Compile)->Arg(68)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond);

// check of the built-in texts: one compile in memory with the readers observed.
void BM_CheckBuiltin(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  const tracciato::ScenarioModel model = builtin_texts_in(folder);
  tracciato::CheckRequest request;
  request.line = folder / tracciato::line_text_name(model);
  request.train = folder / tracciato::train_text_name(model);
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::check_route(request));
  fs::remove_all(folder);
}
BENCHMARK(BM_CheckBuiltin)->Unit(benchmark::kMillisecond);

// check of the built-in texts with 20 faults that each stop reading: one
// compile per fault, to read on past each.
void BM_CheckTwentyFaults(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  const tracciato::ScenarioModel model = builtin_texts_in(folder);
  std::string train = "[generale]\nvelocita, 0, 100\n";
  for (int k = 0; k < 20; ++k) {  // each station off the grid
    train += "stazione, " + std::to_string(4025 + 3000 * k) +
             ", 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n";
  }
  tracciato::CheckRequest request;
  request.line = folder / tracciato::line_text_name(model);
  request.train = folder / "faults.txt";
  std::ofstream(request.train, std::ios::binary) << train;
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::check_route(request));
  fs::remove_all(folder);
}
BENCHMARK(BM_CheckTwentyFaults)->Unit(benchmark::kMillisecond);

// check of a megabyte of text with 1,200 faults that each stop reading and
// tens of thousands of warnings: the rounds stop at the reading budget.
void BM_CheckMegabyte(benchmark::State& state) {
  std::string line = "[generale]\nlunghezza percorso, 68000\n[fine generale]\n";
  for (int k = 0; k < 60000; ++k) line += "pendenza, " + std::to_string(50 * (k % 1300)) + ", 5\n";
  line += "[fine]\n";
  std::string train = "[generale]\nvelocita, 0, 100\n";
  for (int k = 0; k < 1200; ++k) {  // each beyond the track
    train += "segnale, " + std::to_string(90000 + 50 * k) + ", 1, 4,0,0, 0, 0, 0,0,0, 0\n";
  }
  train += "[fine]\n";
  tracciato::CheckRequest request;
  request.line = "l.txt";
  request.train = "t.txt";
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::check_texts(request, {line, train}));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(line.size() + train.size()));
}
BENCHMARK(BM_CheckMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace

// Reading the built-in build's three compiled files back, and what inspect
// and render make of them.
void BM_ReadCompiled(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  tracciato::ScenarioModel model;
  build_into(model, folder);
  const auto paths = tracciato::paths_in(folder, model.scenario_name, model.train_number);
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::read_compiled(paths));
  fs::remove_all(folder);
}
BENCHMARK(BM_ReadCompiled)->Unit(benchmark::kMillisecond);

void BM_InspectText(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  tracciato::ScenarioModel model;
  build_into(model, folder);
  const tracciato::CompiledScenario scenario = tracciato::read_compiled(
      tracciato::paths_in(folder, model.scenario_name, model.train_number));
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::inspect_text(scenario, {}));
  fs::remove_all(folder);
}
BENCHMARK(BM_InspectText)->Unit(benchmark::kMillisecond);

void BM_RenderPage(benchmark::State& state) {
  const fs::path folder = scratch_folder();
  tracciato::ScenarioModel model;
  build_into(model, folder);
  const tracciato::CompiledScenario scenario = tracciato::read_compiled(
      tracciato::paths_in(folder, model.scenario_name, model.train_number));
  const tracciato::RenderRequest request{model.scenario_name, model.train_number, {}, {}};
  for (auto _ : state) benchmark::DoNotOptimize(tracciato::render_page(scenario, request));
  fs::remove_all(folder);
}
BENCHMARK(BM_RenderPage)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
