#include "describe/train_reader.h"

#include <array>
#include <limits>

#include "describe/keywords.h"
#include "describe/signal_placement.h"
#include "model/error_record.h"
#include "model/low_bits.h"
#include "model/rounding.h"

namespace tracciato {
namespace {

std::int32_t checked_32(std::int64_t value, const char* what) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw ReadFailure(std::string(what) + ", " + std::to_string(value) +
                      ", does not fit in -2147483648..2147483647");
  }
  return static_cast<std::int32_t>(value);
}

// A speed limit is stored in units of 5 km/h.
std::uint8_t speed_units(std::int32_t speed) {
  const std::int64_t units = round_half_even_div(speed, 5);
  if (units < 0 || units > 255) {
    throw ReadFailure("the speed " + std::to_string(speed) + " km/h does not fit the speed limit");
  }
  return static_cast<std::uint8_t>(units);
}

// Adhesion is stored unscaled, its low 8 bits.
std::uint8_t adhesion_value(std::int32_t value) {
  return low_8(value);
}

class TrainReader {
 public:
  explicit TrainReader(ReadingContext& context) : c_(context), model_(context.model()) {}

  ReadOutcome read() {
    c_.open(c_.sources().train_text);
    FieldReader& f = c_.fields();
    if (f.at_end()) throw ReadFailure("the train description is empty", LineColumn{});
    while (!f.at_end()) {
      const bool opens = contains_any_case(c_.read_token(), "[generale]");
      c_.preamble_read(opens);
      if (opens) break;
    }
    while (c_.next_record_keyword()) {
      const Next next = read_record(c_.token());
      if (next == Next::stopped) return ReadOutcome::returned;
      if (next == Next::leave) break;
    }
    finish();
    return ReadOutcome::go_on;
  }

 private:
  enum class Next { record, leave, stopped };

  Next read_record(const std::string& token) {
    FieldReader& f = c_.fields();
    SlotRecord& quantities = model_.slots[slot::quantities];
    SlotRecord& train = model_.slots[slot::train_header];
    const auto has = [&token](const char* key) { return contains_any_case(token, key); };
    const bool braked_mass = has("frenata") && has("massa");
    const bool cars = has("vetture");
    const bool speed = has("velocit");
    const bool adhesion = has("aderenza");
    const bool clock = has("orologio");
    const bool sand = has("sabbia");
    const bool signal = has("segnale");
    const bool slowdown = has("rallentamento");
    const bool abbattimento = has("abbattimento");
    const bool station = has("stazione");
    c_.keyword_read(KeywordPlace::train, first_named({{braked_mass, "percentuale massa frenata"},
                                                      {cars, "numero vetture"},
                                                      {speed, "velocita"},
                                                      {adhesion, "aderenza"},
                                                      {clock, "orologio"},
                                                      {sand, "sabbia"},
                                                      {signal, "segnale"},
                                                      {slowdown, "rallentamento"},
                                                      {abbattimento, "abbattimento"},
                                                      {station, "stazione"}}));
    if (braked_mass) quantities.area_start = f.i32();
    if (cars) quantities.position = f.i32();
    if (speed) {
      if (const Next n = read_profile(speed_); n != Next::record) return n;
    }
    if (adhesion) {
      if (const Next n = read_profile(adhesion_); n != Next::record) return n;
    }
    if (clock) {
      train.num_c = f.i16();
      train.num_d = f.i16();
      train.num_e = f.i16();
    }
    if (sand) train.num_a = f.i16();
    if (signal) {
      if (const Next n = read_signal(); n != Next::record) return n;
    }
    if (slowdown) {
      if (const Next n = read_slowdown(); n != Next::record) return n;
    }
    if (abbattimento) {
      if (const Next n = read_abbattimento(); n != Next::record) return n;
    }
    if (station) {
      if (const Next n = read_station(); n != Next::record) return n;
    }
    return Next::record;
  }

  // Error 15: the record lies beyond the track; the end processing follows.
  bool beyond_track(std::int32_t p, LineColumn at, std::int64_t margin = 100) {
    if (c_.within_track(p, margin)) return false;
    c_.record(ErrorCode::beyond_track, p, at);
    model_.fault.reason = "the track's last cell is " + std::to_string(c_.last_cell());
    return true;
  }

  Next stop(ErrorCode code, std::int32_t position, LineColumn at) {
    c_.close_and_delete();
    c_.record(code, position, at);
    return Next::stopped;
  }
  Next stop(ErrorCode code, LineColumn at) {
    c_.close_and_delete();
    c_.record(code, at);
    return Next::stopped;
  }

  // After a signal or a slowdown, a fault in the error record stops the
  // reading with the record's position: the fault of its own placement, or
  // one the line half left (error 15), which then keeps its own diagnostic.
  Next stop_after_placement(bool placed, std::int32_t position, LineColumn at) {
    c_.close_and_delete();
    if (!placed) {
      c_.place_placement_fault(at);
      return Next::stopped;
    }
    model_.error_position = position;
    model_.fault.notes.push_back(
        {c_.locate(at),
         "reading of the train description stopped at this record because of "
         "the fault above; the error record takes its position, " +
             std::to_string(position) + " m"});
    return Next::stopped;
  }

