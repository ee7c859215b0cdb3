#include "inspect/scenario_diff.h"

#include <algorithm>
#include <array>
#include <bit>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "inspect/scenario_view.h"
#include "platform/code_page.h"
#include "platform/json.h"

namespace tracciato {
namespace {

// ---- The raw fields, in file order ----

struct CellField {
  std::string_view name;
  int (*value)(const TrackCell&);
};

constexpr std::array<CellField, 11> cell_fields = {{
    {"kind", [](const TrackCell& c) { return int{c.kind}; }},
    {"value1", [](const TrackCell& c) { return int{c.value1}; }},
    {"value2", [](const TrackCell& c) { return int{c.value2}; }},
    {"value3", [](const TrackCell& c) { return int{c.value3}; }},
    {"value4", [](const TrackCell& c) { return int{c.value4}; }},
    {"timer", [](const TrackCell& c) { return int{c.timer}; }},
    {"approach", [](const TrackCell& c) { return int{c.approach}; }},
    {"montagna_type", [](const TrackCell& c) { return int{c.montagna_type}; }},
    {"speed_limit", [](const TrackCell& c) { return int{c.speed_limit}; }},
    {"gradient", [](const TrackCell& c) { return int{c.gradient}; }},
    {"adhesion", [](const TrackCell& c) { return int{c.adhesion}; }},
}};

namespace cf {
constexpr std::size_t kind = 0;
constexpr std::size_t value1 = 1;
constexpr std::size_t value2 = 2;
constexpr std::size_t value3 = 3;
constexpr std::size_t value4 = 4;
constexpr std::size_t timer = 5;
constexpr std::size_t approach = 6;
constexpr std::size_t montagna_type = 7;
constexpr std::size_t speed_limit = 8;
constexpr std::size_t gradient = 9;
constexpr std::size_t adhesion = 10;
}  // namespace cf

// A slot field as its bytes or its decimal number: equal exactly when the
// fields are.
struct SlotField {
  std::string_view name;
  std::string (*raw)(const SlotRecord&);
};

constexpr std::array<SlotField, 16> slot_fields = {{
    {"kind", [](const SlotRecord& r) { return std::to_string(r.kind); }},
    {"area_start", [](const SlotRecord& r) { return std::to_string(r.area_start); }},
    {"area_end", [](const SlotRecord& r) { return std::to_string(r.area_end); }},
    {"position", [](const SlotRecord& r) { return std::to_string(r.position); }},
    {"flag_a", [](const SlotRecord& r) { return std::to_string(r.flag_a); }},
    {"name", [](const SlotRecord& r) { return r.name; }},
    {"num_a", [](const SlotRecord& r) { return std::to_string(r.num_a); }},
    {"num_b", [](const SlotRecord& r) { return std::to_string(r.num_b); }},
    {"num_c", [](const SlotRecord& r) { return std::to_string(r.num_c); }},
    {"num_d", [](const SlotRecord& r) { return std::to_string(r.num_d); }},
    {"num_e", [](const SlotRecord& r) { return std::to_string(r.num_e); }},
    {"byte_a", [](const SlotRecord& r) { return std::to_string(r.byte_a); }},
    {"byte_b", [](const SlotRecord& r) { return std::to_string(r.byte_b); }},
    {"extend_end", [](const SlotRecord& r) { return std::to_string(r.extend_end); }},
    {"flag_b", [](const SlotRecord& r) { return std::to_string(r.flag_b); }},
    {"time_s", [](const SlotRecord& r) { return std::to_string(r.time_s); }},
}};

namespace sf {
constexpr std::size_t kind = 0;
constexpr std::size_t area_start = 1;
constexpr std::size_t area_end = 2;
constexpr std::size_t position = 3;
constexpr std::size_t flag_a = 4;
constexpr std::size_t name = 5;
constexpr std::size_t num_a = 6;
constexpr std::size_t num_c = 8;
constexpr std::size_t num_d = 9;
constexpr std::size_t num_e = 10;
constexpr std::size_t flag_b = 14;
constexpr std::size_t time_s = 15;
}  // namespace sf

// What the header slots hold, for the fields that a raw difference names.
struct Meaning {
  int slot;
  std::size_t field;
  std::string_view text;
};

constexpr std::array<Meaning, 20> header_meanings = {{
    {slot::progressive_tre, sf::area_start, "progressive start"},
    {slot::progressive_tre, sf::area_end, "progressive offset"},
    {slot::progressive_tre, sf::position, "progressive flag"},
    {slot::quantities, sf::area_start, "braked-mass percentage"},
    {slot::quantities, sf::area_end, "route length"},
    {slot::quantities, sf::position, "number of cars"},
    {slot::scenario_header, sf::name, "scenario name"},
    {slot::scenario_header, sf::area_start, "sfondo uno"},
    {slot::scenario_header, sf::position, "sfondo due"},
    {slot::scenario_header, sf::area_end, "sfondo tre"},
    {slot::scenario_header, sf::num_a, "scenario mark"},
    {slot::scenario_header, sf::time_s, "competition code"},
    {slot::train_header, sf::name, "train number"},
    {slot::train_header, sf::area_start, "cab-signal repetition start"},
    {slot::train_header, sf::area_end, "cab-signal repetition end"},
    {slot::train_header, sf::position, "cab-signal repetition codes"},
    {slot::train_header, sf::num_a, "sand"},
    {slot::train_header, sf::num_c, "clock hours"},
    {slot::train_header, sf::num_d, "clock minutes"},
    {slot::train_header, sf::num_e, "clock seconds"},
}};

std::string meaning(int n, std::size_t field) {
  // The three progressives share one layout.
  if (n == slot::progressive_due || n == slot::progressive_uno) n = slot::progressive_tre;
  for (const Meaning& m : header_meanings) {
    if (m.slot == n && m.field == field) return " (" + std::string(m.text) + ")";
  }
  return {};
}

// ---- Words ----

std::string change(const std::string& from, const std::string& to) {
  return from + " → " + to;
}

std::string change(std::int64_t from, std::int64_t to) {
  return std::to_string(from) + " → " + std::to_string(to);
}

std::string metres(std::int64_t m) {
  return std::to_string(m) + " m";
}

// "cell 33 (1600 m)"
std::string cell_at(std::int64_t cell, std::int64_t m) {
  return "cell " + std::to_string(cell) + " (" + metres(m) + ")";
}

std::string point_cell(std::int64_t cell) {
  return cell_at(cell, point_metres(cell));
}

std::string point_cell(const std::optional<std::int64_t>& cell) {
  return cell ? point_cell(*cell) : "none";
}

// "from cell 33 to 35 (1600 m → 1700 m)"
std::string moved(std::int64_t from, std::int64_t to) {
  return "from cell " + std::to_string(from) + " to " + std::to_string(to) + " (" +
         change(metres(point_metres(from)), metres(point_metres(to))) + ")";
}

std::string clock(std::int64_t s) {
  if (s < 0) return std::to_string(s) + " s";
  const auto two = [](std::int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
  return two(s / 3600) + ":" + two(s / 60 % 60) + ":" + two(s % 60);
}

std::string quoted(const std::string& code_page_text) {
  return "\"" + from_code_page(code_page_text) + "\"";
}

std::string numbers(std::initializer_list<std::int64_t> values) {
  std::string text;
  for (const std::int64_t v : values) text += (text.empty() ? "" : ", ") + std::to_string(v);
  return text;
}

std::string cell_list(const std::vector<std::int64_t>& cells) {
  std::string text;
  for (const std::int64_t c : cells) text += (text.empty() ? "" : ", ") + std::to_string(c);
  return text.empty() ? "none" : text;
}

// "cell 30 (1500 m)", "cells 30 (1500 m), 53 (2650 m)": cells of stretch
// features, which stand at cell·50.
std::string stretch_cells(const std::vector<std::int64_t>& cells) {
  std::string text = cells.size() == 1 ? "cell " : "cells ";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(cells[i]) + " (" +
            metres(profile_metres(cells[i])) + ")";
  }
  return text;
}

// ---- Which features each side's raw fields belong to ----

// Whether one side's value of a raw field is accounted for: by nothing, by a
// feature that no message names, or by a feature that a message names.
enum class Account : std::uint8_t { none, feature, reported };

class Ledger {
 public:
  explicit Ledger(std::int64_t last_cell) : cells_(static_cast<std::size_t>(last_cell + 1)) {}

