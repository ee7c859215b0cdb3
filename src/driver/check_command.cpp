#include <algorithm>
#include <cstdio>

#include "check/check_report.h"
#include "driver/commands.h"
#include "platform/io_failure.h"
#include "platform/usable_path.h"

namespace tracciato {

int run_check_command(CheckRequest request, const CheckOptions& options) {
  for (const std::string& word : options.warning_switches) {
    const bool off = word.starts_with("no-");
    const std::string name = off ? word.substr(3) : word;
    if (!warning_names().contains(name)) return usage_failure("unknown warning -W" + word);
    if (off) {
      request.disabled_warnings.insert(name);
    } else {
      request.disabled_warnings.erase(name);
    }
  }
  if (const auto failed = unfit_inputs({request.line, request.train})) return *failed;
  std::vector<Diagnostic> found;
  try {
    found = check_route(request);
  } catch (const IoFailure& failure) {
    return usage_failure(failure.what());
  }
  const std::string report = options.json ? check_report_json(found) : check_report_text(found);
  (void)std::fputs(report.c_str(), stdout);
  const bool failed = std::any_of(found.begin(), found.end(), [&options](const Diagnostic& d) {
    return d.severity == Severity::error || options.warnings_are_errors;
  });
  return failed ? exit_fault_recorded : exit_clean;
}

}  // namespace tracciato
