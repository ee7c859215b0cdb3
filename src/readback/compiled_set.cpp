#include "readback/compiled_set.h"

#include <array>

#include "platform/commit_journal.h"
#include "platform/regular_file.h"

namespace tracciato {
namespace {

namespace fs = std::filesystem;

enum class Role { line, scenario, track, unknown };

Role role_by_name(const fs::path& file) {
  const std::string name = file.filename().string();
  if (name.ends_with("_linea.dat")) return Role::line;
  if (name.ends_with(".sim")) return Role::scenario;
  if (name.ends_with(".dat")) return Role::track;
  return Role::unknown;
}

// Only a file that could be a scenario file is read, and then no further
// than one can go; the other two are told apart by their size.
Role role_by_bytes(const fs::path& path) {
  RegularFile file(path);
  if (file.size() <= largest_scenario_file) {
    try {
      (void)decode_scenario_file(file.read_at_most(largest_scenario_file), path.string());
      return Role::scenario;
    } catch (const DecodeFailure&) {
    }
  }
  return file.size() > 0 && file.size() % 15 == 0 ? Role::track : Role::line;
}

// The scenario file comes first: it states the route length, which fixes
// the size of the other two, and it can be no larger than its 87 records
// with the longest names. A larger one is read that far, and what follows
// the records is counted.
SlotTable read_scenario_file(const fs::path& path) {
  RegularFile file(path);
  return decode_scenario_file(file.read_at_most(largest_scenario_file), path.string(), file.size());
}

// A file of another size is refused before a byte of it is read.
CellArray read_track_file(const fs::path& path, std::int64_t route_length) {
  RegularFile file(path);
  check_track_file_size(file.size(), route_length, path.string());
  return decode_track_file(file.read_at_most(file.size()), path.string());
}

// Decoded as it is read, a run at a time: the file's bytes are never held
// whole beside the plan they fill.
TrackPlan read_line_file(const fs::path& path, std::int64_t route_length) {
  RegularFile file(path);
  check_line_file_size(file.size(), route_length, path.string());
  LineFileDecoder decoder(path.string(), plan_rows_for(route_length), file.size());
  file.read_runs([&](std::string_view run) { decoder.take(run); });
  check_plan_rows(decoder.finish(), route_length, path.string());
  return std::move(decoder).plan();
}

}  // namespace

CompiledPaths paths_in(const fs::path& folder, const std::string& name, const std::string& number) {
  CompiledPaths paths;
  paths.scenario = folder / (name + "_" + number + ".sim");
  paths.track = folder / (name + "_" + number + ".dat");
  const fs::path line = folder / (name + "_linea.dat");
  std::error_code error;
  if (fs::exists(line, error)) paths.line = line;
  return paths;
}

CompiledPaths paths_of(const std::vector<fs::path>& files) {
  if (files.size() < 2 || files.size() > 3) {
    throw UnclearFiles("give the scenario file and the track file, and the line file if wanted");
  }
  std::array<std::optional<fs::path>, 3> found;
  for (const fs::path& file : files) {
    Role role = role_by_name(file);
    if (role == Role::unknown) role = role_by_bytes(file);
    std::optional<fs::path>& slot = found[static_cast<std::size_t>(role)];
    if (slot) {
      throw UnclearFiles(file.string() + " and " + slot->string() + " are both " +
                         (role == Role::line       ? "line files"
                          : role == Role::scenario ? "scenario files"
                                                   : "track files"));
    }
    slot = file;
  }
  if (!found[1]) throw UnclearFiles("no scenario file (.sim) among the files");
  if (!found[2]) throw UnclearFiles("no track file (.dat) among the files");
  return {found[0], *found[1], *found[2]};
}

CompiledScenario read_compiled(const CompiledPaths& paths) {
  // A folder a run was killed in while it replaced these files may hold
  // some of one compile and some of another, each file whole and valid.
  std::vector<fs::path> files = {paths.scenario, paths.track};
  if (paths.line) files.push_back(*paths.line);
  if (const auto interrupted = interrupted_commit(files)) throw UnclearFiles(*interrupted);
  CompiledScenario s;
  s.slots = read_scenario_file(paths.scenario);
  const std::int64_t length = route_length_of(s.slots);
  s.cells = read_track_file(paths.track, length);
  if (paths.line) s.plan = read_line_file(*paths.line, length);
  return s;
}

}  // namespace tracciato
