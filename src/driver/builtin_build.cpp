#include "driver/builtin_build.h"

#include <array>
#include <system_error>
#include <utility>

#include "compile/memorizza_percorso.h"
#include "describe/description_texts.h"
#include "documents/driver_documents.h"
#include "platform/replace_file.h"
#include "platform/usable_path.h"

namespace tracciato {

std::optional<std::string> description_text_in_the_way(const std::filesystem::path& folder) {
  ScenarioModel identity;
  identity.scenario_name = builtin_scenario_name;
  identity.train_number = builtin_train_number;
  const std::array<std::pair<std::string, std::string (*)()>, 2> texts = {
      {{line_text_name(identity), builtin_line_bytes},
       {train_text_name(identity), builtin_train_bytes}}};
  for (const auto& [name, own_bytes] : texts) {
    const std::filesystem::path path = folder / name;
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() ==
        std::filesystem::file_type::not_found) {
      continue;
    }
    const std::optional<std::string> unfit = unfit_input(path);
    if (!unfit && read_file(path) == own_bytes()) continue;
    return path.string() + ": " + unfit.value_or("differs from the built-in description") +
           "; the build writes its own text under this name and deletes it once read. Move "
           "the file elsewhere, or build into another folder with --out";
  }
  return std::nullopt;
}

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
