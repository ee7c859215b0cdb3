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

namespace {

struct OwnText {
  std::string name;
  std::string (*bytes)();
};

std::array<OwnText, 2> own_texts() {
  ScenarioModel identity;
  identity.scenario_name = builtin_scenario_name;
  identity.train_number = builtin_train_number;
  return {{{line_text_name(identity), builtin_line_bytes},
           {train_text_name(identity), builtin_train_bytes}}};
}

bool stands(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::symlink_status(path, error).type() !=
         std::filesystem::file_type::not_found;
}

bool is_own_text(const std::filesystem::path& path, const OwnText& text) {
  return !unfit_input(path) && read_file(path) == text.bytes();
}

}  // namespace

std::optional<std::string> description_text_in_the_way(const std::filesystem::path& folder) {
  for (const OwnText& text : own_texts()) {
    const std::filesystem::path path = folder / text.name;
    if (!stands(path) || is_own_text(path, text)) continue;
    return path.string() + ": " +
           unfit_input(path).value_or("differs from the built-in description") +
           "; the build writes its own text under this name and deletes it once read. Move "
           "the file elsewhere, or build into another folder with --out";
  }
  return std::nullopt;
}

void remove_leftover_texts(const std::filesystem::path& folder) {
  for (const OwnText& text : own_texts()) {
    const std::filesystem::path path = folder / text.name;
    std::error_code ignored;
    if (stands(path) && is_own_text(path, text)) std::filesystem::remove(path, ignored);
  }
}

std::vector<std::string> run_builtin_build(ScenarioModel& model,
                                           const std::filesystem::path& folder,
                                           OutputTransaction& output) {
  model.scenario_name = builtin_scenario_name;
  model.train_number = builtin_train_number;
  const DescriptionSources texts{
      output.scratch(folder / line_text_name(model), builtin_line_bytes()),
      output.scratch(folder / train_text_name(model), builtin_train_bytes()), true};
  dati_note(model, folder, output);
  dati_rallentamenti(model, folder, output);
  dati_scheda(model, folder, output);
  return memorizza_percorso(model, 1, texts, folder, output);
}

}  // namespace tracciato
