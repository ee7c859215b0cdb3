#include "describe/train_reader.h"

#include <array>
#include <limits>

#include "compile/errors.h"
#include "describe/keywords.h"
#include "describe/signal_placement.h"
#include "model/low_bits.h"
#include "model/rounding.h"

namespace tracciato {
namespace {

std::int32_t checked_32(std::int64_t value, const char* what) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw ReadFailure(std::string(what) + " does not fit 32 bits");
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
    if (f.at_end()) throw ReadFailure("the train description is empty", {1, 1});
    while (!f.at_end()) {
      if (contains_any_case(c_.read_token(), "[generale]")) break;
    }
    while (c_.next_record_keyword()) {
      const Next next = read_record(model_.token);
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
    if (contains_any_case(token, "frenata") && contains_any_case(token, "massa")) {
      quantities.area_start = f.i32();
    }
    if (contains_any_case(token, "vetture")) quantities.position = f.i32();
    if (contains_any_case(token, "velocit")) {
      if (const Next n = read_profile(speed_); n != Next::record) return n;
    }
    if (contains_any_case(token, "aderenza")) {
      if (const Next n = read_profile(adhesion_); n != Next::record) return n;
    }
    if (contains_any_case(token, "orologio")) {
      train.num_c = f.i16();
      train.num_d = f.i16();
      train.num_e = f.i16();
    }
    if (contains_any_case(token, "sabbia")) train.num_a = f.i16();
    if (contains_any_case(token, "segnale")) {
      if (const Next n = read_signal(); n != Next::record) return n;
    }
    if (contains_any_case(token, "rallentamento")) {
      if (const Next n = read_slowdown(); n != Next::record) return n;
    }
    if (contains_any_case(token, "abbattimento")) {
      if (const Next n = read_abbattimento(); n != Next::record) return n;
    }
    if (contains_any_case(token, "stazione")) {
      if (const Next n = read_station(); n != Next::record) return n;
    }
    return Next::record;
  }

  // Error 15: the record lies beyond the track; the end processing follows.
  bool beyond_track(std::int32_t p, SourceLocation at, std::int64_t margin = 100) {
    if (c_.within_track(p, margin)) return false;
    c_.record(15, p, at);
    return true;
  }

  Next stop(std::int32_t code, std::int32_t position, SourceLocation at) {
    c_.close_and_delete();
    c_.record(code, position, at);
    return Next::stopped;
  }
  Next stop(std::int32_t code, SourceLocation at) {
    c_.close_and_delete();
    c_.record(code, at);
    return Next::stopped;
  }

  // A profile over the cells: from each record's cell on, the cells up to
  // the next record's take the record's value.
  struct Profile {
    std::uint8_t TrackCell::*field;
    std::uint8_t (*stored)(std::int32_t value);
    std::int64_t reach;  // a record's fill stops beyond U + reach
    std::int64_t cursor = 0;
    std::int32_t last = 0;  // no defined value before the first record: 0
  };

  Next read_profile(Profile& profile) {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const SourceLocation at = f.last_field();
    const std::int32_t value = f.i32();
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t k = round_half_even_div(p, 50);
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
    const std::int32_t posizione = f.i32();
    const SourceLocation at = f.last_field();
    std::array<std::int32_t, 10> v{};
    for (std::int32_t& value : v) value = f.i32();
    if (beyond_track(posizione, at)) return Next::leave;
    memo_segnale(model_, posizione, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9]);
    if (model_.error_code > 0) return stop(model_.error_code, posizione, at);
    return Next::record;
  }

  Next read_slowdown() {
    FieldReader& f = c_.fields();
    const std::int32_t x = f.i32();
    const SourceLocation at = f.last_field();
    std::array<std::int32_t, 5> v{};
    for (std::int32_t& value : v) value = f.i32();
    if (beyond_track(x, at)) return Next::leave;
    memo_rallentamento(model_, x, v[0], v[1], v[2], v[3], v[4]);
    if (model_.error_code > 0) return stop(model_.error_code, x, at);
    return Next::record;
  }

  Next read_abbattimento() {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const SourceLocation at = f.last_field();
    const std::int32_t w = f.i32();
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t i = round_half_even_div(p, 50);
    if (!c_.cells().is_free(i)) return stop(7, p, at);
    TrackCell& cell = *c_.cells().find(i);
    if (w > 0) {
      cell.kind = cell_kind::abbattimento;
      cell.value1 = low_16(w);
    } else {
      cell.kind = cell_kind::abbattimento_without_value;
    }
    return Next::record;
  }

  Next read_station() {
    FieldReader& f = c_.fields();
    const int n = station_slot_;
    SlotRecord& s = model_.slots[static_cast<std::size_t>(n)];
    s.position = f.i32();
    const SourceLocation at = f.last_field();
    if (beyond_track(s.position, at, 800)) return Next::leave;
    if (s.position % 50 != 0) return stop(8, s.position, at);
    s.kind = f.u8();
    const std::int32_t length = f.i32();
    const SourceLocation length_at = f.last_field();
    if (length % 100 != 0) return stop(9, s.position, length_at);
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
    const std::int64_t hours = f.i32();
    const std::int64_t minutes = f.i32();
    const std::int64_t seconds = f.i32();
    s.time_s = checked_32(hours * 3600 + minutes * 60 + seconds, "the timetable time");
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
      if (stop_cell <= 1) return stop(24, at);
      // The stop cell replaces whatever the line laid there.
      if (TrackCell* cell = c_.cells().find(stop_cell)) {
        cell->kind = cell_kind::stop;
        cell->value1 = static_cast<std::int16_t>(n);
      }
    }
    if (n > slot::first_station &&
        std::int64_t{s.area_start} - 350 < model_.slots[static_cast<std::size_t>(n - 1)].area_end) {
      return stop(22, s.position, at);
    }
    ++station_slot_;
    if (station_slot_ >= c_.signboard_slot) return stop(10, at);
    return Next::record;
  }

  static void set_area(SlotRecord& s, std::int64_t length) {
    const std::int64_t p = s.position;
    std::int64_t start = 0;
    std::int64_t end = 0;
    if (s.kind == 5 || s.kind == 6) {
      start = p - length;
      end = p + 150;
      s.extend_end = 0;
    } else if (s.kind == 7 || s.kind == 8) {
      start = p - length;
      end = p + length;
      s.extend_end = 0;
    } else {
      start = round_half_even_div(2 * p - length, 2);
      end = round_half_even_div(2 * p + length + (s.extend_end != 0 ? 100 : 0), 2);
    }
    s.area_start = checked_32(start, "the station area");
    s.area_end = checked_32(end, "the station area");
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
  Profile speed_{&TrackCell::speed_limit, speed_units, -1};
  Profile adhesion_{&TrackCell::adhesion, adhesion_value, 0};
  int station_slot_ = slot::first_station;
};

}  // namespace

ReadOutcome read_train_description(ReadingContext& context) {
  return TrainReader(context).read();
}

}  // namespace tracciato
