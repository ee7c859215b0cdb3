#include "model/error_codes.h"

#include <array>

namespace tracciato {
namespace {

using enum ErrorCode;

// Columns: the code, whether it carries a position, its name, its meaning.
constexpr auto codes = std::to_array<ErrorCodeInfo>({
    {route_too_long, false, "route_too_long", "the route length is greater than 1000000 m"},
    {progressive_off_grid, false, "progressive_off_grid",
     "a kilometric progressive's start or offset is not a multiple of 50"},
    {repetition_start_off_grid, false, "repetition_start_off_grid",
     "the start of the cab-signal repetition zone is not a multiple of 50"},
    {repetition_end_off_grid, false, "repetition_end_off_grid",
     "the end of the cab-signal repetition zone is not a multiple of 50"},
    {repetition_without_code_count, false, "repetition_without_code_count",
     "the cab-signal repetition keyword holds neither 4 nor 9"},
    {signboard_cell_taken, true, "signboard_cell_taken", "the signboard's cell is already taken"},
    {abbattimento_cell_taken, true, "abbattimento_cell_taken",
     "the abbattimento point's cell is already taken"},
    {station_off_grid, true, "station_off_grid", "the station's position is not a multiple of 50"},
    {station_length_off_grid, true, "station_length_off_grid",
     "the station's length is not a multiple of 100"},
    {too_many_stations, false, "too_many_stations",
     "too many stations: the next one would take a signboard text's slot"},
    {no_cell_before_signal, true, "no_cell_before_signal",
     "no free cell for the abbattimento point before a signal ahead of a slowdown warning"},
    {no_cell_for_advance_point, true, "no_cell_for_advance_point",
     "no free cell for an advance point before a slowdown start"},
    {no_cell_along_slowdown, true, "no_cell_along_slowdown",
     "no free cell for an abbattimento point along or after a slowdown"},
    {beyond_track, true, "beyond_track", "the record lies beyond the end of the track"},
    {signal_cell_taken, true, "signal_cell_taken", "the signal's cell is already taken"},
    {warning_cell_taken, true, "warning_cell_taken",
     "the slowdown's warning point cell is already taken"},
    {slowdown_start_taken, true, "slowdown_start_taken",
     "the slowdown's start cell is already taken"},
    {slowdown_end_taken, true, "slowdown_end_taken",
     "the slowdown's end cell is taken or lies beyond the track"},
    {pre_warning_cell_taken, true, "pre_warning_cell_taken",
     "one of the four pre-warning cells before the slowdown's warning point is taken"},
    {speed_board_cell_taken, true, "speed_board_cell_taken",
     "the speed-indicator board's cell is already taken"},
    {stations_too_close, true, "stations_too_close",
     "the station starts less than 350 m after the end of the station before it"},
    {stop_cell_too_early, false, "stop_cell_too_early",
     "the station's stop cell would not lie beyond cell 1"},
    {unreadable, false, "unreadable", "the description cannot be read here"},
    {line_description_missing, false, "line_description_missing",
     "the line description does not exist"},
    {no_general_section, false, "no_general_section",
     "the line description has no [generale] section"},
    {curve_unusable, false, "curve_unusable",
     "a curve has no class digit 1 to 6, or the track plan runs past its end"},
    {track_mark_place_taken, false, "track_mark_place_taken",
     "the place of the track mark is already taken: cell 1's first value or the scenario header's "
     "mark is not zero"},
    {competition_code_place_taken, false, "competition_code_place_taken",
     "the place of the competition code is already taken: cell 1's second value or the scenario "
     "header's time is not zero"},
});

constexpr ErrorCodeInfo unknown = {none, false, "unknown", "unknown fault"};

}  // namespace

const ErrorCodeInfo& error_code_info(std::int32_t code) {
  for (const ErrorCodeInfo& info : codes) {
    if (number_of(info.code) == code) return info;
  }
  return unknown;
}

}  // namespace tracciato