  void claim_cell(std::int64_t cell, std::size_t field, bool reported) {
    if (cell >= 0 && static_cast<std::size_t>(cell) < cells_.size()) {
      raise(cells_[static_cast<std::size_t>(cell)][field], reported);
    }
  }
  void claim_cells(std::int64_t cell, std::initializer_list<std::size_t> fields, bool reported) {
    for (const std::size_t f : fields) claim_cell(cell, f, reported);
  }
  void claim_slot(std::int64_t n, std::size_t field, bool reported) {
    if (n >= 0 && n < slot_count) raise(slots_[static_cast<std::size_t>(n)][field], reported);
  }
  Account cell(std::int64_t cell, std::size_t field) const {
    return cells_[static_cast<std::size_t>(cell)][field];
  }
  Account slot(std::size_t n, std::size_t field) const { return slots_[n][field]; }

 private:
  static void raise(Account& account, bool reported) {
    account = std::max(account, reported ? Account::reported : Account::feature);
  }
  std::vector<std::array<Account, cell_fields.size()>> cells_;
  std::array<std::array<Account, slot_fields.size()>, slot_count> slots_{};
};

// A raw difference is told already when the value on each side belongs to a
// feature, or is the zero of a field that no feature uses, and a message
// names the feature of one side: that message says why the field changed.
bool told(Account a, bool a_zero, Account b, bool b_zero) {
  if (a_zero) a = std::max(a, Account::feature);
  if (b_zero) b = std::max(b, Account::feature);
  return a != Account::none && b != Account::none &&
         (a == Account::reported || b == Account::reported);
}

// One scenario as the comparison sees it.
struct Side {
  const CompiledScenario& scenario;
  ScenarioView view;
  Ledger ledger;

