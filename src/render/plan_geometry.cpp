#include "render/plan_geometry.h"

#include <cmath>
#include <cstddef>

namespace tracciato {

std::vector<PlanePoint> plan_points(const TrackPlan& plan) {
  std::vector<PlanePoint> out;
  out.reserve(static_cast<std::size_t>(plan.last_row() + 1));
  for (std::int64_t r = 0; r <= plan.last_row(); ++r) {
    if (plan.tag(r, 0) == PlanTag::empty || plan.tag(r, 1) == PlanTag::empty) break;
    out.push_back({plan.number(r, 0), plan.number(r, 1)});
  }
  return out;
}

std::vector<double> curvature_per_cell(const std::vector<PlanePoint>& points) {
  std::vector<double> out((points.size() + 49) / 50, 0.0);
  for (std::size_t q = 2; q < points.size(); ++q) {
    const double dx1 = points[q - 1].x - points[q - 2].x;
    const double dy1 = points[q - 1].y - points[q - 2].y;
    const double dx2 = points[q].x - points[q - 1].x;
    const double dy2 = points[q].y - points[q - 1].y;
    // Measured at the middle row; x east and y north make a counter-
    // clockwise turn, positive here, a turn to the left.
    const double length = std::sqrt(dx1 * dx1 + dy1 * dy1);
    const double angle = std::atan2(dx1 * dy2 - dy1 * dx2, dx1 * dx2 + dy1 * dy2);
    out[(q - 1) / 50] += length > 0.0 ? angle / length / 50.0 : 0.0;
  }
  return out;
}

}  // namespace tracciato
