#pragma once

#include <cstdint>
#include <vector>

namespace tracciato {

// One 50 m cell of the compiled track. Field order and widths are those of
// the track file: 15 bytes, no padding once written.
struct TrackCell {
  std::uint8_t kind = 0;
  std::int16_t value1 = 0;
  std::int16_t value2 = 0;
  std::int16_t value3 = 0;
  std::int16_t value4 = 0;
  std::uint8_t timer = 0;
  std::uint8_t approach = 0;
  std::uint8_t montagna_type = 0;
  std::uint8_t speed_limit = 0;
  std::uint8_t gradient = 0;
  std::uint8_t adhesion = 0;

  friend bool operator==(const TrackCell&, const TrackCell&) = default;
};

// What stands in a cell.
namespace cell_kind {
inline constexpr std::uint8_t empty = 0;
inline constexpr std::uint8_t signal = 1;
inline constexpr std::uint8_t slowdown_end = 2;
inline constexpr std::uint8_t slowdown_start = 3;
inline constexpr std::uint8_t slowdown_warning = 4;
inline constexpr std::uint8_t pre_warning = 5;
inline constexpr std::uint8_t speed_indicator = 6;
inline constexpr std::uint8_t stop = 10;
inline constexpr std::uint8_t montagna_filler = 11;
inline constexpr std::uint8_t abbattimento = 12;
inline constexpr std::uint8_t abbattimento_without_value = 13;
inline constexpr std::uint8_t signboard = 14;
}  // namespace cell_kind

// The cells 0 .. U of a track. Indices are route-derived and may fall
// outside the array: such a cell is never free and a write to it is
// dropped, so no placement can reach memory it does not own.
class CellArray {
 public:
  explicit CellArray(std::int64_t last) : cells_(static_cast<std::size_t>(last + 1)) {}

  std::int64_t last() const { return static_cast<std::int64_t>(cells_.size()) - 1; }
  bool contains(std::int64_t i) const { return i >= 0 && i <= last(); }

  // The cell at i, or nullptr when i lies outside 0 .. U.
  TrackCell* find(std::int64_t i) {
    return contains(i) ? &cells_[static_cast<std::size_t>(i)] : nullptr;
  }
  const TrackCell* find(std::int64_t i) const {
    return contains(i) ? &cells_[static_cast<std::size_t>(i)] : nullptr;
  }

  // A cell a feature may be laid on: empty or a montagna filler.
  bool is_free(std::int64_t i) const {
    const TrackCell* c = find(i);
    return c != nullptr && (c->kind == cell_kind::empty || c->kind == cell_kind::montagna_filler);
  }
  bool has_kind(std::int64_t i, std::uint8_t kind) const {
    const TrackCell* c = find(i);
    return c != nullptr && c->kind == kind;
  }

  const std::vector<TrackCell>& all() const { return cells_; }

 private:
  std::vector<TrackCell> cells_;
};

}  // namespace tracciato
