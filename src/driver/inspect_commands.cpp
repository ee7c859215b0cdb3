#include <cstdio>

#include "driver/commands.h"
#include "inspect/compiled_set.h"
#include "inspect/scenario_diff.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

CompiledScenario read_source(const CompiledSource& source) {
  return read_compiled(source.files.empty()
                           ? paths_in(source.folder, source.scenario, source.train_number)
                           : paths_of(source.files));
}

// Runs `work`, which prints its report and gives the exit status; compiled
// files that cannot be found, read or decoded end it with one line, exit 3.
template <typename Work>
int reading_compiled(Work work) {
  try {
    return work();
  } catch (const IoFailure& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  } catch (const DecodeFailure& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  } catch (const UnclearFiles& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  }
  return exit_io_or_usage;
}

}  // namespace

int run_inspect_command(const CompiledSource& source, const InspectRequest& request, bool json) {
  return reading_compiled([&] {
    const CompiledScenario scenario = read_source(source);
    const std::string report =
        json ? inspect_json(scenario, request) : inspect_text(scenario, request);
    (void)std::fputs(report.c_str(), stdout);
    return static_cast<int>(exit_clean);
  });
}

int run_diff_command(const CompiledSource& a, const CompiledSource& b, bool json) {
  return reading_compiled([&] {
    const std::vector<Difference> found = scenario_differences(read_source(a), read_source(b));
    const std::string report = json ? diff_report_json(found) : diff_report_text(found);
    (void)std::fputs(report.c_str(), stdout);
    return static_cast<int>(found.empty() ? exit_clean : exit_fault_recorded);
  });
}

}  // namespace tracciato
