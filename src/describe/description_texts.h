#pragma once

#include <filesystem>
#include <string>

#include "model/scenario_model.h"
#include "platform/output_transaction.h"

namespace tracciato {

// <scenario>_linea.txt and <scenario>_<train>-.txt (a hyphen before .txt).
std::string line_text_name(const ScenarioModel& model);
std::string train_text_name(const ScenarioModel& model);

// The bytes the two writers below put in their files.
std::string builtin_line_bytes();
std::string builtin_train_bytes();

// Stage the built-in line and train descriptions in the folder, for
// `output` to commit. Throw IoFailure or EncodingError.
void dati_linea(const ScenarioModel& model, const std::filesystem::path& folder,
                OutputTransaction& output);
void dati_treno(const ScenarioModel& model, const std::filesystem::path& folder,
                OutputTransaction& output);

}  // namespace tracciato
