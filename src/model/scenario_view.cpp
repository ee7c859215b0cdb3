#include "model/scenario_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "platform/code_page.h"

namespace tracciato {
namespace {

// The compile step's own abbattimento points carry this value.
constexpr int post_pass_point = 180;

std::vector<Run> runs(const CellArray& cells, int (*value)(const TrackCell&)) {
  std::vector<Run> out;
  for (std::int64_t i = 0; i <= cells.last(); ++i) {
    const int v = value(*cells.find(i));
    if (!out.empty() && out.back().value == v) {
      out.back().to_cell = i;
    } else {
      out.push_back({i, i, v});
    }
  }
  return out;
}

std::vector<StationView> stations(const CompiledScenario& s) {
  std::vector<StationView> out;
  for (int n = slot::first_station; n < slot::first_signboard; ++n) {
    const SlotRecord& r = s.slots[static_cast<std::size_t>(n)];
    if (r.name.empty() && r.kind == 0 && r.position == 0) break;  // stations fill from slot 1
    out.push_back({n, from_code_page(r.name), r.kind, r.position, r.area_start, r.area_end,
                   std::nullopt, r.time_s});
  }
  for (std::int64_t i = 0; i <= s.cells.last(); ++i) {
    const TrackCell& c = *s.cells.find(i);
    if (c.kind != cell_kind::stop) continue;
    for (StationView& station : out) {
      if (station.slot == c.value1) station.stop_cell = i;
    }
  }
  return out;
}

SignalView signal_at(const CellArray& cells, std::int64_t i) {
  const TrackCell& c = *cells.find(i);
  SignalView v;
  v.cell = i;
  v.s1 = c.value1 / 10;
  v.d1 = c.value1 % 10;
  v.s2 = c.value2 / 10;
  v.d2 = c.value2 % 10;
  v.s3 = c.value3 / 10;
  v.d3 = c.value3 % 10;
  v.rapp = c.value4 / 10;
  v.sx = c.value4 % 10 / 3;
  v.dx = c.value4 % 10 % 3;
  v.timer = c.timer;
  const std::int64_t code = 3 * std::int64_t{v.sx} + v.dx;
  for (std::int64_t b = 1; b <= 4; ++b) {
    const TrackCell* board = cells.find(i - 2 * b);
    if (board != nullptr && board->approach == 10 * code + b) v.board_cells.push_back(i - 2 * b);
  }
  return v;
}

SlowdownView slowdown_at(const CellArray& cells, std::int64_t i) {
  SlowdownView v;
  v.start_cell = i;
  v.speed = cells.find(i)->value1;
  for (std::int64_t e = i + 1; e <= cells.last(); ++e) {
    if (cells.has_kind(e, cell_kind::slowdown_end)) {
      v.end_cell = e;
      break;
    }
  }
  // The warning point stands 1200 m before the start, its marks just before it.
  if (cells.has_kind(i - 24, cell_kind::slowdown_warning)) {
    v.warning_cell = i - 24;
    for (std::int64_t k = i - 25; k >= i - 28; --k) {
      if (cells.has_kind(k, cell_kind::pre_warning)) v.pre_warning_cells.push_back(k);
    }
  }
  const std::int64_t from = v.warning_cell ? *v.warning_cell - 21 : i - 20;
  const std::int64_t to = v.end_cell.value_or(i) + 12;
  for (std::int64_t k = std::max<std::int64_t>(from, 0); k <= std::min(to, cells.last()); ++k) {
    const TrackCell& c = *cells.find(k);
    if (c.kind == cell_kind::abbattimento && c.value1 == post_pass_point) {
      v.abbattimento_cells.push_back(k);
    }
  }
  return v;
}

SpeedBoardView speed_board_at(const TrackCell& c, std::int64_t i) {
  SpeedBoardView v;
  v.cell = i;
  const std::array<std::int16_t, 3> codes = {c.value1, c.value2, c.value3};
  for (std::size_t r = 0; r < 3; ++r) {
    v.left[r] = codes[r] / 100 * 5;
    v.right[r] = codes[r] % 100 * 5;
  }
  v.left_stripes = c.value4 / 10;
  v.right_stripes = c.value4 % 10;
  return v;
}

bool known_kind(std::uint8_t kind) {
  return kind <= cell_kind::speed_indicator ||
         (kind >= cell_kind::stop && kind <= cell_kind::signboard);
}

// The turn between two steps of the plan, in radians, left positive.
double turn(double dx1, double dy1, double dx2, double dy2) {
  return std::atan2(dx1 * dy2 - dy1 * dx2, dx1 * dx2 + dy1 * dy2);
}

std::optional<GeometryView> geometry(const std::optional<TrackPlan>& plan) {
  if (!plan) return std::nullopt;
  GeometryView g;
  g.last_row = plan->last_row();
  // Whole columns: a plan's rows number in the hundreds of thousands.
  const std::span<const double> xs = plan->values(0);
  const std::span<const double> ys = plan->values(1);
  const std::span<const PlanTag> x_tags = plan->tags(0);
  const std::span<const PlanTag> y_tags = plan->tags(1);
  const auto at = [](std::int64_t row) { return static_cast<std::size_t>(row); };
  while (g.reached < g.last_row && x_tags[at(g.reached + 1)] != PlanTag::empty &&
         y_tags[at(g.reached + 1)] != PlanTag::empty) {
    ++g.reached;
  }
  double total = 0.0;
  double sharpest = 0.0;
  for (std::int64_t q = 2; q <= g.reached; ++q) {
    const double a = turn(xs[at(q - 1)] - xs[at(q - 2)], ys[at(q - 1)] - ys[at(q - 2)],
                          xs[at(q)] - xs[at(q - 1)], ys[at(q)] - ys[at(q - 1)]);
    total += a;
    sharpest = std::max(sharpest, std::abs(a));
  }
  // Column 1 runs along the first direction and column 0 across it, to the
  // right: a counter-clockwise turn, positive here, is a turn to the left.
  g.total_turn_degrees = total * 180.0 / std::numbers::pi;
  if (sharpest > 1e-12) g.smallest_radius = 1.0 / sharpest;
  g.end_x = plan->number(g.reached, 0);
  g.end_y = plan->number(g.reached, 1);
  return g;
}

}  // namespace

ScenarioView view_of(const CompiledScenario& s) {
  ScenarioView v;
  v.route_length = s.slots[slot::quantities].area_end;
  v.last_cell = s.cells.last();
  v.stations = stations(s);
  for (std::int64_t i = 0; i <= s.cells.last(); ++i) {
    const TrackCell& c = *s.cells.find(i);
    switch (c.kind) {
      case cell_kind::signal:
        v.signals.push_back(signal_at(s.cells, i));
        break;
      case cell_kind::slowdown_start:
        v.slowdowns.push_back(slowdown_at(s.cells, i));
        break;
      case cell_kind::speed_indicator:
        v.speed_boards.push_back(speed_board_at(c, i));
        break;
      case cell_kind::signboard: {
        const auto n = static_cast<std::size_t>(c.value1);
        v.signboards.push_back(
            {i, c.value1, n < s.slots.size() ? from_code_page(s.slots[n].name) : std::string()});
        break;
      }
      case cell_kind::abbattimento:
      case cell_kind::abbattimento_without_value:
        v.abbattimento_cells.push_back(i);
        break;
      default:
        if (!known_kind(c.kind)) v.unknown_cells.emplace_back(i, c.kind);
        break;
    }
  }
  v.speed_limit = runs(s.cells, [](const TrackCell& c) { return c.speed_limit * 5; });
  v.gradient = runs(s.cells, [](const TrackCell& c) { return c.gradient - 100; });
  v.adhesion = runs(s.cells, [](const TrackCell& c) { return int{c.adhesion}; });
  v.montagna = runs(s.cells, [](const TrackCell& c) { return int{c.montagna_type}; });
  v.geometry = geometry(s.plan);
  return v;
}

}  // namespace tracciato
