#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/decode_compiled.h"

namespace tracciato {

// What a compiled scenario holds, in the terms of its descriptions. A point
// feature in cell i stands at route metre (i − 1)·50, a profile record that
// starts in cell k at k·50: the positions its records were written with.

struct StationView {
  int slot = 0;
  std::string name;  // UTF-8
  int kind = 0;
  std::int64_t position = 0;
  std::int64_t area_start = 0;
  std::int64_t area_end = 0;
  std::optional<std::int64_t> stop_cell;  // the cell of kind 10 naming this slot
  std::int64_t time_s = 0;
};

// A signal's aspects, from value1..value4: 10·s + d, and 10·rapp + 3·sx + dx.
struct SignalView {
  std::int64_t cell = 0;
  int sx = 0, s1 = 0, s2 = 0, s3 = 0;
  int dx = 0, d1 = 0, d2 = 0, d3 = 0;
  int rapp = 0;
  int timer = 0;
  std::vector<std::int64_t> board_cells;  // approach markers 10·(3·sx + dx) + b
};

// One temporary slowdown, from its start point (kind 3) to the next end
// point (kind 2), with the warning point (kind 4) and pre-warning marks
// (kind 5) before it and the abbattimento points laid for it.
struct SlowdownView {
  std::optional<std::int64_t> warning_cell;
  std::vector<std::int64_t> pre_warning_cells;
  std::int64_t start_cell = 0;
  std::optional<std::int64_t> end_cell;
  int speed = 0;  // km/h, value1 of the start point
  std::vector<std::int64_t> abbattimento_cells;
};

// A speed-indicator board: value = 100·(left/5) + right/5 per rank.
struct SpeedBoardView {
  std::int64_t cell = 0;
  std::array<int, 3> left{};  // ranks A, B, C, km/h
  std::array<int, 3> right{};
  int left_stripes = 0;
  int right_stripes = 0;
};

struct SignboardView {
  std::int64_t cell = 0;
  int slot = 0;
  std::string text;  // UTF-8
};

// Cells a..b holding one value of a profile.
struct Run {
  std::int64_t from_cell = 0;
  std::int64_t to_cell = 0;
  int value = 0;  // km/h, per mille, adhesion, montagna type
};

struct GeometryView {
  std::int64_t last_row = 0;              // plan rows 0..last_row
  std::int64_t reached = 0;               // the last row that holds a point
  double total_turn_degrees = 0.0;        // left positive
  std::optional<double> smallest_radius;  // none: a straight line
  double end_x = 0.0;
  double end_y = 0.0;
};

struct ScenarioView {
  std::int64_t route_length = 0;
  std::int64_t last_cell = 0;
  std::vector<StationView> stations;
  std::vector<SignalView> signals;
  std::vector<SlowdownView> slowdowns;
  std::vector<SpeedBoardView> speed_boards;
  std::vector<SignboardView> signboards;
  std::vector<std::int64_t> abbattimento_cells;             // all kind 12 and 13 cells
  std::vector<std::pair<std::int64_t, int>> unknown_cells;  // cell, kind
  std::vector<Run> speed_limit;                             // km/h
  std::vector<Run> gradient;                                // per mille
  std::vector<Run> adhesion;
  std::vector<Run> montagna;  // type, 0 where none
  std::optional<GeometryView> geometry;
};

ScenarioView view_of(const CompiledScenario& scenario);

// Where the records of a cell were written: point features and profiles.
inline std::int64_t point_metres(std::int64_t cell) {
  return (cell - 1) * 50;
}
inline std::int64_t profile_metres(std::int64_t cell) {
  return cell * 50;
}

}  // namespace tracciato
