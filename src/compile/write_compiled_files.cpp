#include "compile/write_compiled_files.h"

#include "model/compiled_files.h"

namespace tracciato {
std::vector<CompiledFile> compiled_files(const ScenarioModel& model) {
  std::vector<CompiledFile> files;
  if (model.write_line_file != 0 && model.plan) {
    files.push_back(
        {line_file_name(model), [&model](ByteSink& out) { write_line_file(*model.plan, out); }});
  }
  files.push_back({scenario_file_name(model),
                   [&model](ByteSink& out) { write_scenario_file(model.slots, out); }});
  if (model.cells) {
    files.push_back(
        {track_file_name(model), [&model](ByteSink& out) { write_track_file(*model.cells, out); }});
  }
  return files;
}

std::vector<std::string> write_compiled_files(const ScenarioModel& model,
                                              const std::filesystem::path& folder,
                                              OutputTransaction& output) {
  std::vector<std::string> written;
  for (const CompiledFile& file : compiled_files(model)) {
    file.write(output.stage(folder / file.name));
    written.push_back(file.name);
  }
  return written;
}

std::vector<CompiledImage> compiled_images(const ScenarioModel& model) {
  std::vector<CompiledImage> images;
  for (const CompiledFile& file : compiled_files(model)) {
    StringSink out;
    file.write(out);
    images.push_back({file.name, std::move(out.bytes())});
  }
  return images;
}

}  // namespace tracciato
