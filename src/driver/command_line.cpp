#include "driver/command_line.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "driver/commands.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

constexpr const char* exit_statuses =
    "Exit status:\n"
    "  0  done, no fault\n"
    "  1  a fault was recorded (check: an error, or a warning under --Werror)\n"
    "  2  the build stopped (no track, error 1250 or 1251); no compiled file written\n"
    "  3  a usage or input/output failure; nothing written\n";

// The built-in build writes beside the executable, as it always has.
fs::path executable_folder(const char* argv0) {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) self = fs::absolute(argv0, error);
  return self.parent_path();
}

std::optional<fs::path> optional_path(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return fs::path(text);
}

// An option of the command line: its value, and whether it was given, after
// the command or, taken over by it, before.
struct Given {
  std::string value;
  CLI::Option* option = nullptr;
  bool taken_over = false;
  bool given() const { return taken_over || (option != nullptr && option->count() > 0); }
};

Given& add(CLI::App& app, Given& given, const std::string& name, const std::string& help) {
  given.option = app.add_option(name, given.value, help);
  return given;
}

// What the parser leaves unread: an unknown option or a stray argument.
std::optional<std::string> leftover(const CLI::App& app) {
  const std::vector<std::string> rest = app.remaining();
  if (rest.empty()) return std::nullopt;
  const std::string& first = rest.front();
  return (first.starts_with("-") ? "unknown option " : "unexpected argument ") + first;
}

// An option given before the command applies to it when the command has an
// option of that name, given only once; any other is refused.
std::optional<std::string> take_early(const Given& early, Given& own, const std::string& command,
                                      const std::string& name) {
  if (!early.given()) return std::nullopt;
  if (own.option == nullptr) return name + " does not apply to " + command;
  if (own.given()) return name + " is given both before and after " + command;
  own.value = early.value;
  own.taken_over = true;
  return std::nullopt;
}

// Every option of every command, as the parser fills them in.
struct Options {
  CLI::App* build = nullptr;
  CLI::App* compile = nullptr;
  CLI::App* exporter = nullptr;
  CLI::App* check = nullptr;
  CLI::App* inspect = nullptr;
  CLI::App* diff = nullptr;
  CLI::App* render = nullptr;

  Given early_out;  // before the command
  Given early_report;
  Given build_out;
  Given build_report;
  Given line;
  Given train;
  Given scenario;
  Given train_number;
  Given compile_out;
  Given compile_report;
  bool no_line_file = false;
  bool no_warnings = false;
  bool compile_force = false;
  Given compile_max_warnings;
  Given export_out;
  bool export_force = false;
  Given check_line;
  Given check_train;
  CheckRequest check_request;
  std::string check_format = "gnu";
  CheckOptions check_options;
  Given check_max_warnings;
  Given in;  // inspect --in
  Given inspect_scenario;
  Given inspect_number;
  std::vector<std::string> inspect_files;
  std::string inspect_format = "text";
  std::string cells;
  InspectRequest inspect_request;
  Given diff_scenario;
  Given diff_number;
  std::vector<std::string> diff_paths;
  std::string diff_format = "text";
  Given render_in;
  Given render_scenario;
  Given render_number;
  Given render_output;
  Given render_from;
  Given render_to;
};

void add_max_warnings(CLI::App& command, Given& given) {
  add(command, given, "--max-warnings",
      "Show at most N warnings of each name, and how many more there are; 0 shows all "
      "(default: " +
          std::to_string(default_max_warnings) + ")")
      .option->type_name("N");
}

