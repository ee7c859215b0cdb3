#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/decode_compiled.h"
#include "model/scenario_view.h"

namespace tracciato {

// One difference between two compiled versions of a scenario, in words;
// `position_m` is the route metre it concerns, if any.
struct Difference {
  // "route", "station", "signal", "slowdown", "speed-indicator board",
  // "signboard", "abbattimento", "montagna", "speed limit", "gradient",
  // "adhesion", "geometry", or "cell" and "slot" for a raw field that no
  // feature accounts for.
  std::string what;
  std::optional<std::int64_t> position_m;
  std::string message;

  friend bool operator==(const Difference&, const Difference&) = default;
};

// What changed from `a` to `b`, feature by feature, then every raw field of
// a cell or slot that differs and that none of those words accounts for. The
// list is empty exactly when the records of the two are identical: the plan
// is compared when both have one, and a plan in one only is a difference.
std::vector<Difference> scenario_differences(const CompiledScenario& a, const CompiledScenario& b);
// The same, with `a_view` = view_of(a) made beforehand: a view costs a pass
// over the whole plan, so comparing many scenarios with one makes it once.
std::vector<Difference> scenario_differences(const CompiledScenario& a, const ScenarioView& a_view,
                                             const CompiledScenario& b);

// One line per difference, then "N differences", or "identical" alone;
// control characters of names and texts shown as U+FFFD (terminal_text).
std::string diff_report_text(const std::vector<Difference>& found);
// A JSON array of {"what", "position_m" (a number or null), "message"}.
std::string diff_report_json(const std::vector<Difference>& found);

}  // namespace tracciato
