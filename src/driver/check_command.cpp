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
  if (const auto unfit = unfit_inputs({request.line, request.train})) return usage_failure(*unfit);
  request.max_warnings = options.max_warnings;
  ShownFindings found;
  try {
    found = check_route_findings(request);
  } catch (const IoFailure& failure) {
    return usage_failure(failure.what());
  }
  StreamSink out(stdout);
  if (options.json) {
    write_findings_json(found, out);
  } else {
    write_findings_text(found, out);
  }
  const bool failed = found.errors > 0 || (options.warnings_are_errors && found.warnings > 0);
  return failed ? exit_fault_recorded : exit_clean;
}

}  // namespace tracciato
