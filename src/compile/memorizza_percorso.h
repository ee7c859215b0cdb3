#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "describe/memorizza_dati.h"
#include "model/scenario_model.h"
#include "platform/output_transaction.h"

namespace tracciato {

// The compile in memory: everything but writing the files. `map`
// receives the texts read; `observer`, when given, hears the readers.
// Throws BuildStopped (1250, 1251, no track) or IoFailure.
void compile_scenario(ScenarioModel& model, std::int32_t write_line_file,
                      const DescriptionSources& sources, SourceMap& map,
                      ReadingObserver* observer = nullptr);

// The compile step: resets the slots, reads both description texts back,
// runs the post-pass, stores the marks and competition codes and stages the
// compiled files in `folder` for `output` to commit. Returns their names.
// Throws BuildStopped (1250, 1251, no track) or IoFailure.
std::vector<std::string> memorizza_percorso(ScenarioModel& model, std::int32_t write_line_file,
                                            const DescriptionSources& sources,
                                            const std::filesystem::path& folder,
                                            OutputTransaction& output);

}  // namespace tracciato
