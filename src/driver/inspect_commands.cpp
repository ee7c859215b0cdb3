#include <cstdio>

#include "driver/commands.h"
#include "inspect/compiled_set.h"
#include "platform/io_failure.h"

namespace tracciato {
namespace {

int input_failure(const std::string& what) {
  (void)std::fprintf(stderr, "tracciato: %s\n", what.c_str());
  return exit_io_or_usage;
}

CompiledPaths paths(const CompiledSource& source) {
  if (!source.files.empty()) return paths_of(source.files);
  return paths_in(source.folder, source.scenario, source.train_number);
}

}  // namespace

int run_inspect_command(const CompiledSource& source, const InspectRequest& request, bool json) {
  std::string report;
  try {
    const CompiledScenario scenario = read_compiled(paths(source));
    report = json ? inspect_json(scenario, request) : inspect_text(scenario, request);
  } catch (const IoFailure& failure) {
    return input_failure(failure.what());
  } catch (const DecodeFailure& failure) {
    return input_failure(failure.what());
  } catch (const UnclearFiles& failure) {
    return input_failure(failure.what());
  }
  (void)std::fputs(report.c_str(), stdout);
  return exit_clean;
}

}  // namespace tracciato
