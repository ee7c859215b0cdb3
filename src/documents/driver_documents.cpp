#include "documents/driver_documents.h"

namespace tracciato {
namespace {
std::string document_name(const ScenarioModel& model, const char* suffix) {
  return model.scenario_name + "_" + model.train_number + "_" + suffix;
}
}  // namespace

std::string notes_name(const ScenarioModel& model) { return document_name(model, "note.txt"); }
std::string slowdown_order_name(const ScenarioModel& model) {
  return document_name(model, "rallentamenti.txt");
}
std::string train_card_name(const ScenarioModel& model) {
  return document_name(model, "scheda_treno.txt");
}

// The documents' texts come later; until then the steps write nothing.
void dati_note(const ScenarioModel&, const std::filesystem::path&) {}
void dati_rallentamenti(const ScenarioModel&, const std::filesystem::path&) {}
void dati_scheda(const ScenarioModel&, const std::filesystem::path&) {}

}  // namespace tracciato
