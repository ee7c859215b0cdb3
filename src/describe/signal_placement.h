#pragma once

#include <cstdint>

#include "model/scenario_model.h"

namespace tracciato {

// Lays a signal in the cell of posizione and its four boards 2, 4, 6 and 8
// cells before it; error 16 when the signal's cell is taken. A tempo from 1
// to 100 is raised to 101.
void memo_segnale(ScenarioModel& model, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                  std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx,
                  std::int32_t d1, std::int32_t d2, std::int32_t d3, std::int32_t& tempo);

// Lays a temporary slowdown from x over l metres: its warning point 1200 m
// before the start (beyond 1500 m), start and end points, and with f_ta the
// four pre-warning cells. Errors 17 to 20 name the cell that was taken.
void memo_rallentamento(ScenarioModel& model, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v);

}  // namespace tracciato
