#include "describe/description_texts.h"

#include "describe/builtin_scenario.h"
#include "platform/line_table.h"

namespace tracciato {

std::string line_text_name(const ScenarioModel& model) {
  return model.scenario_name + "_linea.txt";
}

std::string train_text_name(const ScenarioModel& model) {
  return model.scenario_name + "_" + model.train_number + "-.txt";
}

std::string builtin_line_bytes() {
  return line_table_bytes(LineTable::from_text(builtin_line_text()));
}

std::string builtin_train_bytes() {
  return line_table_bytes(LineTable::from_text(builtin_train_text()));
}

void dati_linea(const ScenarioModel& model, const std::filesystem::path& folder,
                OutputTransaction& output) {
  output.stage(folder / line_text_name(model)).write(builtin_line_bytes());
}

void dati_treno(const ScenarioModel& model, const std::filesystem::path& folder,
                OutputTransaction& output) {
  output.stage(folder / train_text_name(model)).write(builtin_train_bytes());
}

}  // namespace tracciato
