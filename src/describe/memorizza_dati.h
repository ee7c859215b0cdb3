#pragma once

#include <filesystem>
#include <string>

#include "describe/reading_observer.h"
#include "describe/source_map.h"
#include "model/scenario_model.h"

namespace tracciato {

// The two description texts a build reads. The built-in build deletes its
// own intermediate texts once read; a route author's files are never touched.
struct DescriptionSources {
  std::filesystem::path line_text;
  std::filesystem::path train_text;
  bool delete_after_reading = true;
  // Texts given in memory are read from here, under the names above, and no
  // file is touched.
  const std::string* line_bytes = nullptr;
  const std::string* train_bytes = nullptr;

  bool in_memory() const { return line_bytes != nullptr || train_bytes != nullptr; }
  // The texts the build owns and deletes once read: its own files only.
  bool deletes_texts() const { return delete_after_reading && !in_memory(); }
};

// Reads the line description, then the train description, into the model:
// cells, plan, slots and montagna lists. The outcome is the error record
// (0 when nothing went wrong), with the fault's place, reason and notes; a
// failure while reading is error 25. `map` receives the texts read and the
// records behind the cells, for faults found after reading.
// `observer`, when given, is told what the readers meet.
void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources, SourceMap& map,
                    ReadingObserver* observer = nullptr);
void memorizza_dati(ScenarioModel& model, const DescriptionSources& sources);

}  // namespace tracciato
