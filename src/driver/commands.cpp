#include "driver/commands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <new>

#include "check/check_report.h"
#include "check/finding_tally.h"
#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "compile/write_compiled_files.h"
#include "describe/description_texts.h"
#include "documents/driver_documents.h"
#include "driver/builtin_build.h"
#include "driver/identity.h"
#include "driver/output_plan.h"
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

// The report of a run that ended with exit 3, in place of the report of an
// earlier run, so that a stale success never remains. Best effort: the
// failure itself is what the command tells.
void report_failure(const std::optional<fs::path>& report_path, const std::string& what) {
  if (!report_path) return;
  BuildReport report;
  report.stopped = "input/output";
  report.diagnostic.emplace();
  report.diagnostic->message = what;
  try {
    replace_file(*report_path, report_json(report), show_notice);
  } catch (const std::exception&) {
  }
}

constexpr std::size_t builtin_document_count = 3;

// What the built-in build writes: its papers, its compiled files and the
// report; it reads only texts of its own.
OutputPlan builtin_build_plan(const fs::path& folder, const std::optional<fs::path>& report) {
  ScenarioModel identity;
  identity.scenario_name = builtin_scenario_name;
  identity.train_number = builtin_train_number;
  OutputPlan plan;
  plan.outputs = {{folder / notes_name(identity), "the scenario notes"},
                  {folder / slowdown_order_name(identity), "the slowdown order"},
                  {folder / train_card_name(identity), "the train card"}};
  for (const std::string& name :
       {line_file_name(identity), scenario_file_name(identity), track_file_name(identity)}) {
    plan.outputs.push_back({folder / name, "the compiled " + name});
  }
  if (report) plan.outputs.push_back({*report, "the report"});
  return plan;
}

// What compile reads and writes: the compiled files' names stand for the
// inputs' sake even with --no-line-file, so that no description is ever
// named like one of them.
OutputPlan compile_plan(const CompileRequest& request, const ScenarioModel& model) {
  OutputPlan plan;
  plan.inputs = {{request.line, "the line description"}, {request.train, "the train description"}};
  for (const std::string& name :
       {line_file_name(model), scenario_file_name(model), track_file_name(model)}) {
    plan.outputs.push_back({request.out / name, "the compiled " + name});
  }
  if (request.report) plan.outputs.push_back({*request.report, "the report"});
  return plan;
}

// A compile without the line file leaves an older one in place, and the
// commands that read the files back would take it for part of this set.
void tell_of_older_line_file(const CompileRequest& request, const ScenarioModel& model) {
  const fs::path older = request.out / line_file_name(model);
  std::error_code error;
  if (fs::symlink_status(older, error).type() == fs::file_type::not_found) return;
  show_message("tracciato: " + older.string() +
               ": not part of this compile; `inspect` will read it with the new files");
}

std::string out_of_memory(const char* work) {
  return std::string("not enough memory to ") + work;
}

// What a compile stages: the compiled files, and for the built-in build
// its papers first; given the transaction, it returns the names of the
// files it staged.
using CompileWork = std::function<std::vector<std::string>(OutputTransaction&)>;

// Runs one compile inside an output transaction over `plan`'s folders,
// stages the report last, commits, then shows what was written and what
// went wrong, and gives the exit status. `after_commit` runs while the
// folders are still locked.
int run_and_report(ScenarioModel& model, const fs::path& folder, const OutputPlan& plan,
                   const std::optional<fs::path>& report_path, const CompileWork& compile,
                   const std::vector<std::string>& also_written = {},
                   const std::function<void()>& show_warnings = nullptr,
                   const std::function<void()>& after_commit = nullptr) {
  BuildReport report;
  StatusLine status;
  status.show_wait();
  int exit_status = exit_clean;
  const auto failed = [&](const std::string& what) {
    status.clear();
    report_failure(report_path, what);
    return usage_failure(what);
  };
  std::optional<OutputTransaction> output;
  try {
    output.emplace(plan.folders(),
                   [&status](const std::string& text) { status.note("tracciato: " + text); });
    try {
      report.files = compile(*output);
      report.diagnostic = diagnose(model);
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
    }
    report.error_code = model.error_code;
    report.error_position = model.error_position;
    if (report_path) output->stage(*report_path).write(report_json(report));
    output->commit();
    if (after_commit) after_commit();
    output.reset();
  } catch (const IoFailure& failure) {
    output.reset();
    return failed(failure.what());
  } catch (const EncodingError& failure) {
    output.reset();
    return failed(failure.what());
  } catch (const std::bad_alloc&) {
    output.reset();
    return failed(out_of_memory("compile the descriptions"));
  } catch (const std::exception& failure) {
    // Not a fault of the descriptions: still one line and a status, no abort.
    output.reset();
    return failed(std::string("the build failed: ") + failure.what());
  }
  if (exit_status == exit_stopped) return exit_status;
  std::vector<std::string> written = also_written;
  written.insert(written.end(), report.files.begin(), report.files.end());
  status.finish(summary(written, folder));
  if (report.diagnostic) show(*report.diagnostic);
  if (show_warnings) show_warnings();
  return exit_status;
}

}  // namespace

