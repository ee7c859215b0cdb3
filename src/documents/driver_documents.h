#pragma once

#include <filesystem>
#include <string>

#include "model/scenario_model.h"

namespace tracciato {

// The three papers handed to the driver, each written whole into the folder.
// Throw IoFailure or EncodingError.
std::string notes_name(const ScenarioModel& model);  // <scenario>_<train>_note.txt
std::string slowdown_order_name(
    const ScenarioModel& model);                          // <scenario>_<train>_rallentamenti.txt
std::string train_card_name(const ScenarioModel& model);  // <scenario>_<train>_scheda_treno.txt

void dati_note(const ScenarioModel& model, const std::filesystem::path& folder);
void dati_rallentamenti(const ScenarioModel& model, const std::filesystem::path& folder);
void dati_scheda(const ScenarioModel& model, const std::filesystem::path& folder);

}  // namespace tracciato
