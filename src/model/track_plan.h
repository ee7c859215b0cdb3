#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace tracciato {

// One element of the track plan: empty, a 16-bit integer or a double.
using PlanValue = std::variant<std::monostate, std::int16_t, double>;

// The planar geometry of the route, rows 0 .. N (one per metre), columns 0
// (across the initial direction) and 1 (along it).
class TrackPlan {
 public:
  explicit TrackPlan(std::int64_t last_row)
      : columns_{std::vector<PlanValue>(static_cast<std::size_t>(last_row + 1)),
                 std::vector<PlanValue>(static_cast<std::size_t>(last_row + 1))} {}

  std::int64_t last_row() const { return static_cast<std::int64_t>(columns_[0].size()) - 1; }
  bool contains(std::int64_t row) const { return row >= 0 && row <= last_row(); }

  // Writes outside the rows are refused: the caller has checked the bound
  // and treats a refusal as a fault of its own.
  bool set(std::int64_t row, int column, PlanValue value) {
    if (!contains(row) || column < 0 || column > 1) return false;
    columns_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = value;
    return true;
  }
  // A value as a double (empty reads as 0), for the integration.
  double number(std::int64_t row, int column) const;
  const std::vector<PlanValue>& column(int c) const {
    return columns_[static_cast<std::size_t>(c)];
  }

 private:
  std::array<std::vector<PlanValue>, 2> columns_;
};

}  // namespace tracciato