  // A profile over the cells: from each record's cell on, the cells up to
  // the next record's take the record's value.
  struct Profile {
    std::uint8_t TrackCell::*field;
    std::uint8_t (*stored)(std::int32_t value);
    std::int64_t reach;  // a record's fill stops beyond U + reach
    const char* what;    // the profile's name, for an observer
    std::int64_t cursor = 0;
    std::int32_t last = 0;  // no defined value before the first record: 0
  };

  Next read_profile(Profile& profile) {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const LineColumn at = f.last_field();
    const std::int32_t value = f.i32();
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t k = round_half_even_div(p, 50);
    c_.position_read(at, p, k, profile.what);
    if (k > 0) {
      do {
        if (profile.cursor > c_.last_cell() + profile.reach) break;
        fill(profile);
      } while (profile.cursor < k);
    }
    profile.last = value;
    return Next::record;
  }

  void fill(Profile& profile) {
    const std::uint8_t stored = profile.stored(profile.last);
    if (TrackCell* cell = c_.cells().find(profile.cursor)) cell->*profile.field = stored;
    ++profile.cursor;
  }

  Next read_signal() {
    FieldReader& f = c_.fields();
    SignalRecord r;
    r.posizione = f.i32();
    const LineColumn at = f.last_field();
    for (std::int32_t* value :
         {&r.sx, &r.s1, &r.s2, &r.s3, &r.rapp, &r.dx, &r.d1, &r.d2, &r.d3, &r.tempo}) {
      *value = f.i32();
    }
    if (beyond_track(r.posizione, at)) return Next::leave;
    c_.position_read(at, r.posizione, point_cell(r.posizione), "signal");
    const bool placed = memo_segnale(model_, r);
    if (placed) c_.lay(point_cell(r.posizione), at, "a signal");
    if (model_.error_code > 0) return stop_after_placement(placed, r.posizione, at);
    return Next::record;
  }

