#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/decode_compiled.h"
#include "model/scenario_view.h"

namespace tracciato::diff {

// Which feature each raw field of the two versions belongs to, and whether
// a message names that feature. A raw field that differs is reported on its
// own unless some message already tells why, so the differences are empty
// exactly when the records are identical.

// ---- The raw fields, in file order ----

struct CellField {
  std::string_view name;
  int (*value)(const TrackCell&);
};

inline constexpr std::array<CellField, 11> cell_fields = {{
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
inline constexpr std::size_t kind = 0;
inline constexpr std::size_t value1 = 1;
inline constexpr std::size_t value2 = 2;
inline constexpr std::size_t value3 = 3;
inline constexpr std::size_t value4 = 4;
inline constexpr std::size_t timer = 5;
inline constexpr std::size_t approach = 6;
inline constexpr std::size_t montagna_type = 7;
inline constexpr std::size_t speed_limit = 8;
inline constexpr std::size_t gradient = 9;
inline constexpr std::size_t adhesion = 10;
}  // namespace cf

// A slot field as its bytes or its decimal number: equal exactly when the
// fields are.
struct SlotField {
  std::string_view name;
  std::string (*raw)(const SlotRecord&);
};

inline constexpr std::array<SlotField, 16> slot_fields = {{
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
inline constexpr std::size_t kind = 0;
inline constexpr std::size_t area_start = 1;
inline constexpr std::size_t area_end = 2;
inline constexpr std::size_t position = 3;
inline constexpr std::size_t flag_a = 4;
inline constexpr std::size_t name = 5;
inline constexpr std::size_t num_a = 6;
inline constexpr std::size_t num_c = 8;
inline constexpr std::size_t num_d = 9;
inline constexpr std::size_t num_e = 10;
inline constexpr std::size_t flag_b = 14;
inline constexpr std::size_t time_s = 15;
}  // namespace sf

// What a header slot's field holds, as " (route length)"; empty for a field
// of no known meaning.
std::string meaning(int n, std::size_t field);

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
bool told(Account a, bool a_zero, Account b, bool b_zero);

// One scenario as the comparison sees it.
struct Side {
  const CompiledScenario& scenario;
  ScenarioView view;
  Ledger ledger;

  explicit Side(const CompiledScenario& s) : Side(s, view_of(s)) {}
  Side(const CompiledScenario& s, ScenarioView v)
      : scenario(s), view(std::move(v)), ledger(s.cells.last()) {}
  const TrackCell& at(std::int64_t cell) const { return *scenario.cells.find(cell); }
  const SlotRecord& slot(std::int64_t n) const {
    return scenario.slots[static_cast<std::size_t>(n)];
  }
};

// The raw fields each feature is written in, claimed on its side: for a
// feature that a message names when `reported`.
void claim_station(Side& side, const StationView& st, bool reported);
void claim_signal(Side& side, const SignalView& g, bool reported);
void claim_slowdown(Side& side, const SlowdownView& sd, bool reported);
void claim_speed_board(Side& side, const SpeedBoardView& board, bool reported);
void claim_signboard(Side& side, const SignboardView& board, bool reported);
void claim_abbattimento(Side& side, std::int64_t cell, bool reported);

}  // namespace tracciato::diff
