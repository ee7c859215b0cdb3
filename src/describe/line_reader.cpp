#include "describe/line_reader.h"

#include <algorithm>
#include <array>
#include <span>

#include "describe/keywords.h"
#include "describe/line_features.h"
#include "model/error_record.h"
#include "model/low_bits.h"
#include "model/rounding.h"
#include "model/slot_record.h"
#include "platform/diagnostic.h"

namespace tracciato {
namespace {

constexpr std::int64_t longest_route = 1000000;
constexpr std::int64_t last_plan_metre = 1000000;

// The state of the feature records, from the end of [generale] on.
struct LineCursor {
  std::int64_t gradient_cell = 0;
  std::int32_t gradient = 0;
  std::int64_t plan_metre = 2;
};

class LineReader {
 public:
  explicit LineReader(ReadingContext& context) : c_(context), model_(context.model()) {}

  ReadOutcome read() {
    if (find_general_section() == ReadOutcome::returned) return ReadOutcome::returned;
    if (read_general_section() == ReadOutcome::returned) return ReadOutcome::returned;
    progressive_ordina(model_);
    model_.montagna_count = 0;
    c_.set_signboard_slot(slot::first_signboard);
    if (model_.plan) set_first_points(*model_.plan);
    if (read_feature_records() == ReadOutcome::returned) return ReadOutcome::returned;
    finish();
    return ReadOutcome::go_on;
  }

 private:
  ReadOutcome stop(ErrorCode code, LineColumn at, std::string reason = {}) {
    c_.close_and_delete();
    c_.record(code, at);
    model_.fault.reason = std::move(reason);
    return ReadOutcome::returned;
  }

  // The route starts at the origin heading along column 1. A route length
  // of -7000 m leaves the plan the single row 0: the write to metre 1 fails
  // as the reader's own run-time failure.
  void set_first_points(TrackPlan& plan) const {
    if (plan.set(0, 0, std::int16_t{0}) && plan.set(0, 1, std::int16_t{0}) &&
        plan.set(1, 0, std::int16_t{0}) && plan.set(1, 1, std::int16_t{1})) {
      return;
    }
    throw ReadFailure("a route length of " + std::to_string(plan.last_row() - 7000) +
                          " m leaves the track plan no row for metre 1",
                      length_at_);
  }

  ReadOutcome find_general_section() {
    while (true) {
      const std::string& token = c_.read_token();
      if (c_.fields().at_end()) return stop(ErrorCode::no_general_section, {});
      const bool opens = contains_any_case(token, "[generale]");
      c_.preamble_read(opens);
      if (opens) return ReadOutcome::go_on;
    }
  }

  ReadOutcome read_general_section() {
    FieldReader& f = c_.fields();
    while (!f.at_end()) {
      c_.read_token();
      if (f.at_end()) break;
      for (int skip = 0; skip < 10 && contains(c_.token(), "-"); ++skip) c_.read_token();
      const std::string token = c_.token();
      const bool route_length =
          contains_any_case(token, "percorso") && contains_any_case(token, "lunghezza");
      if (route_length && read_route_length() == ReadOutcome::returned) {
        return ReadOutcome::returned;
      }
      bool progressive = read_progressive(token, "tre", slot::progressive_tre);
      progressive = read_progressive(token, "due", slot::progressive_due) || progressive;
      progressive = read_progressive(token, "uno", slot::progressive_uno) || progressive;
      const bool scenery = read_scenery(token);
      const bool repetition = contains(token, "segnali") && contains(token, "ripetizione");
      if (repetition && read_repetition_zone(token) == ReadOutcome::returned) {
        return ReadOutcome::returned;
      }
      c_.keyword_read(KeywordPlace::line_general,
                      first_named({{route_length, "lunghezza percorso"},
                                   {progressive, "progressiva chilometrica"},
                                   {scenery, "sfondo"},
                                   {repetition, "ripetizione segnali"}}));
      if (ends_general_section(token)) break;
    }
    return ReadOutcome::go_on;
  }

  // The three scenery values; the second goes to the header's position.
  // Whether the token named a scenery record.
  bool read_scenery(const std::string& token) {
    if (!contains(token, "sfondo")) return false;
    FieldReader& f = c_.fields();
    SlotRecord& header = model_.slots[slot::scenario_header];
    if (contains(token, "uno")) header.area_start = f.i32();
    if (contains(token, "due")) header.position = f.i32();
    if (contains(token, "tre")) header.area_end = f.i32();
    return true;
  }