std::optional<std::string> unfit_inputs(const std::vector<fs::path>& inputs) {
  for (const fs::path& input : inputs) {
    if (const auto why = unfit_input(input)) return input.string() + ": " + *why;
  }
  return std::nullopt;
}

void show_notice(const std::string& text) {
  show_message("tracciato: " + text);
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
  const OutputPlan plan = builtin_build_plan(folder, report);
  if (const auto clash = plan.clash()) return usage_failure(*clash);
  // The papers are written first, and named first in the summary.
  std::vector<std::string> documents;
  for (std::size_t i = 0; i < builtin_document_count; ++i) {
    documents.push_back(plan.outputs[i].path.filename().string());
  }
  return run_and_report(
      model, folder, plan, report,
      [&](OutputTransaction& output) { return run_builtin_build(model, folder, output); },
      documents, nullptr, [&] { remove_leftover_texts(folder); });
}

int run_compile_command(const CompileRequest& request) {
  ScenarioModel model;
  model.scenario_name = request.scenario;
  model.train_number = request.train_number;
  const OutputPlan plan = compile_plan(request, model);
  // Once the report can be written, every failure leaves a report of
  // itself there, so that the report of an earlier success never stays.
  const bool report_usable = request.report && !unfit_output(*request.report) && !plan.clash();
  const auto refuse = [&](const std::string& what) {
    if (report_usable) report_failure(request.report, what);
    return usage_failure(what);
  };
  if (!is_folder(request.out)) return refuse(request.out.string() + ": not an existing folder");
  const std::array<std::pair<const char*, const std::string*>, 2> names = {
      {{"scenario name", &request.scenario}, {"train number", &request.train_number}}};
  for (const auto& [what, value] : names) {
    if (const auto why = unfit_for_file_name(*value)) {
      return refuse(std::string("the ") + what + " \"" + *value + "\" cannot name a file: " + *why);
    }
  }
  if (const auto unfit = unfit_inputs({request.line, request.train})) return refuse(*unfit);
  if (const auto failed = unfit_report(request.report)) return *failed;
  // An author's descriptions are never overwritten by what they compile to.
  if (const auto clash = plan.clash()) return usage_failure(*clash);
  const DescriptionSources sources{request.line, request.train, false};
  // The warnings of `check`, heard from the same compile and counted as
  // they come, only the shown ones kept; they change neither the files nor
  // the exit status.
  FindingTally tally(request.max_warnings);
  const auto compile = [&](OutputTransaction& output) {
    SourceMap map;
    WarningWatch watch(tally, map);
    compile_scenario(model, request.line_file ? 1 : 0, sources, map,
                     request.warnings ? &watch : nullptr);
    if (request.warnings) watch.reading_done(model, model.error_code == 0);
    // A compiler writes nothing from faulty input: the files of the last good
    // compile stay as they were, unless the author asks for these.
    if (model.error_code != 0 && !request.force) return std::vector<std::string>{};
    return write_compiled_files(model, request.out, output);
  };
  const auto show_warnings = [&tally] {
    StreamSink errors(stderr);
    write_findings_text(tally.take_shown(), errors, false);
  };
  const int status =
      run_and_report(model, request.out, plan, request.report, compile, {}, show_warnings);
  const bool written = status == exit_clean || (status == exit_fault_recorded && request.force);
  if (!request.line_file && written) tell_of_older_line_file(request, model);
  return status;
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
  // Both texts or neither: they are one example.
  try {
    OutputTransaction output({folder}, show_notice);
    dati_linea(model, folder, output);
    dati_treno(model, folder, output);
    output.commit();
  } catch (const IoFailure& failure) {
    return usage_failure(failure.what());
  } catch (const EncodingError& failure) {
    return usage_failure(failure.what());
  }
  show_message(summary({line_text_name(model), train_text_name(model)}, folder));
  return exit_clean;
}

}  // namespace tracciato
