#include "documents/driver_documents.h"

#include <string_view>

#include "platform/line_table.h"

namespace tracciato {
namespace data {
extern const std::string_view documents_note;
extern const std::string_view documents_rallentamenti;
extern const std::string_view documents_scheda_treno;
}  // namespace data

namespace {
std::string document_name(const ScenarioModel& model, const char* suffix) {
  return model.scenario_name + "_" + model.train_number + "_" + suffix;
}
}  // namespace

std::string notes_name(const ScenarioModel& model) {
  return document_name(model, "note.txt");
}
std::string slowdown_order_name(const ScenarioModel& model) {
  return document_name(model, "rallentamenti.txt");
}
std::string train_card_name(const ScenarioModel& model) {
  return document_name(model, "scheda_treno.txt");
}

// The three papers belong to the built-in scenario: their lines are fixed
// texts, printed as they stand; only the file names come from the model.
void dati_note(const ScenarioModel& model, const std::filesystem::path& folder) {
  write_line_table(folder / notes_name(model), LineTable::from_text(data::documents_note));
}

void dati_rallentamenti(const ScenarioModel& model, const std::filesystem::path& folder) {
  write_line_table(folder / slowdown_order_name(model),
                   LineTable::from_text(data::documents_rallentamenti));
}

void dati_scheda(const ScenarioModel& model, const std::filesystem::path& folder) {
  write_line_table(folder / train_card_name(model),
                   LineTable::from_text(data::documents_scheda_treno));
}

}  // namespace tracciato
