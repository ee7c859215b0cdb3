#include "model/track_plan.h"

namespace tracciato {

double TrackPlan::number(std::int64_t row, int column) const {
  if (!contains(row) || column < 0 || column > 1) return 0.0;
  const PlanValue& v = columns_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
  if (const auto* i = std::get_if<std::int16_t>(&v)) return *i;
  if (const auto* d = std::get_if<double>(&v)) return *d;
  return 0.0;
}

}  // namespace tracciato
