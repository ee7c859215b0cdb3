#pragma once

#include <cstdint>

#include "describe/records.h"
#include "model/scenario_model.h"

namespace tracciato {

// Lays a structure over the track from inizio to fine: its montagna type on
// every cell of the range and, for a type above 10, a filler on every fourth
// empty cell. A structure within 150 m of the one before becomes type 3 (the
// record's tipo is changed as it is laid). An 81st structure throws
// ReadFailure.
void memo_montagna(ScenarioModel& model, MontagnaRecord& r);

// Lays a speed-indicator board at its position; error 21 when its cell is
// taken. A speed code outside 16 bits throws ReadFailure. True when laid.
bool memo_indicatori_v_max(ScenarioModel& model, const SpeedBoardRecord& r);

// Puts the three kilometric progressives of slots 81 to 83 in order, the
// latest start first, and adds 100 to the offset of each flagged one.
void progressive_ordina(ScenarioModel& model);

}  // namespace tracciato
