#pragma once

#include <cstdint>
#include <string_view>

namespace tracciato {

// Every code of the build's error record, and the two codes that stop the
// build. The numbers are what the error record, the report and the
// simulator's tools know; the names are what the code uses.
enum class ErrorCode : std::int32_t {
  none = 0,
  route_too_long = 1,
  progressive_off_grid = 2,
  repetition_start_off_grid = 3,
  repetition_end_off_grid = 4,
  repetition_without_code_count = 5,
  signboard_cell_taken = 6,
  abbattimento_cell_taken = 7,
  station_off_grid = 8,
  station_length_off_grid = 9,
  too_many_stations = 10,
  no_cell_before_signal = 11,
  no_cell_for_advance_point = 12,
  no_cell_along_slowdown = 13,
  beyond_track = 15,
  signal_cell_taken = 16,
  warning_cell_taken = 17,
  slowdown_start_taken = 18,
  slowdown_end_taken = 19,
  pre_warning_cell_taken = 20,
  speed_board_cell_taken = 21,
  stations_too_close = 22,
  stop_cell_too_early = 24,
  unreadable = 25,
  line_description_missing = 101,
  no_general_section = 102,
  curve_unusable = 103,
  track_mark_place_taken = 1250,
  competition_code_place_taken = 1251,
};

// What a code means to a route author, and whether the error record holds
// a route position with it.
struct ErrorCodeInfo {
  ErrorCode code;
  bool has_position;
  std::string_view name;  // the enumerator's name
  std::string_view meaning;
};

// The entry of a code; an unknown number gets an entry of its own that says so.
const ErrorCodeInfo& error_code_info(std::int32_t code);
inline const ErrorCodeInfo& error_code_info(ErrorCode code) {
  return error_code_info(static_cast<std::int32_t>(code));
}

constexpr std::int32_t number_of(ErrorCode code) {
  return static_cast<std::int32_t>(code);
}

// Faults found by the track post-pass: they come from no single record.
constexpr bool found_by_post_pass(ErrorCode code) {
  return code == ErrorCode::no_cell_before_signal || code == ErrorCode::no_cell_for_advance_point ||
         code == ErrorCode::no_cell_along_slowdown;
}

}  // namespace tracciato
