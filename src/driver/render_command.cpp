#include "driver/commands.h"
#include "driver/reading_compiled.h"
#include "platform/replace_file.h"
#include "platform/usable_path.h"

namespace tracciato {

int run_render_command(const CompiledSource& source, const RenderOptions& options) {
  const std::filesystem::path page = options.output.value_or(
      source.folder / (source.scenario + "_" + source.train_number + ".html"));
  // A page that cannot be written is refused before the files are read, and
  // a page never takes the place of a file it is drawn from.
  if (const auto why = unfit_output(page)) return usage_failure(page.string() + ": " + *why);
  const CompiledPaths paths = paths_of_source(source);
  for (const auto& input :
       {std::optional(paths.scenario), std::optional(paths.track), paths.line}) {
    std::error_code error;
    if (input && std::filesystem::equivalent(*input, page, error)) {
      return usage_failure(page.string() + ": is one of the compiled files the page is drawn from");
    }
  }
  return reading_compiled([&] {
    const CompiledScenario scenario = read_compiled(paths);
    const RenderRequest request{source.scenario, source.train_number, options.from, options.to};
    if (const auto why = unfit_stretch(scenario, request)) return usage_failure(*why);
    replace_file(page, render_page(scenario, request), show_notice);
    return static_cast<int>(exit_clean);
  });
}

}  // namespace tracciato
