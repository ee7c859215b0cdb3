#include "driver/commands.h"

#include <array>
#include <cstdio>
#include <functional>

#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "compile/write_compiled_files.h"
#include "describe/description_texts.h"
#include "documents/driver_documents.h"
#include "driver/builtin_build.h"
#include "driver/identity.h"
#include "driver/report.h"
#include "model/compiled_files.h"
#include "model/error_record.h"
#include "platform/code_page.h"
#include "platform/diagnostic.h"
#include "platform/io_failure.h"
#include "platform/replace_file.h"
#include "platform/status_line.h"
#include "platform/usable_path.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

bool is_folder(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder, error);
}

bool same_file(const fs::path& a, const fs::path& b) {
  std::error_code error;
  const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
  if (error) return false;
  const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
  return !error && first == second;
}

void show(const Diagnostic& d) {
  (void)std::fputs(format_diagnostic(d).c_str(), stderr);
}

std::string summary(const std::vector<std::string>& files, const fs::path& folder) {
  if (files.empty()) {
    return "Nothing written to " + folder.string() +
           ": a fault was recorded (--force writes the compiled files anyway)";
  }
  std::string text = "Written to " + folder.string() + ":";
  for (const std::string& f : files) text += " " + f;
  return text;
}

// A report that could not be written is known before the work starts.
std::optional<int> unfit_report(const std::optional<fs::path>& report) {
  if (!report) return std::nullopt;
  if (const auto why = unfit_output(*report)) {
    return usage_failure(report->string() + ": " + *why);
  }
  return std::nullopt;
}

// Runs one compile, shows what went wrong, writes the report and gives the
// exit status.
int run_and_report(ScenarioModel& model, const fs::path& folder,
                   const std::optional<fs::path>& report_path,
                   const std::function<std::vector<std::string>()>& compile,
                   const std::vector<std::string>& also_written = {},
                   const std::vector<Diagnostic>* warnings = nullptr) {
  BuildReport report;
  StatusLine status;
  status.show_wait();
  int exit_status = exit_clean;
  try {
    report.files = compile();
    std::vector<std::string> written = also_written;
    written.insert(written.end(), report.files.begin(), report.files.end());
    status.finish(summary(written, folder));
    report.diagnostic = diagnose(model);
    if (report.diagnostic) show(*report.diagnostic);
    if (warnings != nullptr) {
      for (const Diagnostic& w : *warnings) show(w);
    }
    exit_status = model.error_code == 0 ? exit_clean : exit_fault_recorded;
  } catch (const BuildStopped& stop) {
    status.clear();
    show_message(stop.what());
    if (!stop.detail().message.empty()) {
      report.diagnostic = stop.detail();
      show(stop.detail());
    }
    report.stopped = stop.code();
    exit_status = exit_stopped;
  } catch (const NoTrack& stop) {
    status.clear();
    report.diagnostic = diagnose(model);
    if (report.diagnostic) show(*report.diagnostic);
    (void)std::fprintf(stderr, "tracciato: %s\n", stop.what());
    if (!report.diagnostic) {
      report.diagnostic.emplace();
      report.diagnostic->message = stop.what();
    }
    report.stopped = "no track";
    exit_status = exit_stopped;
  } catch (const IoFailure& failure) {
    status.clear();
    return usage_failure(failure.what());
  } catch (const EncodingError& failure) {
    status.clear();
    return usage_failure(failure.what());
  } catch (const std::exception& failure) {
    // Not a fault of the descriptions: still one line and a status, no abort.
    status.clear();
    return usage_failure(std::string("the build failed: ") + failure.what());
  }
  report.error_code = model.error_code;
  report.error_position = model.error_position;
  if (report_path) {
    try {
      replace_file(*report_path, report_json(report));
    } catch (const IoFailure& failure) {
      return usage_failure(failure.what());
    }
  }
  return exit_status;
}

}  // namespace

