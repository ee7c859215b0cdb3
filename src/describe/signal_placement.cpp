#include "describe/signal_placement.h"

#include "model/error_record.h"
#include "model/low_bits.h"
#include "model/rounding.h"

namespace tracciato {

bool memo_segnale(ScenarioModel& model, SignalRecord& r) {
  const std::int64_t i = point_cell(r.posizione);
  TrackCell* signal = claim_free_cell(model, i, ErrorCode::signal_cell_taken, r.posizione);
  if (signal == nullptr) return false;
  signal->kind = cell_kind::signal;
  signal->value4 = low_16(10 * std::int64_t{r.rapp} + 3 * std::int64_t{r.sx} + r.dx);
  signal->value1 = low_16(10 * std::int64_t{r.s1} + r.d1);
  signal->value2 = low_16(10 * std::int64_t{r.s2} + r.d2);
  signal->value3 = low_16(10 * std::int64_t{r.s3} + r.d3);
  if (r.tempo >= 1 && r.tempo <= 100) r.tempo = 101;
  signal->timer = r.sx == 2 ? low_8(r.tempo) : 0;
  // Boards that would stand before the start of the track are dropped.
  for (std::int64_t b = 1; b <= 4; ++b) {
    if (TrackCell* board = model.cells->find(i - 2 * b)) {
      board->approach = low_8(10 * (3 * std::int64_t{r.sx} + r.dx) + b);
    }
  }
  return true;
}

bool memo_rallentamento(ScenarioModel& model, const SlowdownRecord& r) {
  const std::int64_t w = std::int64_t{r.x} - 1200;
  const bool warned = r.x > 1500;
  TrackCell* warning = nullptr;
  if (warned) {
    warning = claim_free_cell(model, point_cell(w), ErrorCode::warning_cell_taken, r.x);
    if (warning == nullptr) return false;
  }
  TrackCell* start = claim_free_cell(model, point_cell(r.x), ErrorCode::slowdown_start_taken, r.x);
  if (start == nullptr) return false;
  // Also an end beyond the track: such a cell is never free.
  TrackCell* end = claim_free_cell(model, point_cell(std::int64_t{r.x} + r.l),
                                   ErrorCode::slowdown_end_taken, r.x);
  if (end == nullptr) return false;
  // End before start: when both fall in one cell it ends as the start.
  end->kind = cell_kind::slowdown_end;
  if (r.d_v != 0) end->value2 = low_16(r.d_v);
  start->kind = cell_kind::slowdown_start;
  if (r.d_v != 0) start->value2 = low_16(r.d_v);
  if (warned) {
    warning->kind = cell_kind::slowdown_warning;
    if (r.d_v != 0) warning->value2 = low_16(r.d_v);
    warning->value1 = low_16(r.v);
  }
  for (TrackCell* point : {start, end}) point->value1 = low_16(r.v);
  for (TrackCell* point : {start, end}) point->value3 = low_16(r.f_tt);
  if (!warned || r.f_ta == 0) return true;
  const std::int64_t h = round_half_even_div(w, 50);
  for (std::int64_t k = 0; k <= 3; ++k) {
    if (claim_free_cell(model, h - k, ErrorCode::pre_warning_cell_taken, r.x) == nullptr) {
      return false;
    }
  }
  for (std::int64_t k = 0; k <= 3; ++k) {
    TrackCell& cell = *model.cells->find(h - k);
    cell.kind = cell_kind::pre_warning;
    cell.value1 = low_16(k + 1);
    if (r.d_v != 0) cell.value2 = low_16(k + 1);
  }
  return true;
}

}  // namespace tracciato