  explicit Side(const CompiledScenario& s)
      : scenario(s), view(view_of(s)), ledger(s.cells.last()) {}
  const TrackCell& at(std::int64_t cell) const { return *scenario.cells.find(cell); }
  const SlotRecord& slot(std::int64_t n) const {
    return scenario.slots[static_cast<std::size_t>(n)];
  }
};

void claim_station(Side& side, const StationView& st, bool reported) {
  for (std::size_t f = 0; f < slot_fields.size(); ++f) side.ledger.claim_slot(st.slot, f, reported);
  if (!st.stop_cell) return;
  const std::int64_t stop = *st.stop_cell;
  side.ledger.claim_cells(stop, {cf::kind, cf::value1}, reported);
  // Its boards: approach 81 next to the stop to 84, above cell 1.
  for (std::int64_t b = 1; b <= 4; ++b) {
    const TrackCell* board = side.scenario.cells.find(stop - b);
    if (stop - b > 1 && board != nullptr && board->approach == 80 + b) {
      side.ledger.claim_cell(stop - b, cf::approach, reported);
    }
  }
}

void claim_signal(Side& side, const SignalView& g, bool reported) {
  side.ledger.claim_cells(
      g.cell, {cf::kind, cf::value1, cf::value2, cf::value3, cf::value4, cf::timer}, reported);
  for (const std::int64_t b : g.board_cells) side.ledger.claim_cell(b, cf::approach, reported);
}

// The start point holds the slowdown's values; the end, warning and
// pre-warning points repeat them, and a value that does not is no part of it.
void claim_slowdown(Side& side, const SlowdownView& sd, bool reported) {
  Ledger& ledger = side.ledger;
  const TrackCell& start = side.at(sd.start_cell);
  ledger.claim_cells(sd.start_cell, {cf::kind, cf::value1, cf::value2, cf::value3}, reported);
  const std::array<int, 3> carried = {start.value1, start.value2, start.value3};
  const auto repeat = [&](std::int64_t cell, std::size_t count) {
    ledger.claim_cell(cell, cf::kind, reported);
    const TrackCell& c = side.at(cell);
    const std::array<int, 3> own = {c.value1, c.value2, c.value3};
    for (std::size_t k = 0; k < count; ++k) {
      if (own[k] == carried[k]) ledger.claim_cell(cell, cf::value1 + k, reported);
    }
  };
  if (sd.end_cell) repeat(*sd.end_cell, 3);
  if (sd.warning_cell) repeat(*sd.warning_cell, 2);
  for (const std::int64_t p : sd.pre_warning_cells) {
    const std::int64_t rank = sd.start_cell - 24 - p;  // 1 next to the warning point
    const TrackCell& c = side.at(p);
    ledger.claim_cell(p, cf::kind, reported);
    if (c.value1 == rank) ledger.claim_cell(p, cf::value1, reported);
    if (c.value2 == (start.value2 != 0 ? rank : 0)) ledger.claim_cell(p, cf::value2, reported);
  }
}

void claim_speed_board(Side& side, const SpeedBoardView& board, bool reported) {
  side.ledger.claim_cells(board.cell, {cf::kind, cf::value1, cf::value2, cf::value3, cf::value4},
                          reported);
}

void claim_signboard(Side& side, const SignboardView& board, bool reported) {
  side.ledger.claim_cells(board.cell, {cf::kind, cf::value1}, reported);
  side.ledger.claim_slot(board.slot, sf::name, reported);
}

// A kind-12 point has a value; a kind-13 point keeps what the cell held.
void claim_abbattimento(Side& side, std::int64_t cell, bool reported) {
  side.ledger.claim_cell(cell, cf::kind, reported);
  if (side.at(cell).kind == cell_kind::abbattimento) {
    side.ledger.claim_cell(cell, cf::value1, reported);
  }
}

// ---- Pairing the features of two versions ----

struct Match {
  std::optional<std::size_t> a;
  std::optional<std::size_t> b;
};

// Features of one kind paired along the route, given their cells, which rise
// strictly: a feature in the same cell in both is the same feature; between
// two of those, the others pair off in order, and the ones left over were
// added or removed.
std::vector<Match> along_route(const std::vector<std::int64_t>& a,
                               const std::vector<std::int64_t>& b) {
  std::vector<Match> out;
  std::vector<std::size_t> only_a;
  std::vector<std::size_t> only_b;
  const auto pair_off = [&] {
    for (std::size_t k = 0; k < std::max(only_a.size(), only_b.size()); ++k) {
      out.push_back({k < only_a.size() ? std::optional(only_a[k]) : std::nullopt,
                     k < only_b.size() ? std::optional(only_b[k]) : std::nullopt});
    }
    only_a.clear();
    only_b.clear();
  };
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      pair_off();
      out.push_back({i++, j++});
    } else if (j == b.size() || (i < a.size() && a[i] < b[j])) {
      only_a.push_back(i++);
    } else {
      only_b.push_back(j++);
    }
  }
  pair_off();
  return out;
}

