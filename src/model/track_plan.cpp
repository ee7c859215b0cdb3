#include "model/track_plan.h"

#include <algorithm>

namespace tracciato {
TrackPlan::TrackPlan(std::int64_t last_row)
    : rows_(last_row + 1 > 0 ? last_row + 1 : 0),
      memory_(static_cast<std::size_t>(2 * rows_) * (sizeof(double) + sizeof(PlanTag))),
      values_(static_cast<double*>(memory_.data())),
      tags_(static_cast<PlanTag*>(static_cast<void*>(values_ + 2 * rows_))) {}

TrackPlan::TrackPlan(const TrackPlan& other) : TrackPlan(other.last_row()) {
  const auto count = static_cast<std::size_t>(2 * rows_);
  std::copy_n(other.values_, count, values_);
  std::copy_n(other.tags_, count, tags_);
}

TrackPlan& TrackPlan::operator=(const TrackPlan& other) {
  if (this != &other) *this = TrackPlan(other);
  return *this;
}

bool TrackPlan::set(std::int64_t row, int column, PlanValue value) {
  if (!contains(row) || column < 0 || column > 1) return false;
  if (const auto* i = std::get_if<std::int16_t>(&value)) {
    put(row, column, PlanTag::integer, *i);
  } else if (const auto* d = std::get_if<double>(&value)) {
    put(row, column, PlanTag::real, *d);
  } else {
    put(row, column, PlanTag::empty, 0.0);
  }
  return true;
}

PlanValue TrackPlan::at(std::int64_t row, int column) const {
  switch (tag(row, column)) {
    case PlanTag::integer:
      return static_cast<std::int16_t>(number(row, column));
    case PlanTag::real:
      return number(row, column);
    case PlanTag::empty:
      break;
  }
  return std::monostate{};
}

}  // namespace tracciato
