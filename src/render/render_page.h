#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/decode_compiled.h"

namespace tracciato {

// What `tracciato render` draws: the scenario's name and train number for
// the heading, and the route metres to draw (all of them by default).
struct RenderRequest {
  std::string scenario;
  std::string train_number;
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
};

// The route metres a page can draw: 0 to U·50, the start of the last cell.
std::int64_t drawable_metres(const CompiledScenario& scenario);

// Why the request's stretch cannot be drawn (it is empty, reversed or
// beyond the track), or nullopt.
std::optional<std::string> unfit_stretch(const CompiledScenario& scenario,
                                         const RenderRequest& request);

// The whole page: one self-contained HTML file, its SVG, style and script
// inline, nothing fetched. The request's stretch must be fit.
std::string render_page(const CompiledScenario& scenario, const RenderRequest& request);

}  // namespace tracciato
