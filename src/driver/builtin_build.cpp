#include "driver/builtin_build.h"

#include "compile/memorizza_percorso.h"
#include "describe/description_texts.h"
#include "documents/driver_documents.h"

namespace tracciato {

std::vector<std::string> run_builtin_build(ScenarioModel& model,
                                           const std::filesystem::path& folder) {
  model.scenario_name = builtin_scenario_name;
  model.train_number = builtin_train_number;
  dati_linea(model, folder);
  dati_treno(model, folder);
  dati_note(model, folder);
  dati_rallentamenti(model, folder);
  dati_scheda(model, folder);
  const DescriptionSources own_texts{folder / line_text_name(model),
                                     folder / train_text_name(model), true};
  return memorizza_percorso(model, 1, own_texts, folder);
}

}  // namespace tracciato
