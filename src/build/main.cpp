// tracciato: compiles the built-in route scenario (or a route author's own
// descriptions) into the files the simulator loads.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "build/builtin_build.h"
#include "compile/errors.h"
#include "model/scenario_model.h"
#include "platform/code_page.h"
#include "platform/io_failure.h"
#include "platform/status_line.h"

namespace {

using tracciato::ScenarioModel;
namespace fs = std::filesystem;

enum ExitStatus { clean = 0, fault_recorded = 1, stopped = 2, io_or_usage = 3 };

fs::path executable_folder(const char* argv0) {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) self = fs::absolute(argv0, error);
  return self.parent_path();
}

// The folder given with --out must already exist.
bool usable_folder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return true;
  std::fprintf(stderr, "tracciato: %s: not an existing folder\n", folder.string().c_str());
  return false;
}

std::string summary(const std::vector<std::string>& files, const fs::path& folder) {
  std::string text = "Scritti " + std::to_string(files.size()) + " file in " + folder.string() + ":";
  for (const std::string& f : files) text += " " + f;
  return text;
}

int run_build(const fs::path& folder) {
  if (!usable_folder(folder)) return io_or_usage;
  ScenarioModel model;
  tracciato::StatusLine status;
  status.show_wait();
  try {
    const auto files = tracciato::run_builtin_build(model, folder);
    status.finish(summary(files, folder));
  } catch (const tracciato::BuildStopped& stop) {
    status.clear();
    tracciato::show_message(stop.what());
    return stopped;
  } catch (const tracciato::IoFailure& failure) {
    status.clear();
    std::fprintf(stderr, "tracciato: %s\n", failure.what());
    return io_or_usage;
  } catch (const tracciato::EncodingError& failure) {
    status.clear();
    std::fprintf(stderr, "tracciato: %s\n", failure.what());
    return io_or_usage;
  }
  return model.error_code == 0 ? clean : fault_recorded;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"tracciato: compiles a route scenario for the train-driving simulator"};
  app.require_subcommand(0, 1);
  std::string out;
  CLI::App* build = app.add_subcommand("build", "Build the built-in scenario (the default)");
  build->add_option("--out", out, "Existing folder for the output (default: the executable's)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : io_or_usage;
  }
  const fs::path folder = out.empty() ? executable_folder(argv[0]) : fs::path(out);
  return run_build(folder);
}