  static bool ends_general_section(const std::string& token) {
    if (!contains(token, "[") || !contains(token, "]")) return false;
    const std::size_t first = token.find_first_not_of(" \t");
    return first == std::string::npos || token[first] != '-';
  }

  ReadOutcome read_route_length() {
    FieldReader& f = c_.fields();
    const std::int32_t length = f.i32();
    const LineColumn at = f.last_field();
    length_at_ = at;
    model_.slots[slot::quantities].area_end = length;
    if (length > longest_route) return stop(ErrorCode::route_too_long, at);
    // Cells 0 .. U and, for the line file, plan rows 0 .. L + 7000: a
    // negative count of either cannot be created. U rounds, so lengths down
    // to -7025 m still give cell 0.
    if (last_cell_for_length(length) < 0) {
      throw ReadFailure("a route length below -7025 m leaves the track no cell", at);
    }
    if (model_.write_line_file != 0 && length < -7000) {
      throw ReadFailure("a route length below -7000 m leaves the line file no metre", at);
    }
    model_.plan_last_metre = length + 7000;
    create_track(model_, length);
    c_.map().forget_cells();
    return ReadOutcome::go_on;
  }

  // Whether the token named this progressive record.
  bool read_progressive(const std::string& token, const char* which, int slot_index) {
    if (!contains(token, which) || !contains(token, "progressiva")) return false;
    FieldReader& f = c_.fields();
    SlotRecord& s = model_.slots[static_cast<std::size_t>(slot_index)];
    s.area_start = f.i32();
    const LineColumn start_at = f.last_field();
    s.area_end = f.i32();
    const LineColumn offset_at = f.last_field();
    s.position = f.i32();
    c_.progressives().push_back({s.area_start, s.area_end, start_at, offset_at});
    return true;
  }

  ReadOutcome read_repetition_zone(const std::string& token) {
    FieldReader& f = c_.fields();
    SlotRecord& train = model_.slots[slot::train_header];
    train.area_start = f.i32();
    const LineColumn start_at = f.last_field();
    train.area_end = f.i32();
    const LineColumn end_at = f.last_field();
    if (train.area_start % 50 != 0) return stop(ErrorCode::repetition_start_off_grid, start_at);
    if (train.area_end % 50 != 0) return stop(ErrorCode::repetition_end_off_grid, end_at);
    if (contains(token, "4")) {
      train.position = 4;
    } else if (contains(token, "9")) {
      train.position = 9;
    } else {
      return stop(ErrorCode::repetition_without_code_count, c_.keyword_at());
    }
    if (train.area_end == 0) train.position = 0;
    return ReadOutcome::go_on;
  }

  // Either leaves the records for the end of the line half (error 15, end of
  // text) or returns from the reader.
  enum class Next { record, leave, returned };

  ReadOutcome read_feature_records() {
    while (c_.next_record_keyword()) {
      const Next next = read_feature(c_.token());
      if (next == Next::returned) return ReadOutcome::returned;
      if (next == Next::leave) break;
    }
    return ReadOutcome::go_on;
  }

  // Every test sees the keyword as read, though a record's own text field
  // (a signboard's) passes through the token: a copy.
  Next read_feature(std::string token) {  // NOLINT(performance-unnecessary-value-param)
    const bool gradient = contains_any_case(token, "pendenza");
    const bool curve = contains_any_case(token, "curva");
    const bool montagna = contains_any_case(token, "montagna");
    const bool speed_board = contains_any_case(token, "indicatori_v");
    const bool signboard =
        contains_any_case(token, "indicat") && contains_any_case(token, "cartello");
    c_.keyword_read(KeywordPlace::line_features, first_named({{gradient, "pendenza"},
                                                              {curve, "curva"},
                                                              {montagna, "montagna"},
                                                              {speed_board, "indicatori_vmax"},
                                                              {signboard, "cartello_indicatore"}}));
    if (gradient) {
      if (const Next n = read_gradient(); n != Next::record) return n;
    }
    if (curve && model_.write_line_file != 0) {
      if (const Next n = read_curve(token); n != Next::record) return n;
    } else if (curve) {
      c_.values_unread();  // only the line file holds curves
    }
    if (montagna) {
      if (const Next n = read_montagna(); n != Next::record) return n;
    }
    if (speed_board) {
      if (const Next n = read_speed_indicator(); n != Next::record) return n;
    }
    if (signboard) {
      if (const Next n = read_signboard(); n != Next::record) return n;
    }
    return Next::record;
  }

