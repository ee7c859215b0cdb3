#pragma once

#include <filesystem>
#include <string>

#include "model/scenario_model.h"

namespace tracciato {

// <scenario>_linea.txt and <scenario>_<train>-.txt (a hyphen before .txt).
std::string line_text_name(const ScenarioModel& model);
std::string train_text_name(const ScenarioModel& model);

// The bytes the two writers below put in their files.
std::string builtin_line_bytes();
std::string builtin_train_bytes();

// Write the built-in line and train descriptions into the folder.
void dati_linea(const ScenarioModel& model, const std::filesystem::path& folder);
void dati_treno(const ScenarioModel& model, const std::filesystem::path& folder);

}  // namespace tracciato
