#pragma once

#include <string>

#include "model/scenario_view.h"
#include "render/feature_records.h"
#include "render/polyline_simplify.h"
#include "render/stretch.h"

namespace tracciato {

// The route along one axis of route metres, labelled in kilometre
// readings: elevation from the gradients, the speed limit with the
// slowdowns, the plan's curvature, the structures, the lineside features
// and, when it varies, the adhesion. `plan` holds the plan's points
// (plan_points), when there is a line file. One <svg> element.
std::string profile_view(const CompiledScenario& scenario, const ScenarioView& view,
                         const std::optional<std::vector<PlanePoint>>& plan, const Stretch& stretch,
                         const Chainage& km, const FeatureRecords& records);

}  // namespace tracciato
