#pragma once

#include <vector>

namespace tracciato {

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

// The distance from `p` to the segment a–b.
double distance_to_segment(PlanePoint p, PlanePoint a, PlanePoint b);

// The polyline with the points dropped that lie within `tolerance` of the
// segment replacing them (Douglas–Peucker): every dropped point stays
// within `tolerance` of the result, and the first and last points are kept.
std::vector<PlanePoint> simplify_polyline(const std::vector<PlanePoint>& points, double tolerance);

}  // namespace tracciato
