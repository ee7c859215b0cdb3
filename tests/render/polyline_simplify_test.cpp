#include "render/polyline_simplify.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <numbers>

namespace tracciato {
namespace {

// A route-like path, one point per metre: a straight, a left curve of
// radius 300 m, a slight wobble a simplifier must not smooth away beyond
// the tolerance, and a right curve.
std::vector<PlanePoint> route_like() {
  std::vector<PlanePoint> p;
  for (int m = 0; m <= 500; ++m) p.push_back({0.0, static_cast<double>(m)});
  const double r = 300.0;
  for (int m = 1; m <= 470; ++m) {
    const double a = m / r;
    p.push_back({-r + r * std::cos(a), 500.0 + r * std::sin(a)});
  }
  const PlanePoint corner = p.back();
  for (int m = 1; m <= 300; ++m) {
    p.push_back({corner.x - m, corner.y + 0.8 * std::sin(m / 7.0)});
  }
  const PlanePoint turn = p.back();
  for (int m = 1; m <= 400; ++m) {
    const double a = m / 250.0;
    p.push_back({turn.x - 250.0 * std::sin(a), turn.y + 250.0 - 250.0 * std::cos(a)});
  }
  return p;
}

// Every point of `original` within `tolerance` of the stretch of the
// simplified line between the kept points around it.
double largest_shift(const std::vector<PlanePoint>& original,
                     const std::vector<PlanePoint>& simple) {
  double largest = 0.0;
  std::size_t k = 0;
  for (const PlanePoint& p : original) {
    const bool is_kept = k < simple.size() && p.x == simple[k].x && p.y == simple[k].y;
    if (is_kept) {
      ++k;
      continue;
    }
    largest = std::max(largest, distance_to_segment(p, simple[k - 1], simple[k]));
  }
  EXPECT_EQ(k, simple.size()) << "the simplified points are not a subsequence";
  return largest;
}

TEST(PolylineSimplify, NoPointMovesMoreThanTheTolerance) {
  const std::vector<PlanePoint> path = route_like();
  for (const double tolerance : {0.05, 0.5, 2.0}) {
    const std::vector<PlanePoint> simple = simplify_polyline(path, tolerance);
    EXPECT_LE(largest_shift(path, simple), tolerance) << tolerance;
    EXPECT_LT(simple.size(), path.size() / 4) << tolerance;
    EXPECT_EQ(simple.front().y, path.front().y);
    EXPECT_EQ(simple.back().x, path.back().x);
    EXPECT_EQ(simple.back().y, path.back().y);
  }
}

TEST(PolylineSimplify, AStraightLineKeepsItsTwoEnds) {
  std::vector<PlanePoint> line;
  for (int m = 0; m <= 20000; ++m) line.push_back({0.6 * m, -0.8 * m});
  const std::vector<PlanePoint> simple = simplify_polyline(line, 0.5);
  ASSERT_EQ(simple.size(), 2U);
  EXPECT_EQ(simple[1].x, line.back().x);
  EXPECT_EQ(simple[1].y, line.back().y);
  // Too short to drop anything, and a closed loop whose ends coincide.
  EXPECT_EQ(simplify_polyline({{0, 0}, {1, 1}}, 0.5).size(), 2U);
  const std::vector<PlanePoint> loop{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  EXPECT_EQ(simplify_polyline(loop, 0.5).size(), 5U);
}

}  // namespace
}  // namespace tracciato
