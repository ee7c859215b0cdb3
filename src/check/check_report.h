#pragma once

#include <string>
#include <vector>

#include "platform/diagnostic.h"

namespace tracciato {

// What `check` prints, in the form a person reads: every diagnostic as
// compilers print it, then a summary line ("1 error, 2 warnings").
std::string check_report_text(const std::vector<Diagnostic>& found);

// The same for programs: a JSON array of objects with "severity", "code"
// (errors), "name" (warnings), "file", "line", "column", "position_m",
// "message" and "notes".
std::string check_report_json(const std::vector<Diagnostic>& found);

}  // namespace tracciato
