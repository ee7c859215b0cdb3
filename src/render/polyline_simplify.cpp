#include "render/polyline_simplify.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace tracciato {

namespace {

// Squared, as the search for the farthest point compares it: no root per point.
double squared_distance(PlanePoint p, PlanePoint a, PlanePoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = 0.0;
  if (length2 > 0.0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
  const double ex = p.x - (a.x + t * dx);
  const double ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

}  // namespace

double distance_to_segment(PlanePoint p, PlanePoint a, PlanePoint b) {
  return std::sqrt(squared_distance(p, a, b));
}

std::vector<PlanePoint> simplify_polyline(const std::vector<PlanePoint>& points, double tolerance) {
  if (points.size() < 3) return points;
  std::vector<bool> kept(points.size(), false);
  kept.front() = true;
  kept.back() = true;
  // An explicit stack: a route of many kilometres has tens of thousands of
  // points, too deep a recursion for a straight run split point by point.
  std::vector<std::pair<std::size_t, std::size_t>> pending{{0, points.size() - 1}};
  while (!pending.empty()) {
    const auto [first, last] = pending.back();
    pending.pop_back();
    double farthest = -1.0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = squared_distance(points[i], points[first], points[last]);
      if (d > farthest) {
        farthest = d;
        at = i;
      }
    }
    if (farthest <= tolerance * tolerance) continue;
    kept[at] = true;
    pending.emplace_back(first, at);
    pending.emplace_back(at, last);
  }
  std::vector<PlanePoint> out;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (kept[i]) out.push_back(points[i]);
  }
  return out;
}

}  // namespace tracciato
