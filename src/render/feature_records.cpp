#include "render/feature_records.h"

namespace tracciato {
namespace {

std::string cells_list(const std::vector<std::int64_t>& cells) {
  std::string out;
  for (const std::int64_t c : cells) out += " " + std::to_string(c);
  return out.empty() ? " none" : out;
}

std::string aspects(int side, int a, int b, int c) {
  return std::to_string(side) + ": " + std::to_string(a) + "/" + std::to_string(b) + "/" +
         std::to_string(c);
}

std::string board_set(const std::array<int, 3>& speeds, int stripes) {
  return std::to_string(speeds[0]) + "/" + std::to_string(speeds[1]) + "/" +
         std::to_string(speeds[2]) + " km/h, " + std::to_string(stripes) + " stripes";
}

}  // namespace

std::string FeatureRecords::at(std::int64_t metres) const {
  return std::to_string(metres) + " m (km " + km_.at(metres) + ")";
}

std::string FeatureRecords::cell_at(std::int64_t cell) const {
  return "cell " + std::to_string(cell) + ", " + at(point_metres(cell));
}

std::string FeatureRecords::station(const StationView& s) const {
  return "Station " + s.name + " (slot " + std::to_string(s.slot) + ", kind " +
         std::to_string(s.kind) + ") at " + at(s.position) + "; area " +
         std::to_string(s.area_start) + " to " + std::to_string(s.area_end) + " m; " +
         (s.stop_cell ? "stop " + cell_at(*s.stop_cell) : std::string("no stop cell")) + "; time " +
         std::to_string(s.time_s) + " s";
}

std::string FeatureRecords::signal(const SignalView& g) const {
  return "Signal, " + cell_at(g.cell) + "; left " + aspects(g.sx, g.s1, g.s2, g.s3) + ", right " +
         aspects(g.dx, g.d1, g.d2, g.d3) + ", rapp " + std::to_string(g.rapp) + ", timer " +
         std::to_string(g.timer) + "; boards in cells" + cells_list(g.board_cells);
}

std::string FeatureRecords::slowdown(const SlowdownView& w) const {
  std::string out = "Slowdown " + std::to_string(w.speed) + " km/h from " + cell_at(w.start_cell);
  out += w.end_cell ? " to " + cell_at(*w.end_cell) : std::string(" (no end point)");
  if (w.warning_cell) out += "; warning in " + cell_at(*w.warning_cell);
  out += "; pre-warning cells" + cells_list(w.pre_warning_cells);
  return out + "; abbattimento points in cells" + cells_list(w.abbattimento_cells);
}

std::string FeatureRecords::speed_board(const SpeedBoardView& b) const {
  return "Speed-indicator board, " + cell_at(b.cell) + "; left " +
         board_set(b.left, b.left_stripes) + ", right " + board_set(b.right, b.right_stripes);
}

std::string FeatureRecords::signboard(const SignboardView& b) const {
  return "Signboard \"" + b.text + "\", " + cell_at(b.cell) + "; text in slot " +
         std::to_string(b.slot);
}

std::string FeatureRecords::abbattimento(std::int64_t cell, const TrackCell& c) const {
  if (c.kind == cell_kind::abbattimento_without_value) {
    return "Abbattimento point without value, " + cell_at(cell);
  }
  return "Abbattimento point, " + cell_at(cell) + "; values " + std::to_string(c.value1) + ", " +
         std::to_string(c.value2) + ", " + std::to_string(c.value3) + ", " +
         std::to_string(c.value4);
}

}  // namespace tracciato