  // Error 15: the record lies beyond the track; the line half ends there.
  bool beyond_track(std::int32_t p, LineColumn at) {
    if (c_.within_track(p)) return false;
    c_.record(ErrorCode::beyond_track, p, at);
    model_.fault.reason = "the track's last cell is " + std::to_string(c_.last_cell());
    return true;
  }

  Next read_gradient() {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const LineColumn at = f.last_field();
    const std::int32_t g = f.i32();
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t n = round_half_even_div(p, 50);
    c_.position_read(at, p, n, "gradient");
    if (n > 0) {
      do {
        fill_gradient();
      } while (cursor_.gradient_cell < n);
    }
    cursor_.gradient = g;
    return Next::record;
  }

  void fill_gradient() {
    if (TrackCell* cell = c_.cells().find(cursor_.gradient_cell)) {
      cell->gradient = low_8(std::int64_t{cursor_.gradient} + 100);
    }
    ++cursor_.gradient_cell;
  }

  Next read_curve(const std::string& token) {
    FieldReader& f = c_.fields();
    const std::int32_t s = f.i32();
    const LineColumn at = f.last_field();
    const std::int32_t l = f.i32();
    if (beyond_track(s, at)) return Next::leave;
    static constexpr std::array<double, 6> curvature = {0.0001, 0.0002, 0.0004,
                                                        0.001,  0.002,  0.003};
    int curve_class = 0;
    for (int digit = 1; digit <= 6 && curve_class == 0; ++digit) {
      if (contains(token, std::string(1, static_cast<char>('0' + digit)))) curve_class = digit;
    }
    c_.curve_read(token, curve_class, at, s, std::int64_t{s} + l);
    if (curve_class == 0) {
      stop(ErrorCode::curve_unusable, c_.keyword_at(),
           "the keyword " + quoted_excerpt(token) + " holds no class digit 1 to 6");
      return Next::returned;
    }
    double k = curvature[static_cast<std::size_t>(curve_class - 1)];
    if (contains_any_case(token, "s")) k = -k;
    if (!integrate(std::int64_t{s}, std::int64_t{s} + l, k)) {
      const std::int64_t end = std::min(model_.plan->last_row(), last_plan_metre);
      stop(ErrorCode::curve_unusable, at,
           "the curve would run past metre " + std::to_string(end) + " of the track plan");
      return Next::returned;
    }
    return Next::record;
  }

  // Advances the plan straight up to metre s, then along the curve up to
  // s + l. False when it would pass the plan's last row or reach metre
  // 1000000.
  bool integrate(std::int64_t s, std::int64_t end, double k) { return run(s, 0.0) && run(end, k); }

  // Sets the points from the plan cursor up to metre `until`, the cursor
  // following. It stops at the plan's last row, where the next write would
  // fail, and after metre 1000000, where the cursor passes the limit: both
  // are a failure of the run.
  bool run(std::int64_t until, double k) {
    TrackPlan& plan = *model_.plan;
    std::int64_t& q = cursor_.plan_metre;
    if (q > until) return true;
    const std::int64_t last = std::min({until, plan.last_row(), last_plan_metre});
    if (last >= q) {
      extend(plan, q, last, k);
      q = last + 1;
    }
    return until <= plan.last_row() && q <= last_plan_metre;
  }

