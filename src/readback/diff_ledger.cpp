#include "readback/diff_ledger.h"

namespace tracciato::diff {
namespace {

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

}  // namespace

std::string meaning(int n, std::size_t field) {
  // The three progressives share one layout.
  if (n == slot::progressive_due || n == slot::progressive_uno) n = slot::progressive_tre;
  for (const Meaning& m : header_meanings) {
    if (m.slot == n && m.field == field) return " (" + std::string(m.text) + ")";
  }
  return {};
}

bool told(Account a, bool a_zero, Account b, bool b_zero) {
  if (a_zero) a = std::max(a, Account::feature);
  if (b_zero) b = std::max(b, Account::feature);
  return a != Account::none && b != Account::none &&
         (a == Account::reported || b == Account::reported);
}

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

}  // namespace tracciato::diff
