#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/scenario_model.h"
#include "platform/diagnostic.h"

namespace tracciato {

// The outcome of one compile, as the command line reports it.
struct BuildReport {
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  std::optional<std::string> stopped;    // "1250", "1251" or "no track"
  std::vector<std::string> files;        // the compiled files written
  std::optional<Diagnostic> diagnostic;  // what went wrong, when anything did
};

// {"error_code": N, "error_position": N, "stopped": null|"...", "files": [...],
//  "message": null|"...", "location": null|{"file", "line", "column"}, "notes": [...]}
std::string report_json(const BuildReport& report);

}  // namespace tracciato
