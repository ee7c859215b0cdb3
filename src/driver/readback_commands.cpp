#include <cstdio>

#include "driver/commands.h"
#include "driver/reading_compiled.h"
#include "readback/scenario_diff.h"

namespace tracciato {

int run_inspect_command(const CompiledSource& source, const InspectRequest& request, bool json) {
  return reading_compiled([&] {
    const CompiledScenario scenario = read_compiled(paths_of_source(source));
    const std::string report =
        json ? inspect_json(scenario, request) : inspect_text(scenario, request);
    (void)std::fputs(report.c_str(), stdout);
    return static_cast<int>(exit_clean);
  });
}

int run_diff_command(const CompiledSource& a, const CompiledSource& b, bool json) {
  return reading_compiled([&] {
    const std::vector<Difference> found =
        scenario_differences(read_compiled(paths_of_source(a)), read_compiled(paths_of_source(b)));
    const std::string report = json ? diff_report_json(found) : diff_report_text(found);
    (void)std::fputs(report.c_str(), stdout);
    return static_cast<int>(found.empty() ? exit_clean : exit_fault_recorded);
  });
}

}  // namespace tracciato