// Stations by name: the k-th of a name in one with the k-th in the other.
std::vector<Match> by_name(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::vector<Match> out;
  std::vector<bool> taken(a.size(), false);
  for (std::size_t j = 0; j < b.size(); ++j) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < a.size() && !found; ++i) {
      if (!taken[i] && a[i] == b[j]) found = i;
    }
    if (found) taken[*found] = true;
    out.push_back({found, j});
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!taken[i]) out.push_back({i, std::nullopt});
  }
  return out;
}

// Cells in a only, in b only, and in both; each list rises.
struct CellSplit {
  std::vector<std::int64_t> only_a;
  std::vector<std::int64_t> only_b;
  std::vector<std::int64_t> both;
};

CellSplit split(const std::vector<std::int64_t>& a, const std::vector<std::int64_t>& b) {
  CellSplit s;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(s.only_a));
  std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(s.only_b));
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(s.both));
  return s;
}

bool same_element(const PlanValue& x, const PlanValue& y) {
  if (x.index() != y.index()) return false;
  // Bit for bit, as the file holds them: NaN is itself, 0 is not -0.
  if (const double* d = std::get_if<double>(&x)) {
    return std::bit_cast<std::uint64_t>(*d) == std::bit_cast<std::uint64_t>(std::get<double>(y));
  }
  return x == y;
}

bool same_row(const TrackPlan& a, const TrackPlan& b, std::int64_t row) {
  if (!a.contains(row) || !b.contains(row)) return false;
  const auto r = static_cast<std::size_t>(row);
  return same_element(a.column(0)[r], b.column(0)[r]) &&
         same_element(a.column(1)[r], b.column(1)[r]);
}

// A stretch profile, compared cell by cell.
struct Profile {
  std::string_view what;
  std::string_view words;
  std::size_t field;
  int (*value)(const TrackCell&);
  std::string_view unit;
};

