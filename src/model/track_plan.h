#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <variant>

#include "platform/zeroed_pages.h"

namespace tracciato {

// One element of the track plan: empty, a 16-bit integer or a double.
using PlanValue = std::variant<std::monostate, std::int16_t, double>;

// How an element is stored, with the tag it carries in the line file.
enum class PlanTag : std::uint8_t { empty = 0, integer = 2, real = 5 };

// The planar geometry of the route, rows 0 .. N (one per metre), columns 0
// (across the initial direction) and 1 (along it).
//
// A long route has a million rows, so each column is a plain array of
// doubles with a tag byte per element beside it (an integer is held exactly
// as a double). Both arrays start out as zeroed pages (a zero double is
// +0.0, a zero tag is empty): a fresh plan is all empty without a pass that
// writes every row, and rows the route never reaches cost no memory.
class TrackPlan {
 public:
  explicit TrackPlan(std::int64_t last_row);
  TrackPlan(const TrackPlan& other);
  TrackPlan& operator=(const TrackPlan& other);
  // A plan moved from is left with no rows.
  TrackPlan(TrackPlan&& other) noexcept
      : rows_(std::exchange(other.rows_, 0)),
        memory_(std::move(other.memory_)),
        values_(std::exchange(other.values_, nullptr)),
        tags_(std::exchange(other.tags_, nullptr)) {}
  TrackPlan& operator=(TrackPlan&& other) noexcept {
    rows_ = std::exchange(other.rows_, 0);
    memory_ = std::move(other.memory_);
    values_ = std::exchange(other.values_, nullptr);
    tags_ = std::exchange(other.tags_, nullptr);
    return *this;
  }
  ~TrackPlan() = default;

  std::int64_t last_row() const { return rows_ - 1; }
  bool contains(std::int64_t row) const { return row >= 0 && row < rows_; }

  // Writes outside the rows are refused: the caller has checked the bound
  // and treats a refusal as a fault of its own.
  bool set(std::int64_t row, int column, PlanValue value);
  bool set_number(std::int64_t row, int column, double value) {
    if (!contains(row) || column < 0 || column > 1) return false;
    put(row, column, PlanTag::real, value);
    return true;
  }

  PlanTag tag(std::int64_t row, int column) const {
    return contains(row) && column >= 0 && column <= 1 ? tags_[index(row, column)] : PlanTag::empty;
  }
  // A value as a double (empty reads as 0), for the integration.
  double number(std::int64_t row, int column) const {
    return contains(row) && column >= 0 && column <= 1 ? values_[index(row, column)] : 0.0;
  }
  PlanValue at(std::int64_t row, int column) const;

  // A whole column at once, rows 0 .. N, for the integration and the writer.
  std::span<double> values(int column) { return {values_ + offset(column), size()}; }
  std::span<PlanTag> tags(int column) { return {tags_ + offset(column), size()}; }
  std::span<const double> values(int column) const { return {values_ + offset(column), size()}; }
  std::span<const PlanTag> tags(int column) const { return {tags_ + offset(column), size()}; }

 private:
  std::size_t size() const { return static_cast<std::size_t>(rows_); }
  std::size_t offset(int column) const { return column == 0 ? 0 : size(); }
  std::size_t index(std::int64_t row, int column) const {
    return static_cast<std::size_t>(column) * static_cast<std::size_t>(rows_) +
           static_cast<std::size_t>(row);
  }
  void put(std::int64_t row, int column, PlanTag tag, double value) {
    tags_[index(row, column)] = tag;
    values_[index(row, column)] = value;
  }

  std::int64_t rows_;
  // The values, column 0's rows then column 1's (the order of the line
  // file), then the tags in the same order, in one block.
  ZeroedPages memory_;
  double* values_;
  PlanTag* tags_;
};

}  // namespace tracciato
