#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/scenario_model.h"
#include "platform/byte_sink.h"
#include "platform/output_transaction.h"

namespace tracciato {

// Stages the line file (only when write_line_file is set and a plan
// exists), the scenario file and the track file in the folder, in that
// order, for `output` to commit; returns their names. Throws IoFailure.
std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder,
                                              OutputTransaction& output);

// The files a compile leaves, in the order they are written, each with a
// way to stream its bytes into a sink.
struct CompiledFile {
  std::string name;
  std::function<void(ByteSink&)> write;
};
std::vector<CompiledFile> compiled_files(const ScenarioModel& model);

// The same files, each as a name and its bytes, with nothing written.
struct CompiledImage {
  std::string name;
  std::string bytes;
};
std::vector<CompiledImage> compiled_images(const ScenarioModel& model);

}  // namespace tracciato
