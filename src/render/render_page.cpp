#include "render/render_page.h"

#include <string_view>

#include "model/chainage.h"
#include "model/scenario_view.h"
#include "render/feature_records.h"
#include "render/plan_geometry.h"
#include "render/plan_view.h"
#include "render/profile_view.h"
#include "render/svg_writer.h"

namespace tracciato {
namespace data {
extern const std::string_view render_page_style;
extern const std::string_view render_page_script;
}  // namespace data

namespace {

std::string summary(const ScenarioView& v, const Stretch& stretch, const FeatureRecords& r) {
  return "Route length " + std::to_string(v.route_length) + " m; drawn from " + r.at(stretch.from) +
         " to " + r.at(stretch.to) + ". " + std::to_string(v.stations.size()) + " stations, " +
         std::to_string(v.signals.size()) + " signals, " + std::to_string(v.slowdowns.size()) +
         " slowdowns, " + std::to_string(v.speed_boards.size()) + " speed-indicator boards, " +
         std::to_string(v.signboards.size()) + " signboards, " +
         std::to_string(v.abbattimento_cells.size()) + " abbattimento points on the route.";
}

}  // namespace

std::int64_t drawable_metres(const CompiledScenario& scenario) {
  return scenario.cells.last() * 50;
}

std::optional<std::string> unfit_stretch(const CompiledScenario& scenario,
                                         const RenderRequest& request) {
  const std::int64_t end = drawable_metres(scenario);
  const std::int64_t from = request.from.value_or(0);
  const std::int64_t to = request.to.value_or(end);
  if (from < 0) return "--from " + std::to_string(from) + " lies before the start of the route";
  if (to > end) {
    return "--to " + std::to_string(to) + " lies beyond the end of the track, " +
           std::to_string(end) + " m";
  }
  if (from >= to) {
    return "--from " + std::to_string(from) + " must lie before --to " + std::to_string(to);
  }
  return std::nullopt;
}

std::string render_page(const CompiledScenario& scenario, const RenderRequest& request) {
  const ScenarioView view = view_of(scenario);
  const Stretch stretch{request.from.value_or(0), request.to.value_or(drawable_metres(scenario))};
  const Chainage km(scenario.slots);
  const FeatureRecords records(km);
  std::optional<std::vector<PlanePoint>> points;
  if (scenario.plan) points = plan_points(*scenario.plan);
  const std::string name = xml_escaped(request.scenario + ", train " + request.train_number);
  std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>" + name + "</title>\n<style>\n";
  page += data::render_page_style;
  page += "</style>\n</head>\n<body>\n<header><h1>" + name + "</h1>\n<p>" +
          xml_escaped(summary(view, stretch, records)) + "</p></header>\n";
  page += "<section><h2>Plan</h2>\n";
  page += points ? plan_view(*points, view, stretch, km, records)
                 : "<p class=\"note\">No line file: the route has no plan view.</p>";
  page +=
      "\n</section>\n<section><h2>Profile</h2>\n<p class=\"hint\">Drag across the profile to "
      "zoom into a stretch; hover or tab to a feature for its record. "
      "<button id=\"reset\" type=\"button\">Reset zoom</button></p>\n";
  page += profile_view(scenario, view, points, stretch, km, records);
  page += "\n</section>\n<div id=\"tooltip\" hidden></div>\n<script>\n";
  page += data::render_page_script;
  return page + "</script>\n</body>\n</html>\n";
}

}  // namespace tracciato
