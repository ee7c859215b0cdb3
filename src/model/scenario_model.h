#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/slot_record.h"
#include "model/track_cell.h"
#include "model/track_plan.h"
#include "platform/diagnostic.h"

namespace tracciato {

inline constexpr int montagna_capacity = 80;

// What the author is told about the fault in the error record, beyond its
// code: its own position, the record it stands at, why, and notes.
struct FaultDetail {
  // The fault's own position. The error record may later take the position
  // of the record where reading stopped because of it.
  std::int32_t position = 0;
  std::optional<SourceLocation> at;      // none for a fault of the track as a whole
  std::optional<SourceLocation> record;  // the keyword of the record it stands at
  std::string reason;
  std::vector<Note> notes;
  std::optional<std::int64_t> cell;  // the cell a placement found taken
};

// The whole state of one build, shared by reference between its steps.
struct ScenarioModel {
  std::optional<TrackPlan> plan;   // only while write_line_file is non-zero
  std::optional<CellArray> cells;  // created at the line's length record
  SlotTable slots{};

  // Entries 1 .. 80 of the montagna records read so far; entry 0 stays 0.
  std::array<std::int32_t, montagna_capacity + 1> montagna_start{};
  std::array<std::int32_t, montagna_capacity + 1> montagna_end{};
  std::int32_t montagna_count = 0;

  std::int32_t write_line_file = 0;
  std::int32_t plan_last_metre = 0;

  std::string train_number;
  std::string scenario_name;

  // The error record: the last fault wins (see model/error_record.h).
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  FaultDetail fault;
  // Every fault recorded, in order, each code with its position: the record
  // keeps the last, the checker wants them all.
  std::vector<std::pair<std::int32_t, std::int32_t>> fault_log;
};

// U for a route length L: (L + 7000) / 50, halves to the even neighbour.
std::int64_t last_cell_for_length(std::int64_t length);

// Creates the cells (and, when the line file is wanted, the plan) afresh for
// a route length, discarding what they held. Needs U >= 0, and L >= -7000
// when the plan is wanted.
void create_track(ScenarioModel& model, std::int64_t length);

}  // namespace tracciato