void define(CLI::App& app, Options& o) {
  app.require_subcommand(0, 1);
  app.allow_extras();
  app.footer(exit_statuses);
  add(app, o.early_out, "--out", "Folder for the output of the command that follows");
  add(app, o.early_report, "--report", "Write the outcome as JSON (build, compile)");
  const auto command = [&app](const char* name, const char* help) {
    CLI::App* sub = app.add_subcommand(name, help);
    sub->allow_extras();
    sub->footer(exit_statuses);
    return sub;
  };

  o.build = command("build", "Build the built-in Lindra - Kestova scenario");
  add(*o.build, o.build_out, "--out", "Existing folder for the output (default: the executable's)");
  add(*o.build, o.build_report, "--report", "Write the outcome as JSON into this file");

  o.compile = command("compile", "Compile a line and a train description");
  add(*o.compile, o.line, "--line", "Line description text (required)");
  add(*o.compile, o.train, "--train", "Train description text (required)");
  add(*o.compile, o.scenario, "--scenario", "Scenario name, which names the files (required)");
  add(*o.compile, o.train_number, "--train-number",
      "Train number, which names the files (required)");
  add(*o.compile, o.compile_out, "--out", "Existing folder for the compiled files (default: .)");
  o.compile->add_flag("--no-line-file", o.no_line_file, "Do not write the line file");
  o.compile->add_flag("-w", o.no_warnings, "Do not print warnings");
  o.compile->add_flag("--force", o.compile_force,
                      "Write the compiled files even when a fault is recorded");
  add(*o.compile, o.compile_report, "--report", "Write the outcome as JSON into this file");
  add_max_warnings(*o.compile, o.compile_max_warnings);

  o.exporter = command("export", "Write the built-in line and train descriptions");
  add(*o.exporter, o.export_out, "--out", "Existing folder for the texts (default: .)");
  o.exporter->add_flag("--force", o.export_force, "Overwrite texts of the same names");

  o.check = command("check",
                    "Report what compiling the descriptions records, and what looks like a "
                    "mistake");
  add(*o.check, o.check_line, "--line", "Line description text (required)");
  add(*o.check, o.check_train, "--train", "Train description text (required)");
  o.check->add_option("--scenario", o.check_request.scenario, "Scenario name (default: S)");
  o.check->add_option("--train-number", o.check_request.train_number, "Train number (default: 1)");
  o.check->add_option("--format", o.check_format, "gnu (default) or json")
      ->check(CLI::IsMember({"gnu", "json"}));
  o.check->add_flag("--Werror", o.check_options.warnings_are_errors, "Treat warnings as errors");
  o.check->add_option("-W", o.check_options.warning_switches,
                      "-Wno-NAME turns the warning NAME off, -WNAME on again");
  add_max_warnings(*o.check, o.check_max_warnings);

  o.inspect = command("inspect", "Show what a compiled scenario holds");
  add(*o.inspect, o.in, "--in", "Folder of the compiled files (default: .)");
  add(*o.inspect, o.inspect_scenario, "--scenario", "Scenario name");
  add(*o.inspect, o.inspect_number, "--train-number", "Train number");
  o.inspect->add_option("--format", o.inspect_format, "text (default) or json")
      ->check(CLI::IsMember({"text", "json"}));
  o.inspect->add_option("--what", o.inspect_request.what,
                        "summary, stations, signals, slowdowns, boards, profiles, cells, slots "
                        "or plan (default: all but the raw records)");
  o.inspect->add_option("--cells", o.cells, "A:B, the cells to show (cells view)");
  o.inspect->add_option("files", o.inspect_files,
                        "The compiled files themselves, instead of --scenario and --train-number");

  o.diff = command("diff", "Show what differs between two compiled scenarios");
  add(*o.diff, o.diff_scenario, "--scenario", "Scenario name, with two folders");
  add(*o.diff, o.diff_number, "--train-number", "Train number, with two folders");
  o.diff->add_option("--format", o.diff_format, "text (default) or json")
      ->check(CLI::IsMember({"text", "json"}));
  o.diff->add_option("paths", o.diff_paths,
                     "Two folders (with --scenario and --train-number), or the files of the "
                     "first scenario followed by as many of the second");

  o.render = command("render", "Draw a compiled scenario as one offline HTML page");
  add(*o.render, o.render_in, "--in", "Folder of the compiled files (default: .)");
  add(*o.render, o.render_scenario, "--scenario", "Scenario name (required)");
  add(*o.render, o.render_number, "--train-number", "Train number (required)");
  add(*o.render, o.render_output, "-o",
      "The page to write (default: <NAME>_<NUMBER>.html in --in)");
  add(*o.render, o.render_from, "--from", "Draw from this route metre");
  add(*o.render, o.render_to, "--to", "Draw up to this route metre");
}