  // Sets the points at metres from .. to, each from the two before it:
  // P(q) = P(q - 1) + d, turned by k, where d = P(q - 1) - P(q - 2). The
  // step is not renormalised. Rows from - 2 .. to exist.
  static void extend(TrackPlan& plan, std::int64_t from, std::int64_t to, double k) {
    const std::span<double> xs = plan.values(0);
    const std::span<double> ys = plan.values(1);
    const std::span<PlanTag> x_tags = plan.tags(0);
    const std::span<PlanTag> y_tags = plan.tags(1);
    const auto at = [](std::int64_t row) { return static_cast<std::size_t>(row); };
    double x0 = xs[at(from - 2)];
    double x1 = xs[at(from - 1)];
    double y0 = ys[at(from - 2)];
    double y1 = ys[at(from - 1)];
    for (std::int64_t q = from; q <= to; ++q) {
      const double dx = x1 - x0;
      const double dy = y1 - y0;
      const double x = k == 0.0 ? x1 + dx : x1 + dx + k * dy;
      const double y = k == 0.0 ? y1 + dy : y1 + dy - k * dx;
      xs[at(q)] = x;
      ys[at(q)] = y;
      x_tags[at(q)] = PlanTag::real;
      y_tags[at(q)] = PlanTag::real;
      x0 = x1;
      x1 = x;
      y0 = y1;
      y1 = y;
    }
  }

  Next read_montagna() {
    FieldReader& f = c_.fields();
    MontagnaRecord r;
    r.inizio = f.i32();
    const LineColumn at = f.last_field();
    r.fine = f.i32();
    r.tipo = f.i32();
    if (beyond_track(r.inizio, at)) return Next::leave;
    c_.position_read(at, r.inizio, round_half_even_div(r.inizio, 50), "montagna");
    memo_montagna(model_, r);
    return Next::record;
  }

  Next read_speed_indicator() {
    FieldReader& f = c_.fields();
    SpeedBoardRecord r;
    r.posizione = f.i32();
    const LineColumn at = f.last_field();
    for (std::int32_t* value : {&r.vas, &r.vbs, &r.vcs, &r.strisces}) *value = f.i32();
    // Right-hand speeds left empty are a board without a right-hand set.
    c_.tell_empty_values(false);
    for (std::int32_t* value : {&r.vad, &r.vbd, &r.vcd}) *value = f.i32();
    c_.tell_empty_values(true);
    r.strisced = f.i32();
    if (beyond_track(r.posizione, at)) return Next::leave;
    c_.position_read(at, r.posizione, point_cell(r.posizione), "speed-indicator board");
    if (!memo_indicatori_v_max(model_, r)) return refused(at);
    c_.lay(point_cell(r.posizione), at, "a speed-indicator board");
    return Next::record;
  }

  Next read_signboard() {
    FieldReader& f = c_.fields();
    const std::int32_t p = f.i32();
    const LineColumn at = f.last_field();
    const std::string& text = c_.read_text_value();
    c_.signboard_text_read(text);
    if (beyond_track(p, at)) return Next::leave;
    const std::int64_t i = point_cell(p);
    c_.position_read(at, p, i, "signboard");
    TrackCell* cell = claim_free_cell(model_, i, ErrorCode::signboard_cell_taken, p);
    if (cell == nullptr) return refused(at);
    if (c_.signboard_slot() < 1) throw ReadFailure("more than 80 signboards", at);
    cell->kind = cell_kind::signboard;
    cell->value1 = static_cast<std::int16_t>(c_.signboard_slot());
    model_.slots[static_cast<std::size_t>(c_.signboard_slot())].name = text;
    c_.set_signboard_slot(c_.signboard_slot() - 1);
    c_.lay(i, at, "a signboard");
    return Next::record;
  }

  // A placement found its cell taken: the line half returns.
  Next refused(LineColumn at) {
    c_.close_and_delete();
    c_.place_placement_fault(at);
    return Next::returned;
  }

  void finish() {
    c_.close_and_delete();
    if (!model_.cells) {
      throw ReadFailure("the line description gives no route length", LineColumn{});
    }
    const std::int64_t tail_end = c_.last_cell() - 2;
    do {
      fill_gradient();
    } while (cursor_.gradient_cell < tail_end);
    if (model_.plan) {
      // The straight end has no limit of metres, and its rows all exist.
      std::int64_t& q = cursor_.plan_metre;
      const std::int64_t last = std::int64_t{model_.plan_last_metre} - 2;
      if (q <= last) extend(*model_.plan, q, last, 0.0);
      q = std::max(q, last + 1);
    }
  }

  ReadingContext& c_;
  ScenarioModel& model_;
  LineCursor cursor_;
  LineColumn length_at_{};  // the last route length read
};

}  // namespace

ReadOutcome read_line_description(ReadingContext& context) {
  return LineReader(context).read();
}

}  // namespace tracciato
