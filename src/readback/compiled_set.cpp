#include "readback/compiled_set.h"

#include <array>

#include "platform/replace_file.h"

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

Role role_by_bytes(const fs::path& file) {
  const std::string bytes = read_file(file);
  try {
    (void)decode_scenario_file(bytes, file.string());
    return Role::scenario;
  } catch (const DecodeFailure&) {
  }
  return !bytes.empty() && bytes.size() % 15 == 0 ? Role::track : Role::line;
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
  CompiledScenario s;
  s.slots = decode_scenario_file(read_file(paths.scenario), paths.scenario.string());
  s.cells = decode_track_file(read_file(paths.track), paths.track.string());
  if (paths.line) s.plan = decode_line_file(read_file(*paths.line), paths.line->string());
  check_sizes(s, paths.track.string(), paths.line ? paths.line->string() : std::string());
  return s;
}

}  // namespace tracciato
