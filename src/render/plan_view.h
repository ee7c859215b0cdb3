#pragma once

#include <string>

#include "model/scenario_view.h"
#include "render/feature_records.h"
#include "render/polyline_simplify.h"
#include "render/stretch.h"

namespace tracciato {

// The route seen from above, from the plan's points (plan_points), north up and one scale on both
// axes: the path of the plan's rows within the stretch, its stations and kilometre ticks, a scale
// bar. An <svg> element; a short note instead when the plan holds no row of the stretch.
std::string plan_view(const std::vector<PlanePoint>& points, const ScenarioView& view,
                      const Stretch& stretch, const Chainage& km, const FeatureRecords& records);

// The lengths a scale bar may take: 1, 2 or 5 times a power of ten metres,
// the smallest at least `metres` long.
double scale_bar_metres(double metres);

}  // namespace tracciato
