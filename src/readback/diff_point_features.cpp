// The point features of two versions compared: stations, signals,
// slowdowns, speed-indicator boards and signboards.

#include "readback/diff_comparison.h"

#include <algorithm>
#include <iterator>

#include "platform/clock_text.h"
#include "readback/diff_words.h"

namespace tracciato::diff {
namespace {

// The values of the signal record, as written: sx, s1, s2, s3, rapp, dx,
// d1, d2, d3.
std::string aspects(const SignalView& g) {
  return numbers({g.sx, g.s1, g.s2, g.s3, g.rapp, g.dx, g.d1, g.d2, g.d3});
}

// The start point's values: speed, d_v and f_tt of the record.
template <class Tell>
void start_values(const TrackCell& x, const TrackCell& y, const Tell& tell) {
  if (x.value1 != y.value1) {
    tell("speed " + change(x.value1, y.value1) + " km/h");
  }
  if (x.value2 != y.value2) tell("d_v " + change(x.value2, y.value2));
  if (x.value3 != y.value3) {
    tell("f_tt " + change(x.value3, y.value3));
  }
}

// The text's bytes as the slot holds them; none when the slot is not one.
std::string text_of(const Side& side, const SignboardView& board) {
  return board.slot >= 0 && board.slot < slot_count ? side.slot(board.slot).name : std::string();
}

}  // namespace

// Says what changed between each pair, `compare(x, y)` with x or y null for
// a feature added or removed, and claims each side's fields for it.
template <class Item, class Compare, class Claim>
void Comparison::settle(const std::vector<Match>& matches, const std::vector<Item>& xs,
                        const std::vector<Item>& ys, Compare compare, Claim claim) {
  for (const Match& m : matches) {
    const Item* x = m.a ? &xs[*m.a] : nullptr;
    const Item* y = m.b ? &ys[*m.b] : nullptr;
    if (x == nullptr && y == nullptr) continue;  // a match pairs at least one
    const std::size_t before = out_.size();
    compare(x, y);
    const bool said = out_.size() > before;
    if (x != nullptr) claim(a_, *x, said);
    if (y != nullptr) claim(b_, *y, said);
  }
}

template <class Item, class Compare, class Claim>
void Comparison::along(const std::vector<Item>& xs, const std::vector<Item>& ys,
                       std::int64_t (*cell)(const Item&), Compare compare, Claim claim) {
  std::vector<std::int64_t> a;
  std::vector<std::int64_t> b;
  std::transform(xs.begin(), xs.end(), std::back_inserter(a), cell);
  std::transform(ys.begin(), ys.end(), std::back_inserter(b), cell);
  settle(along_route(a, b), xs, ys, compare, claim);
}

void Comparison::stations() {
  const auto names = [](const Side& side) {
    std::vector<std::string> out;
    for (const StationView& st : side.view.stations) out.push_back(side.slot(st.slot).name);
    return out;
  };
  const std::size_t first = out_.size();
  settle(
      by_name(names(a_), names(b_)), a_.view.stations, b_.view.stations,
      [this](const StationView* x, const StationView* y) { station(x, y); }, claim_station);
  std::stable_sort(
      out_.begin() + static_cast<std::ptrdiff_t>(first), out_.end(),
      [](const Difference& x, const Difference& y) { return x.position_m < y.position_m; });
}

void Comparison::station(const StationView* x, const StationView* y) {
  const StationView& st = y != nullptr ? *y : *x;
  const std::string who = "station " + (st.name.empty() ? "(no name)" : st.name);
  if (x == nullptr || y == nullptr) {
    say("station", st.position,
        who + (x == nullptr ? " added at " : " removed from ") + metres(st.position));
    return;
  }
  const auto tell = [&](const std::string& words) { say("station", y->position, who + words); };
  if (x->slot != y->slot) tell(": slot " + change(x->slot, y->slot));
  if (x->position != y->position) {
    tell(" moved from " + metres(x->position) + " to " + metres(y->position));
  }
  if (x->kind != y->kind) tell(": kind " + change(x->kind, y->kind));
  if (x->area_start != y->area_start || x->area_end != y->area_end) {
    const auto area = [](const StationView& s) {
      return std::to_string(s.area_start) + "–" + metres(s.area_end);
    };
    tell(": area " + change(area(*x), area(*y)));
  }
  if (x->time_s != y->time_s) {
    tell(": time " + change(clock_text(x->time_s), clock_text(y->time_s)));
  }
  if (x->stop_cell != y->stop_cell) {
    const auto stop = [](const std::optional<std::int64_t>& c) {
      return c ? std::to_string(*c) : std::string("none");
    };
    tell(": stop cell " + change(stop(x->stop_cell), stop(y->stop_cell)));
  }
  // The values carried for the simulator alone, by their field names.
  std::string values;
  for (std::size_t f = sf::flag_a; f <= sf::flag_b; ++f) {
    const std::string from = slot_fields[f].raw(a_.slot(x->slot));
    const std::string to = slot_fields[f].raw(b_.slot(y->slot));
    if (f == sf::name || from == to) continue;
    values +=
        (values.empty() ? ": " : ", ") + std::string(slot_fields[f].name) + " " + change(from, to);
  }
  if (!values.empty()) tell(values);
}

void Comparison::signals() {
  along(
      a_.view.signals, b_.view.signals, +[](const SignalView& g) { return g.cell; },
      [this](const SignalView* x, const SignalView* y) { signal(x, y); }, claim_signal);
}

void Comparison::signal(const SignalView* x, const SignalView* y) {
  if (x == nullptr || y == nullptr) {
    const std::int64_t cell = (y != nullptr ? y : x)->cell;
    say("signal", point_metres(cell),
        std::string(x == nullptr ? "signal added at " : "signal removed from ") + point_cell(cell));
    return;
  }
  const std::int64_t at = point_metres(y->cell);
  const std::string here = "signal at " + point_cell(y->cell) + ": ";
  if (x->cell != y->cell) say("signal", at, "signal moved " + moved(x->cell, y->cell));
  if (aspects(*x) != aspects(*y)) {
    say("signal", at, here + "aspects " + change(aspects(*x), aspects(*y)));
  }
  if (x->timer != y->timer) {
    say("signal", at, here + "timer " + change(x->timer, y->timer));
  }
  // Boards stand where they do relative to their signal.
  const auto boards = [](const SignalView& g) {
    std::vector<std::int64_t> behind;
    for (const std::int64_t b : g.board_cells) behind.push_back(g.cell - b);
    return behind;
  };
  if (boards(*x) != boards(*y)) {
    say("signal", at,
        here + "boards in cells " + change(cell_list(x->board_cells), cell_list(y->board_cells)));
  }
}

void Comparison::slowdowns() {
  along(
      a_.view.slowdowns, b_.view.slowdowns, +[](const SlowdownView& s) { return s.start_cell; },
      [this](const SlowdownView* x, const SlowdownView* y) { slowdown(x, y); }, claim_slowdown);
}

void Comparison::slowdown(const SlowdownView* x, const SlowdownView* y) {
  if (x == nullptr || y == nullptr) {
    const SlowdownView& s = y != nullptr ? *y : *x;
    say("slowdown", point_metres(s.start_cell),
        std::string(x == nullptr ? "slowdown added at " : "slowdown removed from ") +
            point_cell(s.start_cell));
    return;
  }
  const std::int64_t at = point_metres(y->start_cell);
  const auto tell = [&](const std::string& words) {
    say("slowdown", at, "slowdown at " + point_cell(y->start_cell) + ": " + words);
  };
  if (x->start_cell != y->start_cell) {
    say("slowdown", at, "slowdown moved " + moved(x->start_cell, y->start_cell));
  }
  // The other points are told where they moved other than with the start.
  const auto offset = [](const std::optional<std::int64_t>& c, std::int64_t start) {
    return c ? std::optional(*c - start) : std::nullopt;
  };
  if (offset(x->end_cell, x->start_cell) != offset(y->end_cell, y->start_cell)) {
    tell("end " + change(point_cell(x->end_cell), point_cell(y->end_cell)));
  }
  if (x->warning_cell.has_value() != y->warning_cell.has_value()) {
    tell("warning point " + change(point_cell(x->warning_cell), point_cell(y->warning_cell)));
  }
  const auto marks = [](const SlowdownView& s) {
    std::vector<std::int64_t> behind;
    for (const std::int64_t p : s.pre_warning_cells) behind.push_back(s.start_cell - p);
    return behind;
  };
  if (marks(*x) != marks(*y)) {
    tell("pre-warning cells " +
         change(cell_list(x->pre_warning_cells), cell_list(y->pre_warning_cells)));
  }
  start_values(a_.at(x->start_cell), b_.at(y->start_cell), tell);
}

void Comparison::speed_boards() {
  along(
      a_.view.speed_boards, b_.view.speed_boards, +[](const SpeedBoardView& s) { return s.cell; },
      [this](const SpeedBoardView* x, const SpeedBoardView* y) { speed_board(x, y); },
      claim_speed_board);
}

void Comparison::speed_board(const SpeedBoardView* x, const SpeedBoardView* y) {
  const std::string what = "speed-indicator board";
  if (x == nullptr || y == nullptr) {
    const std::int64_t cell = (y != nullptr ? y : x)->cell;
    say(what, point_metres(cell),
        what + (x == nullptr ? " added at " : " removed from ") + point_cell(cell));
    return;
  }
  const std::int64_t at = point_metres(y->cell);
  if (x->cell != y->cell) say(what, at, what + " moved " + moved(x->cell, y->cell));
  // As the record writes them: the left-hand set, then the right-hand one.
  const auto values = [](const SpeedBoardView& s) {
    return numbers({s.left[0], s.left[1], s.left[2], s.left_stripes, s.right[0], s.right[1],
                    s.right[2], s.right_stripes});
  };
  if (values(*x) != values(*y)) {
    say(what, at,
        what + " at " + point_cell(y->cell) + ": values " + change(values(*x), values(*y)));
  }
}

void Comparison::signboards() {
  along(
      a_.view.signboards, b_.view.signboards, +[](const SignboardView& s) { return s.cell; },
      [this](const SignboardView* x, const SignboardView* y) { signboard(x, y); }, claim_signboard);
}

void Comparison::signboard(const SignboardView* x, const SignboardView* y) {
  if (x == nullptr || y == nullptr) {
    const SignboardView& s = y != nullptr ? *y : *x;
    say("signboard", point_metres(s.cell),
        "signboard " + quoted(text_of(y != nullptr ? b_ : a_, s)) +
            (x == nullptr ? " added at " : " removed from ") + point_cell(s.cell));
    return;
  }
  const std::int64_t at = point_metres(y->cell);
  const std::string here = "signboard at " + point_cell(y->cell) + ": ";
  if (x->cell != y->cell) say("signboard", at, "signboard moved " + moved(x->cell, y->cell));
  const std::string from = text_of(a_, *x);
  const std::string to = text_of(b_, *y);
  if (from != to) say("signboard", at, here + "text " + change(quoted(from), quoted(to)));
  if (x->slot != y->slot) {
    say("signboard", at, here + "text slot " + change(x->slot, y->slot));
  }
}

}  // namespace tracciato::diff
