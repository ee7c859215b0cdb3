#pragma once

#include "model/scenario_view.h"
#include "render/feature_records.h"
#include "render/stretch.h"
#include "render/svg_writer.h"

namespace tracciato {

// The profile's band of lineside features `top` pixels down: stations,
// signals, boards, slowdown points and abbattimento points in the stretch,
// each a focusable group carrying its kind and cell.
SvgElement lineside_band(const CompiledScenario& scenario, const ScenarioView& view,
                         const Stretch& stretch, const FeatureRecords& records, double top);

}  // namespace tracciato
