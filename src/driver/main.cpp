// tracciato: compiles the built-in route scenario, or a route author's own
// descriptions, into the files the simulator loads.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "driver/commands.h"

namespace {

namespace fs = std::filesystem;

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

int run(int argc, char** argv) {
  CLI::App app{
      "tracciato: compiles route scenarios for the train-driving simulator.\n"
      "With no command it runs `build`."};
  app.require_subcommand(0, 1);

  std::string build_out;
  std::string build_report;
  app.add_option("--out", build_out, "Existing folder for the built-in build's output");
  app.add_option("--report", build_report, "Write the built-in build's outcome as JSON");
  CLI::App* build = app.add_subcommand("build", "Build the built-in Lindra - Kestova scenario");
  build->add_option("--out", build_out,
                    "Existing folder for the output (default: the executable's)");
  build->add_option("--report", build_report, "Write the outcome as JSON into this file");

  tracciato::CompileRequest request;
  std::string out = ".";
  std::string report;
  bool no_line_file = false;
  CLI::App* compile = app.add_subcommand("compile", "Compile a line and a train description");
  compile->add_option("--line", request.line, "Line description text")->required();
  compile->add_option("--train", request.train, "Train description text")->required();
  compile->add_option("--scenario", request.scenario, "Scenario name (names the files)")
      ->required();
  compile->add_option("--train-number", request.train_number, "Train number (names the files)")
      ->required();
  compile->add_option("--out", out, "Existing folder for the compiled files (default: .)");
  compile->add_flag("--no-line-file", no_line_file, "Do not write the line file");
  bool no_warnings = false;
  compile->add_flag("-w", no_warnings, "Do not print warnings");
  compile->add_option("--report", report, "Write the outcome as JSON into this file");

  std::string export_out = ".";
  CLI::App* exporter =
      app.add_subcommand("export", "Write the built-in line and train descriptions");
  exporter->add_option("--out", export_out, "Existing folder for the texts (default: .)");

  tracciato::CheckRequest check_request;
  std::string check_format = "gnu";
  bool werror = false;
  std::vector<std::string> warning_switches;
  CLI::App* check = app.add_subcommand(
      "check", "Report what compiling the descriptions records, and what looks like a mistake");
  check->add_option("--line", check_request.line, "Line description text")->required();
  check->add_option("--train", check_request.train, "Train description text")->required();
  check->add_option("--scenario", check_request.scenario, "Scenario name (default: S)");
  check->add_option("--train-number", check_request.train_number, "Train number (default: 1)");
  check->add_option("--format", check_format, "gnu (default) or json")
      ->check(CLI::IsMember({"gnu", "json"}));
  check->add_flag("--Werror", werror, "Treat warnings as errors");
  check->add_option("-W", warning_switches,
                    "-Wno-NAME turns the warning NAME off, -WNAME on again");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? tracciato::exit_clean : tracciato::exit_io_or_usage;
  }
  if (compile->parsed()) {
    request.out = out;
    request.line_file = !no_line_file;
    request.warnings = !no_warnings;
    request.report = optional_path(report);
    return tracciato::run_compile_command(request);
  }
  if (exporter->parsed()) return tracciato::run_export_command(export_out);
  if (check->parsed()) {
    return tracciato::run_check_command(check_request,
                                        {check_format == "json", werror, warning_switches});
  }
  const fs::path folder = build_out.empty() ? executable_folder(argv[0]) : fs::path(build_out);
  return tracciato::run_builtin_command(folder, optional_path(build_report));
}

}  // namespace

int main(int argc, char** argv) {
  // The commands report their own failures; anything that escapes them is a
  // fault of the program, still told in one line and a status.
  try {
    return run(argc, argv);
  } catch (const std::exception& failure) {
    (void)std::fprintf(stderr, "tracciato: %s\n", failure.what());
  } catch (...) {
    (void)std::fputs("tracciato: an unexpected failure\n", stderr);
  }
  return tracciato::exit_io_or_usage;
}
