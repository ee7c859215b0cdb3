#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "describe/memorizza_dati.h"
#include "model/scenario_model.h"

namespace tracciato {

// The compile step: resets the slots, reads both description texts back,
// runs the post-pass, stores the marks and competition codes and writes the
// compiled files into `folder`. Returns the names of the files written.
// Throws BuildStopped (1250, 1251, no track) or IoFailure.
// The same compile in memory: everything but writing the files. `map`
// receives the texts read; `observer`, when given, hears the readers.
// Throws BuildStopped (1250, 1251, no track) or IoFailure.
void compile_scenario(ScenarioModel& model, std::int32_t write_line_file,
                      const DescriptionSources& sources, SourceMap& map,
                      ReadingObserver* observer = nullptr);

std::vector<std::string> memorizza_percorso(ScenarioModel& model, std::int32_t write_line_file,
                                            const DescriptionSources& sources,
                                            const std::filesystem::path& folder);

}  // namespace tracciato