constexpr std::array<Profile, 4> profiles = {{
    {"speed limit", "speed limit", cf::speed_limit,
     [](const TrackCell& c) { return c.speed_limit * 5; }, " km/h"},
    {"gradient", "gradient", cf::gradient, [](const TrackCell& c) { return c.gradient - 100; },
     " ‰"},
    {"adhesion", "adhesion", cf::adhesion, [](const TrackCell& c) { return int{c.adhesion}; }, ""},
    {"montagna", "montagna type", cf::montagna_type,
     [](const TrackCell& c) { return int{c.montagna_type}; }, ""},
}};

std::string profile_value(const Profile& p, int v) {
  if (p.field == cf::montagna_type && v == 0) return "none";
  return std::to_string(v);
}

// ---- The comparison ----

class Comparison {
 public:
  Comparison(const CompiledScenario& a, const CompiledScenario& b) : a_(a), b_(b) {}

  std::vector<Difference> run() {
    route();
    stations();
    signals();
    slowdowns();
    speed_boards();
    signboards();
    abbattimento();
    for (const Profile& p : profiles) profile(p);
    fillers();
    geometry();
    cells();
    slots();
    return std::move(out_);
  }

 private:
  void say(std::string_view what, std::optional<std::int64_t> at, std::string message) {
    out_.push_back({std::string(what), at, std::move(message)});
  }

