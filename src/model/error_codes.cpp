#include "model/error_codes.h"

namespace tracciato {
namespace {

using enum ErrorCode;

constexpr ErrorCodeInfo codes[] = {
    {route_too_long, "route_too_long", "the route length is greater than 1000000 m", false},
    {progressive_off_grid, "progressive_off_grid",
     "a kilometric progressive's start or offset is not a multiple of 50", false},
    {repetition_start_off_grid, "repetition_start_off_grid",
     "the start of the cab-signal repetition zone is not a multiple of 50", false},
    {repetition_end_off_grid, "repetition_end_off_grid",
     "the end of the cab-signal repetition zone is not a multiple of 50", false},
    {repetition_without_code_count, "repetition_without_code_count",
     "the cab-signal repetition keyword holds neither 4 nor 9", false},
    {signboard_cell_taken, "signboard_cell_taken", "the signboard's cell is already taken", true},
    {abbattimento_cell_taken, "abbattimento_cell_taken",
     "the abbattimento point's cell is already taken", true},
    {station_off_grid, "station_off_grid", "the station's position is not a multiple of 50", true},
    {station_length_off_grid, "station_length_off_grid",
     "the station's length is not a multiple of 100", true},
    {too_many_stations, "too_many_stations",
     "too many stations: the next one would take a signboard text's slot", false},
    {no_cell_before_signal, "no_cell_before_signal",
     "no free cell for the abbattimento point before a signal ahead of a slowdown warning", true},
    {no_cell_for_advance_point, "no_cell_for_advance_point",
     "no free cell for an advance point before a slowdown start", true},
    {no_cell_along_slowdown, "no_cell_along_slowdown",
     "no free cell for an abbattimento point along or after a slowdown", true},
    {beyond_track, "beyond_track", "the record lies beyond the end of the track", true},
    {signal_cell_taken, "signal_cell_taken", "the signal's cell is already taken", true},
    {warning_cell_taken, "warning_cell_taken", "the slowdown's warning point cell is already taken",
     true},
    {slowdown_start_taken, "slowdown_start_taken", "the slowdown's start cell is already taken",
     true},
    {slowdown_end_taken, "slowdown_end_taken",
     "the slowdown's end cell is taken or lies beyond the track", true},
    {pre_warning_cell_taken, "pre_warning_cell_taken",
     "one of the four pre-warning cells before the slowdown's warning point is taken", true},
    {speed_board_cell_taken, "speed_board_cell_taken",
     "the speed-indicator board's cell is already taken", true},
    {stations_too_close, "stations_too_close",
     "the station starts less than 350 m after the end of the station before it", true},
    {stop_cell_too_early, "stop_cell_too_early",
     "the station's stop cell would not lie beyond cell 1", false},
    {unreadable, "unreadable", "the description cannot be read here", false},
    {line_description_missing, "line_description_missing", "the line description does not exist",
     false},
    {no_general_section, "no_general_section", "the line description has no [generale] section",
     false},
    {curve_unusable, "curve_unusable",
     "a curve has no class digit 1 to 6, or the track plan runs past its end", false},
    {track_mark_place_taken, "track_mark_place_taken",
     "the place of the track mark is already taken: cell 1's first value or the scenario "
     "header's mark is not zero",
     false},
    {competition_code_place_taken, "competition_code_place_taken",
     "the place of the competition code is already taken: cell 1's second value or the "
     "scenario header's time is not zero",
     false},
};

constexpr ErrorCodeInfo unknown = {none, "unknown", "unknown fault", false};

}  // namespace

const ErrorCodeInfo& error_code_info(std::int32_t code) {
  for (const ErrorCodeInfo& info : codes) {
    if (number_of(info.code) == code) return info;
  }
  return unknown;
}

}  // namespace tracciato
