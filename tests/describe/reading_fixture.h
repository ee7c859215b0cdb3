#pragma once

#include <string>

#include "describe/memorizza_dati.h"
#include "support/temp_folder.h"

namespace tracciato::testing {

// Writes a line and a train description into a fresh folder and reads them
// back as the built-in build does (texts deleted once read).
struct Reading {
  TempFolder folder;
  ScenarioModel model;
  DescriptionSources sources;

  Reading(const std::string& line, const std::string& train, std::int32_t write_line_file = 1) {
    model.scenario_name = "S";
    model.train_number = "1";
    model.write_line_file = write_line_file;
    sources = {folder / "S_linea.txt", folder / "S_1-.txt", true};
    write_bytes(sources.line_text, line);
    write_bytes(sources.train_text, train);
    memorizza_dati(model, sources);
  }
  const TrackCell& cell(std::int64_t i) const { return *model.cells->find(i); }
  bool texts_left() const {
    return std::filesystem::exists(sources.line_text) ||
           std::filesystem::exists(sources.train_text);
  }
};

// A line of length 68000 with the given feature records after [generale].
inline std::string line_with(const std::string& features,
                             const std::string& general = "lunghezza percorso, 68000\n") {
  return "[generale]\n" + general + "[curve]\n" + features + "[fine]\n";
}

inline std::string train_with(const std::string& records) {
  return "[generale]\n" + records + "[fine]\n";
}

}  // namespace tracciato::testing
