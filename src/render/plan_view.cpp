#include "render/plan_view.h"

#include <algorithm>
#include <cmath>

#include "render/label_rows.h"
#include "render/plan_geometry.h"
#include "render/svg_writer.h"

namespace tracciato {
namespace {

constexpr double margin = 40.0;
constexpr double most_height = 380.0;

// Plan metres onto the picture: north up, the same scale both ways.
struct PlanFrame {
  double min_x = 0.0;
  double max_y = 0.0;
  double scale = 1.0;  // pixels per metre
  double width = 0.0;
  double height = 0.0;

  PlanFrame(const std::vector<PlanePoint>& points, double most_width)
      : width(most_width + 2.0 * margin) {
    double max_x = points.front().x;
    double min_y = points.front().y;
    min_x = max_x;
    max_y = min_y;
    for (const PlanePoint& p : points) {
      min_x = std::min(min_x, p.x);
      max_x = std::max(max_x, p.x);
      min_y = std::min(min_y, p.y);
      max_y = std::max(max_y, p.y);
    }
    const double span_x = std::max(max_x - min_x, 1.0);
    const double span_y = std::max(max_y - min_y, 1.0);
    scale = std::min(most_width / span_x, most_height / span_y);
    // A narrow path stays centred across the page.
    min_x -= (most_width / scale - span_x) / 2.0;
    height = span_y * scale + 2.0 * margin;
  }
  double px(const PlanePoint& p) const { return margin + (p.x - min_x) * scale; }
  double py(const PlanePoint& p) const { return margin + (max_y - p.y) * scale; }
};

std::string path_data(const std::vector<PlanePoint>& points, const PlanFrame& f) {
  std::string d;
  d.reserve(points.size() * 14);
  for (const PlanePoint& p : points) {
    d += d.empty() ? "M" : " ";
    d += coordinate(f.px(p)) + " " + coordinate(f.py(p));
  }
  return d;
}

SvgElement text_at(double x, double y, std::string_view text, std::string_view css) {
  SvgElement t("text");
  t.number("x", x).number("y", y).attr("class", css).text(text);
  return t;
}

// Every whole kilometre of the line's own reading: a short stroke across
// the path, labelled at a step that keeps about twenty labels.
void kilometre_ticks(SvgElement& svg, const std::vector<PlanePoint>& points, const PlanFrame& f,
                     const Stretch& stretch, const Chainage& km) {
  const std::int64_t last = std::min<std::int64_t>(stretch.to, std::ssize(points) - 2);
  const std::int64_t kilometres = (last - stretch.from) / 1000;
  std::int64_t step = 1;
  for (const std::int64_t s : {1, 2, 5, 10, 20, 50, 100}) {
    step = s;
    if (kilometres / s <= 20) break;
  }
  for (std::int64_t m = std::max<std::int64_t>(stretch.from, 1); m <= last; ++m) {
    const std::int64_t reading = km.reading(m);
    if (reading % 1000 != 0) continue;
    const auto at = static_cast<std::size_t>(m);
    const double dx = f.px(points[at + 1]) - f.px(points[at - 1]);
    const double dy = f.py(points[at + 1]) - f.py(points[at - 1]);
    const double length = std::max(std::hypot(dx, dy), 1e-9);
    const double nx = -dy / length * 5.0;
    const double ny = dx / length * 5.0;
    const double x = f.px(points[at]);
    const double y = f.py(points[at]);
    SvgElement tick("g");
    tick.attr("class", "km-tick").title("km " + km.at(m) + ", route " + std::to_string(m) + " m");
    SvgElement stroke("line");
    stroke.number("x1", x - nx).number("y1", y - ny).number("x2", x + nx).number("y2", y + ny);
    tick.add(stroke);
    if ((reading / 1000) % step == 0) {
      tick.add(text_at(x + nx * 1.6, y + ny * 1.6 + 3.0, std::to_string(reading / 1000), "km"));
    }
    svg.add(tick);
  }
}

void stations(SvgElement& svg, const std::vector<PlanePoint>& points, const PlanFrame& f,
              const ScenarioView& view, const Stretch& stretch, const FeatureRecords& records) {
  LabelBoxes labels;
  for (const StationView& s : view.stations) {
    if (!stretch.holds(s.position) || s.position >= std::ssize(points)) continue;
    const PlanePoint& p = points[static_cast<std::size_t>(s.position)];
    const double x = f.px(p);
    const double y = f.py(p);
    SvgElement mark("g");
    mark.attr("class", "plan-station").attr("tabindex", "0").title(records.station(s));
    SvgElement dot("circle");
    dot.number("cx", x).number("cy", y).attr("r", "4");
    mark.add(dot);
    const double w = label_width(s.name);
    // Right, left, above, below: the first place no label took before.
    for (const auto& [lx, ly] :
         {std::pair{x + 7.0, y + 4.0}, std::pair{x - 7.0 - w, y + 4.0},
          std::pair{x - w / 2.0, y - 8.0}, std::pair{x - w / 2.0, y + 17.0}}) {
      if (labels.place(lx, ly - 10.0, w, 12.0)) {
        mark.add(text_at(lx, ly, s.name, "name"));
        break;
      }
    }
    svg.add(mark);
  }
}

void scale_bar_and_north(SvgElement& svg, const PlanFrame& f) {
  const double metres = scale_bar_metres(100.0 / f.scale);
  const double length = metres * f.scale;
  const double y = f.height - 14.0;
  SvgElement bar("g");
  bar.attr("class", "scale-bar");
  SvgElement line("path");
  line.attr("d", "M" + coordinate(margin) + " " + coordinate(y - 5.0) + " V" + coordinate(y) +
                     " H" + coordinate(margin + length) + " V" + coordinate(y - 5.0));
  bar.add(line);
  const std::string label =
      metres >= 1000.0 ? coordinate(metres / 1000.0, 0) + " km" : coordinate(metres, 0) + " m";
  bar.add(text_at(margin + length + 6.0, y, label, "km"));
  svg.add(bar);
  SvgElement north("g");
  north.attr("class", "north");
  SvgElement arrow("path");
  const double x = f.width - 24.0;
  arrow.attr("d", "M" + coordinate(x) + " 12 l-6 18 h12 z");
  north.add(arrow).add(text_at(x - 4.0, 44.0, "N", "name"));
  svg.add(north);
}

}  // namespace

double scale_bar_metres(double metres) {
  double power = std::pow(10.0, std::floor(std::log10(std::max(metres, 1.0))));
  for (;;) {
    for (const double m : {1.0, 2.0, 5.0}) {
      if (m * power >= metres) return m * power;
    }
    power *= 10.0;
  }
}

std::string plan_view(const std::vector<PlanePoint>& points, const ScenarioView& view,
                      const Stretch& stretch, const Chainage& km, const FeatureRecords& records) {
  const std::int64_t last = std::min<std::int64_t>(stretch.to, std::ssize(points) - 1);
  if (last - stretch.from < 1) {
    return "<p class=\"note\">The line file holds no point of this stretch.</p>";
  }
  const std::vector<PlanePoint> shown(points.begin() + stretch.from, points.begin() + last + 1);
  const PlanFrame f(shown, Stretch::page_width - 2.0 * margin);
  SvgElement svg("svg");
  svg.attr("id", "plan").attr("xmlns", "http://www.w3.org/2000/svg");
  svg.number("width", f.width, 0).number("height", f.height, 0);
  svg.attr("viewBox", "0 0 " + coordinate(f.width, 0) + " " + coordinate(f.height, 0));
  SvgElement path("path");
  path.attr("class", "plan-path").attr("d", path_data(simplify_polyline(shown, 0.5), f));
  svg.add(path);
  kilometre_ticks(svg, points, f, stretch, km);
  stations(svg, points, f, view, stretch, records);
  scale_bar_and_north(svg, f);
  return svg.markup();
}

}  // namespace tracciato
