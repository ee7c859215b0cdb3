#include "compile/write_compiled_files.h"

#include "model/compiled_files.h"
#include "platform/replace_file.h"

namespace tracciato {
namespace {

template <typename Part>
void replace(const std::filesystem::path& path, const Part& part,
             void (*write)(const Part&, ByteSink&)) {
  ReplacingFile file(path);
  write(part, file);
  file.commit();
}

}  // namespace

std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder) {
  std::vector<std::string> written;
  if (model.write_line_file != 0 && model.plan) {
    replace(folder / line_file_name(model), *model.plan, write_line_file);
    written.push_back(line_file_name(model));
  }
  replace(folder / scenario_file_name(model), model.slots, write_scenario_file);
  written.push_back(scenario_file_name(model));
  if (model.cells) {
    replace(folder / track_file_name(model), *model.cells, write_track_file);
    written.push_back(track_file_name(model));
  }
  return written;
}

}  // namespace tracciato
