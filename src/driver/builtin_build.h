#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/scenario_model.h"
#include "platform/output_transaction.h"

namespace tracciato {

inline constexpr const char* builtin_scenario_name = "Lindra_Kestova";
inline constexpr const char* builtin_train_number = "31407";

// The built-in build: sets the identity, then writes the two description
// texts, stages the notes, the slowdown order and the train card, and runs
// the compile step with the line file, each step after the previous one has
// returned. The texts are files of the run's own, under names of their own,
// read back and removed; the rest is staged for `output` to commit.
// Returns the compiled files staged. A step that throws (IoFailure,
// EncodingError, BuildStopped) ends the build there.
std::vector<std::string> run_builtin_build(ScenarioModel& model,
                                           const std::filesystem::path& folder,
                                           OutputTransaction& output);

// The build writes its two description texts into `folder` and deletes them
// once read. A file of either name that is not the build's own text, as an
// author's edited copy, would be lost: this names the first such file and
// why, or gives nullopt when the build may go ahead. A leftover identical
// to the build's text, as an interrupted run leaves it, is no loss.
std::optional<std::string> description_text_in_the_way(const std::filesystem::path& folder);

// Removes such identical leftovers, as the build of an earlier version left
// them when interrupted; a text that differs stays.
void remove_leftover_texts(const std::filesystem::path& folder);

}  // namespace tracciato
