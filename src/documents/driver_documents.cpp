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

void write_document(const std::filesystem::path& path, std::string_view text,
                    OutputTransaction& output) {
  write_line_table(output.stage(path), LineTable::from_text(text), path.filename().string());
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
void dati_note(const ScenarioModel& model, const std::filesystem::path& folder,
               OutputTransaction& output) {
  write_document(folder / notes_name(model), data::documents_note, output);
}

void dati_rallentamenti(const ScenarioModel& model, const std::filesystem::path& folder,
                        OutputTransaction& output) {
  write_document(folder / slowdown_order_name(model), data::documents_rallentamenti, output);
}

void dati_scheda(const ScenarioModel& model, const std::filesystem::path& folder,
                 OutputTransaction& output) {
  write_document(folder / train_card_name(model), data::documents_scheda_treno, output);
}

}  // namespace tracciato