// The first option of `required` not given, as a refusal.
std::optional<std::string> missing(const CLI::App& command,
                                   std::initializer_list<const Given*> required) {
  for (const Given* option : required) {
    if (!option->given() && option->option != nullptr) {
      return command.get_name() + ": " + option->option->get_name() + " is required";
    }
  }
  return std::nullopt;
}

// "A:B", "A:" or ":B" into the request's cell range.
std::optional<std::string> parse_cells(const std::string& text, InspectRequest& request) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return "--cells takes A:B, found \"" + text + "\"";
  const auto part = [](const std::string& digits) -> std::optional<std::int64_t> {
    if (digits.empty() || digits.size() > 12 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    return std::stoll(digits);
  };
  const std::string first = text.substr(0, colon);
  const std::string last = text.substr(colon + 1);
  request.first_cell = part(first);
  request.last_cell = part(last);
  if ((!first.empty() && !request.first_cell) || (!last.empty() && !request.last_cell)) {
    return "--cells takes whole cell numbers, A:B, found \"" + text + "\"";
  }
  return std::nullopt;
}

// A folder with a name and a number, or files.
std::optional<std::string> compiled_source(const CLI::App& command, const Given& scenario,
                                           const Given& number,
                                           const std::vector<std::string>& files,
                                           CompiledSource& source) {
  if (files.empty()) {
    if (auto why = missing(command, {&scenario, &number})) return why;
  }
  source.scenario = scenario.value;
  source.train_number = number.value;
  source.files.assign(files.begin(), files.end());
  return std::nullopt;
}

// What makes the parsed command line unusable, if anything: a word left
// unread, an option before the command that it cannot take, a required
// option not given.
std::optional<std::string> refusal(const CLI::App& app, Options& o) {
  for (const CLI::App* part : std::initializer_list<const CLI::App*>{
           &app, o.build, o.compile, o.exporter, o.check, o.inspect, o.diff, o.render}) {
    if (auto rest = leftover(*part)) return rest;
  }
  Given none;
  Given* out = &o.build_out;
  Given* report = &o.build_report;
  const CLI::App* chosen = o.build;
  if (o.compile->parsed()) {
    chosen = o.compile;
    out = &o.compile_out;
    report = &o.compile_report;
  } else if (o.exporter->parsed()) {
    chosen = o.exporter;
    out = &o.export_out;
    report = &none;
  } else {
    for (CLI::App* other : {o.check, o.inspect, o.diff, o.render}) {
      if (!other->parsed()) continue;
      chosen = other;
      out = &none;
      report = &none;
    }
  }
  const std::string name = chosen->get_name();
  if (auto failure = take_early(o.early_out, *out, name, "--out")) return failure;
  if (auto failure = take_early(o.early_report, *report, name, "--report")) return failure;
  if (chosen == o.compile) {
    return missing(*o.compile, {&o.line, &o.train, &o.scenario, &o.train_number});
  }
  if (chosen == o.check) return missing(*o.check, {&o.check_line, &o.check_train});
  if (chosen == o.render) return missing(*o.render, {&o.render_scenario, &o.render_number});
  return std::nullopt;
}

int inspect(Options& o) {
  if (!o.inspect_request.what.empty() && !is_inspect_view(o.inspect_request.what)) {
    return usage_failure(
        "--what takes summary, stations, signals, slowdowns, boards, profiles, "
        "cells, slots or plan, not \"" +
        o.inspect_request.what + "\"");
  }
  if (!o.cells.empty()) {
    if (auto why = parse_cells(o.cells, o.inspect_request)) return usage_failure(*why);
  }
  CompiledSource source;
  if (auto why = compiled_source(*o.inspect, o.inspect_scenario, o.inspect_number, o.inspect_files,
                                 source)) {
    return usage_failure(*why);
  }
  if (o.in.given()) source.folder = o.in.value;
  return run_inspect_command(source, o.inspect_request, o.inspect_format == "json");
}

