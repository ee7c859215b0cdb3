#include "describe/signal_placement.h"

#include "compile/errors.h"
#include "model/low_bits.h"
#include "model/rounding.h"

namespace tracciato {

void memo_segnale(ScenarioModel& model, std::int32_t posizione, std::int32_t sx, std::int32_t s1,
                  std::int32_t s2, std::int32_t s3, std::int32_t rapp, std::int32_t dx,
                  std::int32_t d1, std::int32_t d2, std::int32_t d3, std::int32_t& tempo) {
  CellArray& cells = *model.cells;
  const std::int64_t i = point_cell(posizione);
  if (!cells.is_free(i)) {
    record_error(model, 16);
    return;
  }
  TrackCell& signal = *cells.find(i);
  signal.kind = cell_kind::signal;
  signal.value4 = low_16(10 * std::int64_t{rapp} + 3 * std::int64_t{sx} + dx);
  signal.value1 = low_16(10 * std::int64_t{s1} + d1);
  signal.value2 = low_16(10 * std::int64_t{s2} + d2);
  signal.value3 = low_16(10 * std::int64_t{s3} + d3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  signal.timer = sx == 2 ? low_8(tempo) : 0;
  // Boards that would stand before the start of the track are dropped.
  for (int b = 1; b <= 4; ++b) {
    if (TrackCell* board = cells.find(i - 2 * b)) {
      board->approach = low_8(10 * (3 * std::int64_t{sx} + dx) + b);
    }
  }
}

void memo_rallentamento(ScenarioModel& model, std::int32_t x, std::int32_t v, std::int32_t l,
                        std::int32_t f_tt, std::int32_t f_ta, std::int32_t d_v) {
  CellArray& cells = *model.cells;
  const std::int64_t w = std::int64_t{x} - 1200;
  const bool warned = x > 1500;
  if (warned && !cells.is_free(point_cell(w))) {
    record_error(model, 17);
    return;
  }
  if (!warned) f_ta = 0;
  const std::int64_t start = point_cell(x);
  const std::int64_t end = point_cell(std::int64_t{x} + l);
  if (!cells.is_free(start)) {
    record_error(model, 18);
    return;
  }
  if (!cells.is_free(end)) {  // also an end beyond the track
    record_error(model, 19);
    return;
  }
  // End before start: when both fall in one cell it ends as the start.
  TrackCell& end_cell = *cells.find(end);
  end_cell.kind = cell_kind::slowdown_end;
  if (d_v != 0) end_cell.value2 = low_16(d_v);
  TrackCell& start_cell = *cells.find(start);
  start_cell.kind = cell_kind::slowdown_start;
  if (d_v != 0) start_cell.value2 = low_16(d_v);
  if (warned) {
    TrackCell& warning = *cells.find(point_cell(w));
    warning.kind = cell_kind::slowdown_warning;
    if (d_v != 0) warning.value2 = low_16(d_v);
    warning.value1 = low_16(v);
  }
  for (TrackCell* point : {&start_cell, &end_cell}) point->value1 = low_16(v);
  for (TrackCell* point : {&start_cell, &end_cell}) point->value3 = low_16(f_tt);
  if (f_ta == 0) return;
  const std::int64_t h = round_half_even_div(w, 50);
  for (std::int64_t k = 0; k <= 3; ++k) {
    if (!cells.is_free(h - k)) {
      record_error(model, 20);
      return;
    }
  }
  for (std::int64_t k = 0; k <= 3; ++k) {
    TrackCell& cell = *cells.find(h - k);
    cell.kind = cell_kind::pre_warning;
    cell.value1 = low_16(k + 1);
    if (d_v != 0) cell.value2 = low_16(k + 1);
  }
}

}  // namespace tracciato
