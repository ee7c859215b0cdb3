// Any bytes as compiled files, read as readback reads them: the scenario
// file first, the other two checked by their size against the route length
// it states, the line file decoded in runs of 1 to 13 bytes (the input's
// length picks which). Then shown in both views of inspect and diffed
// against the built-in scenario. A decode failure is a clean end; a finding
// is a crash, a read past the bytes (the sanitizers tell), or a line file
// whose decoding in runs gives another plan or another failure than its
// decoding whole.
//
// Input: a mode byte, then the bytes. Mode 0, 1 and 2 (the byte's low two
// bits) take the rest as the scenario, track or line file, beside the other
// two of a short route; mode 3 takes it as all three: two 32-bit
// little-endian lengths, then the scenario file, the track file and the
// line file (the rest). The byte's other bits pick the view shown, or all
// of them: one view is as thorough and a quarter of the work.
#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "builtin_images.h"
#include "fuzz_input.h"
#include "model/byte_reader.h"
#include "model/compiled_files.h"
#include "readback/scenario_diff.h"
#include "readback/scenario_report.h"

namespace {

using namespace tracciato;

constexpr std::array<const char*, 10> views = {"",          "summary", "stations", "signals",
                                               "slowdowns", "boards",  "profiles", "cells",
                                               "slots",     "plan"};

std::uint32_t length_at(std::string_view& rest) {
  std::uint32_t n = 0;
  for (int i = 0; i < 4 && !rest.empty(); ++i) {
    n |= static_cast<std::uint32_t>(static_cast<unsigned char>(rest.front())) << (8 * i);
    rest.remove_prefix(1);
  }
  return n;
}

std::string_view take(std::string_view& rest, std::uint32_t n) {
  const std::string_view part = rest.substr(0, std::min<std::size_t>(n, rest.size()));
  rest.remove_prefix(part.size());
  return part;
}

constexpr const char* line_name = "f_linea.dat";

std::string failure_of(const std::function<void()>& work) {
  try {
    work();
  } catch (const DecodeFailure& failure) {
    return failure.what();
  }
  return "";
}

// The line file decoded in runs of `run` bytes, as readback decodes it,
// which must agree with decoding it whole, plan for plan and failure for
// failure; none when it fails.
std::optional<TrackPlan> line_in_runs(std::string_view line, std::size_t run, std::int64_t length) {
  std::optional<TrackPlan> whole;
  const std::string whole_failure = failure_of([&] {
    whole = decode_line_file(line, line_name);
    check_plan_rows(whole->last_row() + 1, length, line_name);
  });
  std::optional<TrackPlan> plan;
  const std::string failure = failure_of([&] {
    LineFileDecoder decoder(line_name, plan_rows_for(length), line.size());
    for (std::size_t at = 0; at < line.size(); at += run) decoder.take(line.substr(at, run));
    check_plan_rows(decoder.finish(), length, line_name);
    plan = std::move(decoder).plan();
  });
  if (failure != whole_failure) __builtin_trap();
  if (plan && line_file_image(*plan) != line_file_image(*whole)) __builtin_trap();
  return plan;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fuzz::BuiltinImages& builtin = fuzz::builtin_images();
  static const ScenarioView builtin_view = view_of(builtin.decoded);  // a pass over its plan
  const fuzz::BuiltinImages& company = fuzz::short_route_images();
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view scenario = company.scenario;
  std::string_view track = company.track;
  std::string_view line = company.line;
  switch (data[0] % 4) {
    case 0:
      scenario = rest;
      break;
    case 1:
      track = rest;
      break;
    case 2:
      line = rest;
      break;
    default: {
      const std::uint32_t scenario_size = length_at(rest);
      const std::uint32_t track_size = length_at(rest);
      scenario = take(rest, scenario_size);
      track = take(rest, track_size);
      line = rest;
    }
  }
  try {
    CompiledScenario s;
    s.slots =
        decode_scenario_file(scenario.substr(0, largest_scenario_file), "f.sim", scenario.size());
    const std::int64_t length = route_length_of(s.slots);
    check_track_file_size(track.size(), length, "f.dat");
    s.cells = decode_track_file(track, "f.dat");
    check_line_file_size(line.size(), length, line_name);
    s.plan = line_in_runs(line, 1 + size % 13, length);
    if (!s.plan) return 0;
    const InspectRequest view{views[static_cast<std::size_t>(data[0] / 4) % views.size()], {}, {}};
    (void)inspect_text(s, view);
    (void)inspect_json(s, view);
    (void)inspect_text(s, {"cells", 1490, 1510});
    const auto differences = scenario_differences(builtin.decoded, builtin_view, s);
    (void)diff_report_text(differences);
    (void)diff_report_json(differences);
  } catch (const DecodeFailure&) {
  }
  return 0;
}