  Next read_slowdown() {
    FieldReader& f = c_.fields();
    SlowdownRecord r;
    r.x = f.i32();
    const LineColumn at = f.last_field();
    for (std::int32_t* value : {&r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) *value = f.i32();
    if (beyond_track(r.x, at)) return Next::leave;
    c_.position_read(at, r.x, point_cell(r.x), "slowdown");
    const bool placed = memo_rallentamento(model_, r);
    // A refusal of the pre-warning cells leaves the three points laid.
    const bool points_laid =
        placed || model_.error_code == number_of(ErrorCode::pre_warning_cell_taken);
    if (points_laid) lay_slowdown(r, at, placed);
    if (model_.error_code > 0) return stop_after_placement(placed, r.x, at);
    return Next::record;
  }

  // Marks the cells a slowdown laid: its points, and its pre-warning marks
  // when it was laid whole.
  void lay_slowdown(const SlowdownRecord& r, LineColumn at, bool whole) {
    const std::int64_t w = std::int64_t{r.x} - 1200;
    const bool warned = r.x > 1500;
    c_.lay(point_cell(std::int64_t{r.x} + r.l), at, "a slowdown end point");
    c_.lay(point_cell(r.x), at, "a slowdown start point");  // after the end: it may share its cell
    if (!warned) return;
    c_.lay(point_cell(w), at, "a slowdown warning point");
    if (!whole || r.f_ta == 0) return;
    const std::int64_t h = round_half_even_div(w, 50);
    for (std::int64_t k = 0; k <= 3; ++k) c_.lay(h - k, at, "a pre-warning mark");
  }

  Next read_abbattimento() {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const LineColumn at = f.last_field();
    const std::int32_t w = f.i32();
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t i = round_half_even_div(p, 50);
    c_.position_read(at, p, i, "abbattimento point");
    TrackCell* cell = claim_free_cell(model_, i, ErrorCode::abbattimento_cell_taken, p);
    if (cell == nullptr) {
      c_.close_and_delete();
      c_.place_placement_fault(at);
      return Next::stopped;
    }
    if (w > 0) {
      cell->kind = cell_kind::abbattimento;
      cell->value1 = low_16(w);
    } else {
      cell->kind = cell_kind::abbattimento_without_value;
    }
    c_.lay(i, at, "an abbattimento point");
    return Next::record;
  }

  Next read_station() {
    FieldReader& f = c_.fields();
    const int n = station_slot_;
    SlotRecord& s = model_.slots[static_cast<std::size_t>(n)];
    s.position = f.i32();
    const LineColumn at = f.last_field();
    if (beyond_track(s.position, at, 800)) return Next::leave;
    if (s.position % 50 != 0) return stop(ErrorCode::station_off_grid, s.position, at);
    c_.position_read(at, s.position, point_cell(s.position), "station");
    s.kind = f.u8();
    const std::int32_t length = f.i32();
    const LineColumn length_at = f.last_field();
    if (length % 100 != 0) return stop(ErrorCode::station_length_off_grid, s.position, length_at);
    s.flag_a = f.u8();
    s.flag_b = f.u8();
    s.extend_end = f.u8();
    s.num_a = f.i16();
    s.num_b = f.i16();
    s.byte_a = f.u8();
    s.num_c = f.i16();
    s.num_d = f.i16();
    s.num_e = f.i16();
    s.byte_b = f.u8();
    s.time_s = read_timetable_time();
    s.name = f.text();
    set_area(s, length);
    if (length < 600) s.flag_b = 0;
    if (n == slot::first_station) {
      s.extend_end = 0;
      s.flag_b = 0;
    }
    const std::int64_t stop_cell = round_half_even_div(s.area_end, 50) - 1;
    if (s.kind < 25 && s.kind != 5 && s.kind != 6) {
      for (int j = 1; j <= 4; ++j) {
        if (stop_cell - j <= 1) continue;
        if (TrackCell* board = c_.cells().find(stop_cell - j)) {
          board->approach = static_cast<std::uint8_t>(80 + j);
        }
      }
    }
    if (s.kind < 25) {
      if (stop_cell <= 1) {
        stop(ErrorCode::stop_cell_too_early, at);
        model_.fault.reason = "its area ends at " + std::to_string(s.area_end) +
                              " m, which puts the stop in cell " + std::to_string(stop_cell);
        return Next::stopped;
      }
      lay_stop_cell(stop_cell, n, at);
    }
    const std::int32_t previous_end = model_.slots[static_cast<std::size_t>(n - 1)].area_end;
    if (n > slot::first_station && std::int64_t{s.area_start} - 350 < previous_end) {
      stop(ErrorCode::stations_too_close, s.position, at);
      model_.fault.reason = "its area starts at " + std::to_string(s.area_start) + " m";
      model_.fault.notes.push_back(
          {c_.locate(previous_station_at_),
           "the station before it ends its area at " + std::to_string(previous_end) + " m"});
      return Next::stopped;
    }
    previous_station_at_ = at;
    ++station_slot_;
    if (station_slot_ >= c_.signboard_slot()) {
      stop(ErrorCode::too_many_stations, at);
      model_.fault.reason =
          "the stations' slots have reached " + std::to_string(station_slot_) +
          ", and the line's " + std::to_string(slot::first_signboard - c_.signboard_slot()) +
          " signboard texts take slots " + std::to_string(c_.signboard_slot() + 1) + " to 80";
      return Next::stopped;
    }
    return Next::record;
  }

  // The stop cell replaces whatever the line laid there.
  void lay_stop_cell(std::int64_t stop_cell, int slot_index, LineColumn at) {
    TrackCell* cell = c_.cells().find(stop_cell);
    if (cell == nullptr) return;
    if (cell->kind != cell_kind::empty) c_.stop_cell_replaces(at, stop_cell);
    cell->kind = cell_kind::stop;
    cell->value1 = static_cast<std::int16_t>(slot_index);
    c_.lay(stop_cell, at, "a station stop");
  }

  // Hours, minutes and seconds, in seconds.
  std::int32_t read_timetable_time() {
    FieldReader& f = c_.fields();
    const std::int64_t hours = f.i32();
    const LineColumn at = f.last_field();
    const std::int64_t minutes = f.i32();
    const std::int64_t seconds = f.i32();
    const std::int32_t time =
        checked_32(hours * 3600 + minutes * 60 + seconds, "the timetable time");
    c_.station_time_read(at, time);
    return time;
  }

  // Each kind stores its fields in an order of its own; a value outside 32
  // bits ends the reading with the fields before it stored and those after
  // it as they were read.
  static void set_area(SlotRecord& s, std::int64_t length) {
    const std::int64_t p = s.position;
    const auto area = [](std::int64_t metres) { return checked_32(metres, "the station area"); };
    if (s.kind == 5 || s.kind == 6) {
      s.area_end = area(p + 150);
      s.area_start = area(p - length);
      s.extend_end = 0;
    } else if (s.kind == 7 || s.kind == 8) {
      s.area_start = area(p - length);
      s.area_end = area(p + length);
      s.extend_end = 0;
    } else {
      s.area_start = area(round_half_even_div(2 * p - length, 2));
      s.area_end = area(round_half_even_div(2 * p + length + (s.extend_end != 0 ? 100 : 0), 2));
    }
  }

  void finish() {
    c_.close_and_delete();
    // Both profiles run on to the end of the track, never past cell U.
    const std::int64_t fill_end = c_.last_cell() - 2;
    for (Profile* profile : {&speed_, &adhesion_}) {
      do {
        if (profile->cursor > c_.last_cell()) break;
        fill(*profile);
      } while (profile->cursor < fill_end);
    }
  }

  ReadingContext& c_;
  ScenarioModel& model_;
  // The speed limit stops before cell U; adhesion may reach it.
  Profile speed_{&TrackCell::speed_limit, speed_units, -1, "speed limit"};
  Profile adhesion_{&TrackCell::adhesion, adhesion_value, 0, "adhesion"};
  int station_slot_ = slot::first_station;
  LineColumn previous_station_at_;
};

}  // namespace

ReadOutcome read_train_description(ReadingContext& context) {
  return TrainReader(context).read();
}

}  // namespace tracciato
