#include "compile/post_pass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "model/error_record.h"

namespace tracciato {
namespace {

constexpr std::int16_t point_value = 180;
constexpr std::int16_t walk_speed_limit = 110;  // B4 runs below this speed
constexpr std::int64_t look_back_cells = 20;    // rule A window
constexpr std::int64_t look_back_floor = 3;     // rule A examines no cell below it
constexpr std::int64_t walk_spacing = 8;        // B4: a point every 8 cells
constexpr std::int64_t look_ahead_cells = 12;   // B5 window: e .. e + 12

// One advance group of B1 to B3: laid only when the start cell i is beyond
// `needs_start_beyond`, on the first free cell of i - nearest, i - nearest - 1,
// i - nearest - 2.
struct AdvanceGroup {
  std::int64_t needs_start_beyond;
  std::int64_t nearest;
};
constexpr std::array<AdvanceGroup, 3> advance_groups = {{{7, 5}, {13, 11}, {20, 18}}};

// A cell number as a route position: cell number times 50. Cell numbers of
// the pass never exceed U, and U of any accepted route fits in 32 bits x 50.
std::int32_t metres(std::int64_t cell) {
  return static_cast<std::int32_t>(cell * 50);
}

void lay_point(CellArray& cells, std::int64_t cell) {
  TrackCell& c = *cells.find(cell);
  c.kind = cell_kind::abbattimento;
  c.value1 = point_value;
}

// Lays a point on the first free cell of `candidates`, tried in order.
// False when none of them is free.
bool lay_point_on_first_free(CellArray& cells, std::initializer_list<std::int64_t> candidates) {
  for (std::int64_t cell : candidates) {
    if (cells.is_free(cell)) {
      lay_point(cells, cell);
      return true;
    }
  }
  return false;
}

// Lowers an abbattimento point (kind 12 only) to minimo(180, its value).
// False when the cell holds no such point.
bool lower_existing_point(CellArray& cells, std::int64_t cell) {
  if (!cells.has_kind(cell, cell_kind::abbattimento)) return false;
  TrackCell& c = *cells.find(cell);
  c.value1 = static_cast<std::int16_t>(minimo(point_value, c.value1));
  return true;
}

// Rule A, steps 1 to 5, for the signal in cell s.
void serve_signal_before_warning(ScenarioModel& model, CellArray& cells, std::int64_t s) {
  if (lay_point_on_first_free(cells, {s - 1, s - 2})) return;
  if (lower_existing_point(cells, s - 1)) return;
  if (lower_existing_point(cells, s - 2)) return;
  record_fault(model, ErrorCode::no_cell_before_signal, metres(s));
}

// Rule A: every signal in the 20 cells behind the warning point in cell i.
void look_back_for_signals(ScenarioModel& model, CellArray& cells, std::int64_t i) {
  for (std::int64_t k = 1; k <= look_back_cells && i - k >= look_back_floor; ++k) {
    const std::int64_t s = i - k;
    if (cells.has_kind(s, cell_kind::signal)) serve_signal_before_warning(model, cells, s);
  }
}

// B1 to B3 for the slowdown start in cell i; an error in one group does not
// stop the next.
void lay_advance_points(ScenarioModel& model, CellArray& cells, std::int64_t i) {
  for (const AdvanceGroup& group : advance_groups) {
    if (i <= group.needs_start_beyond) continue;
    const std::int64_t near = i - group.nearest;
    if (!lay_point_on_first_free(cells, {near, near - 1, near - 2})) {
      record_fault(model, ErrorCode::no_cell_for_advance_point, metres(i));
    }
  }
}

// B4 step 2 at walk position j, when the run counter has reached 8: lays the
// point on j, j - 1 or j + 1 and returns the new run counter (0, 1 or -1);
// records error 13 at j and keeps 8 when all three are taken.
std::int64_t lay_walk_point(ScenarioModel& model, CellArray& cells, std::int64_t j) {
  if (cells.is_free(j)) {
    lay_point(cells, j);
    return 0;
  }
  if (cells.is_free(j - 1)) {
    lay_point(cells, j - 1);
    return 1;
  }
  if (cells.is_free(j + 1)) {
    lay_point(cells, j + 1);
    return -1;
  }
  record_fault(model, ErrorCode::no_cell_along_slowdown, metres(j));
  return walk_spacing;
}

// B4 for the slowdown start in cell i: walks to the slowdown end, laying a
// point every 8 cells. Returns the end cell, or nothing when the walk would
// step beyond U (error 13 at U x 50 recorded).
std::optional<std::int64_t> walk_along_slowdown(ScenarioModel& model, CellArray& cells,
                                                std::int64_t i) {
  std::int64_t run = 0;
  for (std::int64_t j = i;;) {
    if (j >= cells.last()) {
      record_fault(model, ErrorCode::no_cell_along_slowdown, metres(cells.last()));
      return std::nullopt;
    }
    ++j;
    ++run;
    if (run == walk_spacing) run = lay_walk_point(model, cells, j);
    if (cells.has_kind(j, cell_kind::slowdown_end)) return j;
  }
}

// When B4 does not run: the first slowdown end after the start cell i, up to U.
std::optional<std::int64_t> find_own_end(const CellArray& cells, std::int64_t i) {
  for (std::int64_t j = i + 1; j <= cells.last(); ++j) {
    if (cells.has_kind(j, cell_kind::slowdown_end)) return j;
  }
  return std::nullopt;
}

// B5: a point before the first signal in cells e .. e + 12 (none beyond U).
// An existing point is not reused: two taken cells are error 13 at e x 50.
void look_ahead_for_signal(ScenarioModel& model, CellArray& cells, std::int64_t e) {
  const std::int64_t bound = std::min(e + look_ahead_cells, cells.last());
  for (std::int64_t m = e; m <= bound; ++m) {
    if (!cells.has_kind(m, cell_kind::signal)) continue;
    if (m - 1 > 0 && !lay_point_on_first_free(cells, {m - 1, m - 2})) {
      record_fault(model, ErrorCode::no_cell_along_slowdown, metres(e));
    }
    return;
  }
}

// Rule B, steps B1 to B5, for the slowdown start in cell i.
void serve_slowdown_start(ScenarioModel& model, CellArray& cells, std::int64_t i) {
  lay_advance_points(model, cells, i);
  const bool walks = cells.find(i)->value1 < walk_speed_limit;
  const std::optional<std::int64_t> end =
      walks ? walk_along_slowdown(model, cells, i) : find_own_end(cells, i);
  if (end) look_ahead_for_signal(model, cells, *end);
}

}  // namespace

void run_post_pass(ScenarioModel& model) {
  CellArray& cells = model.cells.value();
  const std::int64_t last_current = cells.last() - 2;
  for (std::int64_t i = 1; i <= last_current; ++i) {
    if (cells.has_kind(i, cell_kind::slowdown_warning)) look_back_for_signals(model, cells, i);
    if (cells.has_kind(i, cell_kind::slowdown_start)) serve_slowdown_start(model, cells, i);
  }
}

}  // namespace tracciato