int diff(Options& o) {
  const std::vector<std::string>& paths = o.diff_paths;
  CompiledSource a;
  CompiledSource b;
  if (paths.size() == 2) {
    if (auto why = missing(*o.diff, {&o.diff_scenario, &o.diff_number})) return usage_failure(*why);
    a.folder = paths[0];
    b.folder = paths[1];
    a.scenario = b.scenario = o.diff_scenario.value;
    a.train_number = b.train_number = o.diff_number.value;
  } else if (paths.size() == 4 || paths.size() == 6) {
    const auto half = static_cast<std::ptrdiff_t>(paths.size() / 2);
    a.files.assign(paths.begin(), paths.begin() + half);
    b.files.assign(paths.begin() + half, paths.end());
  } else {
    return usage_failure("diff takes two folders, or the files of two scenarios");
  }
  return run_diff_command(a, b, o.diff_format == "json");
}

// A route metre of --from or --to: whole metres, digits only.
std::optional<std::string> parse_metres(const Given& given, std::optional<std::int64_t>& metres) {
  if (!given.given()) return std::nullopt;
  const std::string& text = given.value;
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return given.option->get_name() + " takes whole route metres, found \"" + text + "\"";
  }
  metres = std::stoll(text);
  return std::nullopt;
}

int render(Options& o) {
  RenderOptions options;
  if (auto why = parse_metres(o.render_from, options.from)) return usage_failure(*why);
  if (auto why = parse_metres(o.render_to, options.to)) return usage_failure(*why);
  if (options.from && options.to && *options.from >= *options.to) {
    return usage_failure("--from " + o.render_from.value + " must lie before --to " +
                         o.render_to.value);
  }
  if (o.render_output.given()) options.output = o.render_output.value;
  CompiledSource source;
  source.scenario = o.render_scenario.value;
  source.train_number = o.render_number.value;
  if (o.render_in.given()) source.folder = o.render_in.value;
  return run_render_command(source, options);
}

// --max-warnings N: a whole count, digits only, 0 for no limit.
std::optional<std::string> parse_max_warnings(const Given& given, std::size_t& max_warnings) {
  if (!given.given()) return std::nullopt;
  const std::string& text = given.value;
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return "--max-warnings takes a whole number of warnings, 0 for all, found \"" + text + "\"";
  }
  max_warnings = std::stoul(text);
  return std::nullopt;
}

int dispatch(Options& o, const char* argv0) {
  if (o.compile->parsed()) {
    CompileRequest request;
    if (auto why = parse_max_warnings(o.compile_max_warnings, request.max_warnings)) {
      return usage_failure(*why);
    }
    request.line = o.line.value;
    request.train = o.train.value;
    request.scenario = o.scenario.value;
    request.train_number = o.train_number.value;
    request.out = o.compile_out.given() ? o.compile_out.value : ".";
    request.line_file = !o.no_line_file;
    request.warnings = !o.no_warnings;
    request.force = o.compile_force;
    request.report = optional_path(o.compile_report.value);
    return run_compile_command(request);
  }
  if (o.exporter->parsed()) {
    return run_export_command(o.export_out.given() ? o.export_out.value : ".", o.export_force);
  }
  if (o.check->parsed()) {
    if (auto why = parse_max_warnings(o.check_max_warnings, o.check_options.max_warnings)) {
      return usage_failure(*why);
    }
    o.check_request.line = o.check_line.value;
    o.check_request.train = o.check_train.value;
    o.check_options.json = o.check_format == "json";
    return run_check_command(o.check_request, o.check_options);
  }
  if (o.inspect->parsed()) return inspect(o);
  if (o.diff->parsed()) return diff(o);
  if (o.render->parsed()) return render(o);
  const fs::path folder =
      o.build_out.given() ? fs::path(o.build_out.value) : executable_folder(argv0);
  return run_builtin_command(folder, optional_path(o.build_report.value));
}

}  // namespace

int run_command_line(int argc, const char* const* argv, const std::string& version) {
  CLI::App app{
      "tracciato: compiles route scenarios for the train-driving simulator.\n"
      "With no command it runs `build`."};
  app.set_version_flag("--version", version);
  Options options;
  define(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? exit_clean : exit_io_or_usage;
  }
  if (const auto refused = refusal(app, options)) return usage_failure(*refused);
  return dispatch(options, argv[0]);
}

}  // namespace tracciato
