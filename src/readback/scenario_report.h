#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "model/decode_compiled.h"
#include "model/scenario_view.h"

namespace tracciato {

// What `inspect` shows of a compiled scenario.
struct InspectRequest {
  std::string what;  // "" for every view of the text form (and all of JSON), else one view
  std::optional<std::int64_t> first_cell;  // --cells A:B, for the cells view
  std::optional<std::int64_t> last_cell;

  // The cells the cells view shows, clipped to the track: first and last.
  std::pair<std::int64_t, std::int64_t> cells_shown(const CellArray& cells) const {
    return {std::max<std::int64_t>(first_cell.value_or(0), 0),
            std::min(last_cell.value_or(cells.last()), cells.last())};
  }
};

// The views `what` may name.
bool is_inspect_view(const std::string& what);

// For a person: the summary, stations, signals, slowdowns, boards, profiles
// and geometry, positions as route metres and kilometre readings. Control
// characters of names and texts are shown as U+FFFD (terminal_text).
std::string inspect_text(const CompiledScenario& scenario, const InspectRequest& request);

// For programs: the same content, and the raw records with their field
// names (cells, slots, the plan's two columns, null for an empty element);
// encoding the raw records gives back the files' bytes.
std::string inspect_json(const CompiledScenario& scenario, const InspectRequest& request);

}  // namespace tracciato
