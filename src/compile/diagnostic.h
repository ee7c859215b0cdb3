#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/scenario_model.h"

namespace tracciato {

// A recorded fault as data: what the error record holds, where in which
// description it comes from, and what it means.
struct Diagnostic {
  std::int32_t code = 0;
  std::int32_t position = 0;
  bool has_position = false;
  std::optional<ErrorSource> source;
  std::string message;
};

// The diagnostic of the model's error record; nullopt when it holds none.
std::optional<Diagnostic> diagnose(const ScenarioModel& model);

// Compiler style: "FILE:LINE:COLUMN: error CODE: message (at P m)", then
// the source line and a caret under the field. Without a source line (the
// post-pass), only the message with the position and cells.
std::string format_diagnostic(const Diagnostic& diagnostic);

}  // namespace tracciato
