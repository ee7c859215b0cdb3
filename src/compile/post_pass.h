#pragma once

#include <cstdint>

#include "model/scenario_model.h"

namespace tracciato {

// The smaller of a and b; a when they are equal. The pass lowers an existing
// point's value with it.
inline std::int32_t minimo(std::int32_t a, std::int32_t b) {
  return a > b ? b : a;
}

// The track post-pass of the compile step. For each current cell
// i from 1 to U - 2, in increasing order, it applies
//   rule A at a slowdown warning point: a point before every signal in the
//     20 cells behind it (cells below 3 are not examined), or an existing
//     point before it lowered to minimo(180, value); error 11 otherwise;
//   rule B at a slowdown start: the near, middle and far advance points
//     (B1 to B3, error 12 per group), the walk along a slowdown slower than
//     110 with a point every 8 cells (B4, error 13), and a point before the
//     first signal in the 13 cells from the slowdown's end (B5, error 13).
// Every point is kind 12 with value1 180, laid on a free cell only; no other
// field of a cell is touched. Errors are recorded and the pass goes on; the
// error record is not cleared first.
//
// Near the end of the track: the pass reads and writes no cell beyond U
// (such cells are never free). A walk that would step beyond U without
// meeting a slowdown end stops, records error 13 at U x 50 and skips B5.
// When the start speed is 110 or more, B5 starts from the first cell after
// the start whose kind is 2, searching up to U, and is skipped if none.
//
// Requires model.cells (throws std::bad_optional_access when absent).
void run_post_pass(ScenarioModel& model);

}  // namespace tracciato
