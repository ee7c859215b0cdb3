#pragma once

#include <cstdint>

#include "model/scenario_model.h"

namespace tracciato {

// Lays a structure over the track from inizio to fine: its montagna type on
// every cell of the range and, for a type above 10, a filler on every fourth
// empty cell. A structure within 150 m of the one before becomes type 3.
// An 81st structure throws ReadFailure.
void memo_montagna(ScenarioModel& model, std::int32_t inizio, std::int32_t fine,
                   std::int32_t& tipo);

// Lays a speed-indicator board at posizione; error 21 when its cell is taken.
// A speed code outside 16 bits throws ReadFailure.
void memo_indicatori_v_max(ScenarioModel& model, std::int32_t posizione, std::int32_t vas,
                           std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
                           std::int32_t vad, std::int32_t vbd, std::int32_t vcd,
                           std::int32_t strisced);

// Puts the three kilometric progressives of slots 81 to 83 in order, the
// latest start first, and adds 100 to the offset of each flagged one.
void progressive_ordina(ScenarioModel& model);

}  // namespace tracciato
