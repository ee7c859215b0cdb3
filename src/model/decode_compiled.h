#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/byte_reader.h"
#include "model/scenario_model.h"

namespace tracciato {

// The three compiled files read back into the records they were written
// from. Each decoder takes the bytes and the file's name (for its
// failures) and throws DecodeFailure on bytes it cannot take: it never
// reads past them. Encoding the result gives back the same bytes.

// The scenario file: exactly 87 slot records.
SlotTable decode_scenario_file(std::string_view bytes, const std::string& file);
// The track file: 15-byte cells, at least one.
CellArray decode_track_file(std::string_view bytes, const std::string& file);
// The line file: tagged elements, column 0 for every row, then column 1.
TrackPlan decode_line_file(std::string_view bytes, const std::string& file);

// A compiled scenario as files hold it; the line file is optional.
struct CompiledScenario {
  SlotTable slots;
  CellArray cells{0};
  std::optional<TrackPlan> plan;
};

// Checks that the files agree with the route length in slot 84: cells 0 to
// U = round((L + 7000) / 50), plan rows 0 to L + 7000. Throws DecodeFailure
// naming the file that disagrees.
void check_sizes(const CompiledScenario& scenario, const std::string& track_file,
                 const std::string& line_file);

}  // namespace tracciato
