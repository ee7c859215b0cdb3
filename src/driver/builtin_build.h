#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/scenario_model.h"

namespace tracciato {

inline constexpr const char* builtin_scenario_name = "Lindra_Kestova";
inline constexpr const char* builtin_train_number = "31407";

// The built-in build: sets the identity, then writes the two description
// texts, the notes, the slowdown order and the train card, and runs the
// compile step with the line file, each step after the previous one has
// returned. Returns the compiled files written. A step that throws
// (IoFailure, EncodingError, BuildStopped) ends the build there.
std::vector<std::string> run_builtin_build(ScenarioModel& model,
                                           const std::filesystem::path& folder);

}  // namespace tracciato
