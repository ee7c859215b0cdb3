// The comparison in order; the route, the stretch features and profiles, the
// geometry and the raw fields that no message tells; and the two reports.

#include "readback/scenario_diff.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>
#include <utility>

#include "platform/json.h"
#include "platform/terminal_text.h"
#include "readback/diff_comparison.h"
#include "readback/diff_words.h"

namespace tracciato {
namespace diff {

// A stretch profile, compared cell by cell.
struct Profile {
  std::string_view what;
  std::string_view words;
  std::size_t field;
  int (*value)(const TrackCell&);
  std::string_view unit;
};

namespace {

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
  return same_element(a.at(row, 0), b.at(row, 0)) && same_element(a.at(row, 1), b.at(row, 1));
}

}  // namespace

std::vector<Difference> Comparison::run() {
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

void Comparison::route() {
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

// Cells that hold a point in one version only, in one message each way.
void Comparison::points_added_or_removed(std::string_view what, const std::string& noun,
                                         const CellSplit& s) {
  if (!s.only_b.empty()) {
    say(what, profile_metres(s.only_b.front()),
        noun + (s.only_b.size() == 1 ? "" : "s") + " added in " + stretch_cells(s.only_b));
  }
  if (!s.only_a.empty()) {
    say(what, profile_metres(s.only_a.front()),
        noun + (s.only_a.size() == 1 ? "" : "s") + " removed from " + stretch_cells(s.only_a));
  }
}

void Comparison::abbattimento() {
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
          "abbattimento point at " + cell_at(c, profile_metres(c)) + ": value " + change(from, to));
    }
    claim_abbattimento(a_, c, from != to);
    claim_abbattimento(b_, c, from != to);
  }
}

void Comparison::fillers() {
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
void Comparison::profile(const Profile& p) {
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

void Comparison::geometry() {
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
void Comparison::cells() {
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
      changes +=
          (changes.empty() ? "" : ", ") + std::string(cell_fields[f].name) + " " + change(from, to);
    }
    if (!changes.empty()) {
      say("cell", point_metres(c), "cell " + std::to_string(c) + ": " + changes);
    }
  }
}

void Comparison::slots() {
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

}  // namespace diff

namespace {

std::string counted(std::size_t n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::vector<Difference> scenario_differences(const CompiledScenario& a, const CompiledScenario& b) {
  return diff::Comparison(a, b).run();
}

std::vector<Difference> scenario_differences(const CompiledScenario& a, const ScenarioView& a_view,
                                             const CompiledScenario& b) {
  return diff::Comparison(a, a_view, b).run();
}

std::string diff_report_text(const std::vector<Difference>& found) {
  if (found.empty()) return "identical\n";
  std::string text;
  // A message may quote a name or a signboard text: its control characters
  // never reach the terminal (JSON escapes them instead).
  for (const Difference& d : found) text += terminal_text(d.message) + "\n";
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
