#pragma once

#include <filesystem>
#include <string>

#include "model/scenario_model.h"
#include "platform/output_transaction.h"

namespace tracciato {

// The three papers handed to the driver, each staged in the folder for
// `output` to commit. Throw IoFailure or EncodingError.
// <scenario>_<train>_note.txt, _rallentamenti.txt and _scheda_treno.txt.
std::string notes_name(const ScenarioModel& model);
std::string slowdown_order_name(const ScenarioModel& model);
std::string train_card_name(const ScenarioModel& model);

void dati_note(const ScenarioModel& model, const std::filesystem::path& folder,
               OutputTransaction& output);
void dati_rallentamenti(const ScenarioModel& model, const std::filesystem::path& folder,
                        OutputTransaction& output);
void dati_scheda(const ScenarioModel& model, const std::filesystem::path& folder,
                 OutputTransaction& output);

}  // namespace tracciato