  // Says what changed between each pair, `compare(x, y)` with x or y null for
  // a feature added or removed, and claims each side's fields for it.
  template <class Item, class Compare, class Claim>
  void settle(const std::vector<Match>& matches, const std::vector<Item>& xs,
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
  void along(const std::vector<Item>& xs, const std::vector<Item>& ys,
             std::int64_t (*cell)(const Item&), Compare compare, Claim claim) {
    std::vector<std::int64_t> a;
    std::vector<std::int64_t> b;
    std::transform(xs.begin(), xs.end(), std::back_inserter(a), cell);
    std::transform(ys.begin(), ys.end(), std::back_inserter(b), cell);
    settle(along_route(a, b), xs, ys, compare, claim);
  }

  void route() {
    const std::int32_t from = a_.slot(slot::quantities).area_end;
    const std::int32_t to = b_.slot(slot::quantities).area_end;
    if (from != to) {
      say("route", std::nullopt, "route length " + change(std::to_string(from), metres(to)));
      a_.ledger.claim_slot(slot::quantities, sf::area_end, true);
      b_.ledger.claim_slot(slot::quantities, sf::area_end, true);
    }
    // The cells past the shorter track are told by this alone.
    const std::int64_t last_a = a_.scenario.cells.last();
    const std::int64_t last_b = b_.scenario.cells.last();
    if (last_a != last_b) {
      say("route", std::nullopt,
          "track cells " + change("0–" + std::to_string(last_a), "0–" + std::to_string(last_b)));
    }
  }

  void stations() {
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

  void station(const StationView* x, const StationView* y) {
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
    if (x->time_s != y->time_s) tell(": time " + change(clock(x->time_s), clock(y->time_s)));
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
      values += (values.empty() ? ": " : ", ") + std::string(slot_fields[f].name) + " " +
                change(from, to);
    }
    if (!values.empty()) tell(values);
  }

  void signals() {
    along(
        a_.view.signals, b_.view.signals, +[](const SignalView& g) { return g.cell; },
        [this](const SignalView* x, const SignalView* y) { signal(x, y); }, claim_signal);
  }

  // The values of the signal record, as written: sx, s1, s2, s3, rapp, dx,
  // d1, d2, d3.
  static std::string aspects(const SignalView& g) {
    return numbers({g.sx, g.s1, g.s2, g.s3, g.rapp, g.dx, g.d1, g.d2, g.d3});
  }

  void signal(const SignalView* x, const SignalView* y) {
    if (x == nullptr || y == nullptr) {
      const std::int64_t cell = (y != nullptr ? y : x)->cell;
      say("signal", point_metres(cell),
          std::string(x == nullptr ? "signal added at " : "signal removed from ") +
              point_cell(cell));
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

  void slowdowns() {
    along(
        a_.view.slowdowns, b_.view.slowdowns, +[](const SlowdownView& s) { return s.start_cell; },
        [this](const SlowdownView* x, const SlowdownView* y) { slowdown(x, y); }, claim_slowdown);
  }

  void slowdown(const SlowdownView* x, const SlowdownView* y) {
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

  // The start point's values: speed, d_v and f_tt of the record.
  template <class Tell>
  static void start_values(const TrackCell& x, const TrackCell& y, const Tell& tell) {
    if (x.value1 != y.value1) {
      tell("speed " + change(x.value1, y.value1) + " km/h");
    }
    if (x.value2 != y.value2) tell("d_v " + change(x.value2, y.value2));
    if (x.value3 != y.value3) {
      tell("f_tt " + change(x.value3, y.value3));
    }
  }

  void speed_boards() {
    along(
        a_.view.speed_boards, b_.view.speed_boards, +[](const SpeedBoardView& s) { return s.cell; },
        [this](const SpeedBoardView* x, const SpeedBoardView* y) { speed_board(x, y); },
        claim_speed_board);
  }

  void speed_board(const SpeedBoardView* x, const SpeedBoardView* y) {
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

  void signboards() {
    along(
        a_.view.signboards, b_.view.signboards, +[](const SignboardView& s) { return s.cell; },
        [this](const SignboardView* x, const SignboardView* y) { signboard(x, y); },
        claim_signboard);
  }

  // The text's bytes as the slot holds them; none when the slot is not one.
  static std::string text_of(const Side& side, const SignboardView& board) {
    return board.slot >= 0 && board.slot < slot_count ? side.slot(board.slot).name : std::string();
  }

  void signboard(const SignboardView* x, const SignboardView* y) {
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

  // Cells that hold a point in one version only, in one message each way.
  void points_added_or_removed(std::string_view what, const std::string& noun, const CellSplit& s) {
    if (!s.only_b.empty()) {
      say(what, profile_metres(s.only_b.front()),
          noun + (s.only_b.size() == 1 ? "" : "s") + " added in " + stretch_cells(s.only_b));
    }
    if (!s.only_a.empty()) {
      say(what, profile_metres(s.only_a.front()),
          noun + (s.only_a.size() == 1 ? "" : "s") + " removed from " + stretch_cells(s.only_a));
    }
  }

  void abbattimento() {
    const CellSplit s = split(a_.view.abbattimento_cells, b_.view.abbattimento_cells);
    points_added_or_removed("abbattimento", "abbattimento point", s);
    for (const std::int64_t c : s.only_a) claim_abbattimento(a_, c, true);
    for (const std::int64_t c : s.only_b) claim_abbattimento(b_, c, true);
    const auto value = [](const TrackCell& c) {
      return c.kind == cell_kind::abbattimento ? std::to_string(c.value1) : std::string("none");
    };
    for (const std::int64_t c : s.both) {
      const std::string from = value(a_.at(c));
      const std::string to = value(b_.at(c));
      if (from != to) {
        say("abbattimento", profile_metres(c),
            "abbattimento point at " + cell_at(c, profile_metres(c)) + ": value " +
                change(from, to));
      }
      claim_abbattimento(a_, c, from != to);
      claim_abbattimento(b_, c, from != to);
    }
  }

  void fillers() {
    const auto cells_of = [](const Side& side) {
      std::vector<std::int64_t> out;
      for (std::int64_t c = 0; c <= side.scenario.cells.last(); ++c) {
        if (side.at(c).kind == cell_kind::montagna_filler) out.push_back(c);
      }
      return out;
    };
    const CellSplit s = split(cells_of(a_), cells_of(b_));
    points_added_or_removed("montagna", "montagna filler", s);
    for (const std::int64_t c : s.only_a) a_.ledger.claim_cell(c, cf::kind, true);
    for (const std::int64_t c : s.only_b) b_.ledger.claim_cell(c, cf::kind, true);
  }

  // Cells where the profile differs, as runs of one value in each version.
  void profile(const Profile& p) {
    const std::int64_t last = std::min(a_.scenario.cells.last(), b_.scenario.cells.last());
    std::int64_t from = -1;
    std::pair<int, int> run;
    for (std::int64_t c = 0; c <= last + 1; ++c) {
      const std::pair<int, int> here =
          c <= last ? std::pair(p.value(a_.at(c)), p.value(b_.at(c))) : std::pair(0, 0);
      const bool differs = here.first != here.second;
      if (from >= 0 && (!differs || here != run)) {
        say(p.what, profile_metres(from),
            std::string(p.words) + " " +
                change(profile_value(p, run.first), profile_value(p, run.second)) +
                std::string(p.unit) + " over " + std::to_string(profile_metres(from)) + "–" +
                metres(profile_metres(c)));
        from = -1;
      }
      if (differs && from < 0) {
        from = c;
        run = here;
      }
      if (differs) {
        a_.ledger.claim_cell(c, p.field, true);
        b_.ledger.claim_cell(c, p.field, true);
      }
    }
  }

  void geometry() {
    const std::optional<TrackPlan>& a = a_.scenario.plan;
    const std::optional<TrackPlan>& b = b_.scenario.plan;
    if (!a && !b) return;
    if (!a || !b) {
      say("geometry", std::nullopt,
          a ? "the first has a line file, the second has none"
            : "the second has a line file, the first has none");
      return;
    }
    const std::int64_t last = std::max(a->last_row(), b->last_row());
    for (std::int64_t row = 0; row <= last; ++row) {
      if (!same_row(*a, *b, row)) {
        say("geometry", row, "geometry differs from metre " + std::to_string(row) + " on");
        return;
      }
    }
  }

  // Every field that differs in a cell both versions have and that no
  // message above tells.
  void cells() {
    const std::int64_t last = std::min(a_.scenario.cells.last(), b_.scenario.cells.last());
    for (std::int64_t c = 0; c <= last; ++c) {
      if (a_.at(c) == b_.at(c)) continue;
      std::string changes;
      for (std::size_t f = 0; f < cell_fields.size(); ++f) {
        const int from = cell_fields[f].value(a_.at(c));
        const int to = cell_fields[f].value(b_.at(c));
        if (from == to || told(a_.ledger.cell(c, f), from == 0, b_.ledger.cell(c, f), to == 0)) {
          continue;
        }
        changes += (changes.empty() ? "" : ", ") + std::string(cell_fields[f].name) + " " +
                   change(from, to);
      }
      if (!changes.empty()) {
        say("cell", point_metres(c), "cell " + std::to_string(c) + ": " + changes);
      }
    }
  }

  void slots() {
    for (std::size_t n = 0; n < static_cast<std::size_t>(slot_count); ++n) {
      if (a_.scenario.slots[n] == b_.scenario.slots[n]) continue;
      std::string changes;
      for (std::size_t f = 0; f < slot_fields.size(); ++f) {
        const std::string from = slot_fields[f].raw(a_.scenario.slots[n]);
        const std::string to = slot_fields[f].raw(b_.scenario.slots[n]);
        const std::string zero = f == sf::name ? "" : "0";
        if (from == to ||
            told(a_.ledger.slot(n, f), from == zero, b_.ledger.slot(n, f), to == zero)) {
          continue;
        }
        const bool text = f == sf::name;
        changes += (changes.empty() ? "" : ", ") + std::string(slot_fields[f].name) + " " +
                   change(text ? quoted(from) : from, text ? quoted(to) : to) +
                   meaning(static_cast<int>(n), f);
      }
      if (!changes.empty()) say("slot", std::nullopt, "slot " + std::to_string(n) + ": " + changes);
    }
  }

  Side a_;
  Side b_;
  std::vector<Difference> out_;
};

std::string counted(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::vector<Difference> scenario_differences(const CompiledScenario& a, const CompiledScenario& b) {
  return Comparison(a, b).run();
}

std::string diff_report_text(const std::vector<Difference>& found) {
  if (found.empty()) return "identical\n";
  std::string text;
  for (const Difference& d : found) text += d.message + "\n";
  return text + counted(found.size(), "difference") + "\n";
}

std::string diff_report_json(const std::vector<Difference>& found) {
  std::string json = "[";
  for (std::size_t i = 0; i < found.size(); ++i) {
    const Difference& d = found[i];
    json += i == 0 ? "\n  " : ",\n  ";
    json += R"({"what": )" + json_string(d.what);
    json += R"(, "position_m": )" + (d.position_m ? std::to_string(*d.position_m) : "null");
    json += R"(, "message": )" + json_string(d.message) + "}";
  }
  return json + (found.empty() ? "]\n" : "\n]\n");
}

}  // namespace tracciato
