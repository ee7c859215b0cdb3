#include "compile/write_compiled_files.h"

#include "model/compiled_files.h"
#include "platform/replace_file.h"

namespace tracciato {

std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder) {
  std::vector<std::string> written;
  if (model.write_line_file != 0 && model.plan) {
    replace_file(folder / line_file_name(model), line_file_image(*model.plan));
    written.push_back(line_file_name(model));
  }
  replace_file(folder / scenario_file_name(model), scenario_file_image(model.slots));
  written.push_back(scenario_file_name(model));
  if (model.cells) {
    replace_file(folder / track_file_name(model), track_file_image(*model.cells));
    written.push_back(track_file_name(model));
  }
  return written;
}

}  // namespace tracciato
