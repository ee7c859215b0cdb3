#include <cstdio>

#include "driver/commands.h"
#include "inspect/compiled_set.h"
#include "platform/io_failure.h"
#include "platform/replace_file.h"
#include "platform/usable_path.h"

namespace tracciato {
namespace {

int refused(const std::string& why) {
  (void)std::fprintf(stderr, "tracciato: %s\n", why.c_str());
  return exit_io_or_usage;
}

}  // namespace

int run_render_command(const CompiledSource& source, const RenderOptions& options) {
  const std::filesystem::path page = options.output.value_or(
      source.folder / (source.scenario + "_" + source.train_number + ".html"));
  // A page that cannot be written is refused before the files are read.
  if (const auto why = unfit_output(page)) return refused(page.string() + ": " + *why);
  try {
    const CompiledScenario scenario =
        read_compiled(paths_in(source.folder, source.scenario, source.train_number));
    const RenderRequest request{source.scenario, source.train_number, options.from, options.to};
    if (const auto why = unfit_stretch(scenario, request)) return refused(*why);
    replace_file(page, render_page(scenario, request));
  } catch (const IoFailure& failure) {
    return refused(failure.what());
  } catch (const DecodeFailure& failure) {
    return refused(failure.what());
  } catch (const UnclearFiles& failure) {
    return refused(failure.what());
  }
  return exit_clean;
}

}  // namespace tracciato
