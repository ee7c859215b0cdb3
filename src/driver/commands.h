#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "check/check_route.h"
#include "readback/scenario_report.h"
#include "render/render_page.h"

namespace tracciato {

// The exit statuses of every command.
enum ExitStatus { exit_clean = 0, exit_fault_recorded = 1, exit_stopped = 2, exit_io_or_usage = 3 };

// Tells a usage or input/output failure in one line, "tracciato: WHAT", and
// gives its exit status.
int usage_failure(const std::string& what);

// Tells a notice of a command that writes, "tracciato: WHAT", as what an
// output transaction mended in a folder before it wrote there.
void show_notice(const std::string& text);

// Why the first of the input texts that cannot be read cannot be, as
// "PATH: REASON"; nullopt when all can.
std::optional<std::string> unfit_inputs(const std::vector<std::filesystem::path>& inputs);

// tracciato [build]: the built-in build into `folder`.
int run_builtin_command(const std::filesystem::path& folder,
                        const std::optional<std::filesystem::path>& report);

// tracciato compile: a route author's own descriptions, never touched.
struct CompileRequest {
  std::filesystem::path line;
  std::filesystem::path train;
  std::string scenario;
  std::string train_number;
  std::filesystem::path out = ".";
  bool line_file = true;
  std::optional<std::filesystem::path> report;
  bool warnings = true;  // -w turns them off
  bool force = false;    // write the compiled files even when a fault is recorded
  std::size_t max_warnings = default_max_warnings;  // of each name; 0: all
};
int run_compile_command(const CompileRequest& request);

// tracciato export: the built-in descriptions, kept as a starting point;
// an existing file of either name is overwritten only when `force`.
int run_export_command(const std::filesystem::path& folder, bool force);

// tracciato check: what compiling the descriptions would record, and what
// looks like a mistake, printed and never written anywhere.
struct CheckOptions {
  bool json = false;
  bool warnings_are_errors = false;
  // The -W switches in the order given: "no-NAME" turns NAME off, "NAME"
  // turns it back on; the last word on a name holds.
  std::vector<std::string> warning_switches;
  std::size_t max_warnings = default_max_warnings;  // shown of each name; 0: all
};
int run_check_command(CheckRequest request, const CheckOptions& options);

// Which compiled scenario a command reads: a folder with a scenario name
// and train number, or the files themselves.
struct CompiledSource {
  std::filesystem::path folder = ".";
  std::string scenario;
  std::string train_number;
  std::vector<std::filesystem::path> files;  // when given, these instead
};

// tracciato inspect: what a compiled scenario holds, as text or JSON.
int run_inspect_command(const CompiledSource& source, const InspectRequest& request, bool json);

// tracciato diff: what differs between two compiled scenarios; 0 when
// nothing does, 1 when something does.
int run_diff_command(const CompiledSource& a, const CompiledSource& b, bool json);

// tracciato render: the compiled scenario drawn as one HTML page, written
// to `output` or to <NAME>_<NUMBER>.html in the source folder.
struct RenderOptions {
  std::optional<std::filesystem::path> output;
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
};
int run_render_command(const CompiledSource& source, const RenderOptions& options);

}  // namespace tracciato
