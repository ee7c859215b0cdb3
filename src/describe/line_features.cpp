#include "describe/line_features.h"

#include <algorithm>
#include <array>
#include <limits>

#include "describe/field_reader.h"
#include "model/error_record.h"
#include "model/low_bits.h"
#include "model/rounding.h"

namespace tracciato {
namespace {

std::int16_t checked_16(std::int64_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw ReadFailure("the speed code " + std::to_string(value) + " does not fit in -32768..32767");
  }
  return static_cast<std::int16_t>(value);
}

// round(right / 5 + left * 20), exactly.
std::int16_t speed_code(std::int32_t left, std::int32_t right) {
  return checked_16(round_half_even_div(std::int64_t{right} + 100 * std::int64_t{left}, 5));
}

struct Progressive {
  std::int32_t start = 0;
  std::int32_t offset = 0;
  std::int32_t flag = 0;
};

Progressive progressive_of(const SlotRecord& s) {
  return {s.area_start, s.area_end, s.position};
}

void store(SlotRecord& s, const Progressive& p) {
  s.area_start = p.start;
  s.area_end = p.offset;
  s.position = p.flag;
}

}  // namespace

void memo_montagna(ScenarioModel& model, MontagnaRecord& r) {
  bool fillers = false;
  if (r.tipo > 10) {
    r.tipo -= 10;
    fillers = true;
  }
  if (model.montagna_count >= montagna_capacity) {
    throw ReadFailure("more than 80 montagna records");
  }
  const int k = ++model.montagna_count;
  model.montagna_start[static_cast<std::size_t>(k)] = r.inizio;
  model.montagna_end[static_cast<std::size_t>(k)] = r.fine;
  if (k > 1 &&
      std::int64_t{r.inizio} - model.montagna_end[static_cast<std::size_t>(k - 1)] <= 150) {
    r.tipo = 3;
  }
  CellArray& cells = *model.cells;
  const std::int64_t first = round_half_even_div(r.inizio, 50);
  const std::int64_t last =
      std::min(round_half_even_div(std::int64_t{r.fine} - 50, 50), cells.last());
  // Cells before 0 are never laid but still count for the every-fourth
  // filler: cell i is the (i - first + 1)-th of the range wherever the range
  // starts, so the walk begins at cell 0 and costs only the cells it lays.
  for (std::int64_t i = std::max<std::int64_t>(first, 0); i <= last; ++i) {
    TrackCell& cell = *cells.find(i);
    cell.montagna_type = low_8(r.tipo);
    const std::int64_t j = i - first + 1;
    if (fillers && j % 4 == 0 && cell.kind == cell_kind::empty && (i - 4) * 50 < r.fine) {
      cell.kind = cell_kind::montagna_filler;
    }
  }
}

bool memo_indicatori_v_max(ScenarioModel& model, const SpeedBoardRecord& r) {
  TrackCell* cell = claim_free_cell(model, point_cell(r.posizione),
                                    ErrorCode::speed_board_cell_taken, r.posizione);
  if (cell == nullptr) return false;
  // Written in this order, so a code that does not fit leaves the ones before it.
  cell->kind = cell_kind::speed_indicator;
  cell->value1 = speed_code(r.vas, r.vad);
  cell->value2 = speed_code(r.vbs, r.vbd);
  cell->value3 = speed_code(r.vcs, r.vcd);
  const auto left = static_cast<std::uint16_t>(r.strisces);
  const auto right = static_cast<std::uint16_t>(r.strisced);
  cell->value4 = static_cast<std::int16_t>(static_cast<std::uint16_t>(left * 10U + right));
  return true;
}

void progressive_ordina(ScenarioModel& model) {
  SlotTable& slots = model.slots;
  const std::array<Progressive, 3> t = {progressive_of(slots[slot::progressive_tre]),
                                        progressive_of(slots[slot::progressive_due]),
                                        progressive_of(slots[slot::progressive_uno])};
  std::array<Progressive, 3> ordered{};  // all zero unless an order is found
  if (std::int64_t{t[0].start} + t[1].start + t[2].start != 0) {
    // The one start greater than both others comes first; of the other two
    // the greater start, or on a tie the one from the higher slot, next.
    for (std::size_t top = 0; top < 3; ++top) {
      const std::size_t a = (top + 1) % 3;
      const std::size_t b = (top + 2) % 3;
      if (t[top].start > t[a].start && t[top].start > t[b].start) {
        const std::size_t low_slot = std::min(a, b);  // index 0 is slot 81
        const std::size_t high_slot = std::max(a, b);
        const bool high_first = t[high_slot].start >= t[low_slot].start;
        ordered = {t[top], t[high_first ? high_slot : low_slot],
                   t[high_first ? low_slot : high_slot]};
      }
    }
  } else if (t[2].offset > 0) {
    ordered = {t[2], t[1], t[0]};
  } else if (t[1].offset > 0) {
    ordered = {t[1], t[0], t[2]};
  } else if (t[0].offset > 0) {
    ordered = t;
  }
  for (Progressive& p : ordered) {
    if (p.flag == 1) {
      if (p.offset > std::numeric_limits<std::int32_t>::max() - 100) {
        throw ReadFailure("a progressive's offset + 100 does not fit 32 bits");
      }
      p.offset += 100;
    }
  }
  store(slots[slot::progressive_tre], ordered[0]);
  store(slots[slot::progressive_due], ordered[1]);
  store(slots[slot::progressive_uno], ordered[2]);
}

}  // namespace tracciato