// The first of the input texts that cannot be read, as a usage failure.
std::optional<int> unfit_inputs(const std::vector<fs::path>& inputs) {
  for (const fs::path& input : inputs) {
    if (const auto why = unfit_input(input)) return usage_failure(input.string() + ": " + *why);
  }
  return std::nullopt;
}

int usage_failure(const std::string& what) {
  (void)std::fprintf(stderr, "tracciato: %s\n", what.c_str());
  return exit_io_or_usage;
}

int run_builtin_command(const fs::path& folder, const std::optional<fs::path>& report) {
  if (!is_folder(folder)) return usage_failure(folder.string() + ": not an existing folder");
  if (const auto failed = unfit_report(report)) return *failed;
  if (const auto in_the_way = description_text_in_the_way(folder)) {
    return usage_failure(*in_the_way);
  }
  ScenarioModel model;
  ScenarioModel identity;
  identity.scenario_name = builtin_scenario_name;
  identity.train_number = builtin_train_number;
  const std::vector<std::string> documents = {notes_name(identity), slowdown_order_name(identity),
                                              train_card_name(identity)};
  return run_and_report(
      model, folder, report, [&] { return run_builtin_build(model, folder); }, documents);
}

int run_compile_command(const CompileRequest& request) {
  if (!is_folder(request.out)) {
    return usage_failure(request.out.string() + ": not an existing folder");
  }
  const std::array<std::pair<const char*, const std::string*>, 2> names = {
      {{"scenario name", &request.scenario}, {"train number", &request.train_number}}};
  for (const auto& [what, value] : names) {
    if (const auto why = unfit_for_file_name(*value)) {
      return usage_failure(std::string("the ") + what + " \"" + *value +
                           "\" cannot name a file: " + *why);
    }
  }
  if (const auto failed = unfit_inputs({request.line, request.train})) return *failed;
  if (const auto failed = unfit_report(request.report)) return *failed;
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  // An author's descriptions are never overwritten by what they compile to.
  for (const std::string& output :
       {line_file_name(model), scenario_file_name(model), track_file_name(model)}) {
    for (const fs::path& input : {request.line, request.train}) {
      if (same_file(request.out / output, input)) {
        return usage_failure(input.string() + ": would be overwritten by the compiled " + output);
      }
    }
  }
  const DescriptionSources sources{request.line, request.train, false};
  // The warnings of `check`, heard from the same compile; they change
  // neither the files nor the exit status.
  std::vector<Diagnostic> warnings;
  const auto compile = [&] {
    SourceMap map;
    WarningWatch watch;
    compile_scenario(model, request.line_file ? 1 : 0, sources, map, &watch);
    if (request.warnings) warnings = watch.warnings(model, map, model.error_code == 0, {});
    // A compiler writes nothing from faulty input: the files of the last good
    // compile stay as they were, unless the author asks for these.
    if (model.error_code != 0 && !request.force) return std::vector<std::string>{};
    return write_compiled_files(model, request.out);
  };
  return run_and_report(model, request.out, request.report, compile, {}, &warnings);
}

int run_export_command(const fs::path& folder, bool force) {
  if (!is_folder(folder)) return usage_failure(folder.string() + ": not an existing folder");
  ScenarioModel model;
  model.scenario_name = builtin_scenario_name;
  model.train_number = builtin_train_number;
  for (const std::string& name : {line_text_name(model), train_text_name(model)}) {
    std::error_code error;
    const fs::path path = folder / name;
    if (!force && fs::symlink_status(path, error).type() != fs::file_type::not_found) {
      return usage_failure(path.string() + ": already exists; --force overwrites it");
    }
  }
  try {
    dati_linea(model, folder);
    dati_treno(model, folder);
  } catch (const IoFailure& failure) {
    return usage_failure(failure.what());
  } catch (const EncodingError& failure) {
    return usage_failure(failure.what());
  }
  show_message(summary({line_text_name(model), train_text_name(model)}, folder));
  return exit_clean;
}

}  // namespace tracciato
