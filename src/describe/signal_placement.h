#pragma once

#include "describe/records.h"
#include "model/scenario_model.h"

namespace tracciato {

// Lays a signal in the cell of its position and its four boards 2, 4, 6 and
// 8 cells before it; error 16 when the signal's cell is taken. A tempo from 1
// to 100 is raised to 101 in the record. True when the signal was laid.
bool memo_segnale(ScenarioModel& model, SignalRecord& r);

// Lays a temporary slowdown: its warning point 1200 m before the start
// (beyond 1500 m), start and end points, and with f_ta the four pre-warning
// cells. Errors 17 to 20 name the cell that was taken. True when it was laid.
bool memo_rallentamento(ScenarioModel& model, const SlowdownRecord& r);

}  // namespace tracciato
