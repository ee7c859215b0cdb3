#pragma once

#include <vector>

#include "model/track_plan.h"
#include "render/polyline_simplify.h"

namespace tracciato {

// The plan's points, one per metre from row 0 up to the row before the
// first one not filled in both columns: x is column 0 (east), y column 1
// (north). Row r stands at route metre r.
std::vector<PlanePoint> plan_points(const TrackPlan& plan);

// The turn per metre, left positive, averaged over each 50 m cell: entry k
// covers the turns at rows 50k to 50k + 49.
std::vector<double> curvature_per_cell(const std::vector<PlanePoint>& points);

}  // namespace tracciato
