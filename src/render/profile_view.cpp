#include "render/profile_view.h"

#include <algorithm>
#include <cmath>

#include "render/label_rows.h"
#include "render/lineside_band.h"
#include "render/plan_geometry.h"
#include "render/profile_band.h"
#include "render/svg_writer.h"

namespace tracciato {
namespace {

constexpr double gap = 8.0;
constexpr double frame_top = 22.0;

// One value over route metres from..to, and the cells it came from.
struct Segment {
  double from = 0.0;
  double to = 0.0;
  double value = 0.0;
  std::int64_t from_cell = 0;
  std::int64_t to_cell = 0;
};

// The profile records' runs, each over cells k..l = metres 50k to 50(l+1),
// cut to the stretch.
std::vector<Segment> segments(const std::vector<Run>& runs, const Stretch& stretch) {
  std::vector<Segment> out;
  for (const Run& r : runs) {
    const std::int64_t a = std::max(profile_metres(r.from_cell), stretch.from);
    const std::int64_t b = std::min(profile_metres(r.to_cell + 1), stretch.to);
    if (a >= b) continue;
    out.push_back({static_cast<double>(a), static_cast<double>(b), static_cast<double>(r.value),
                   r.from_cell, r.to_cell});
  }
  return out;
}

std::pair<double, double> value_range(const std::vector<Segment>& segs, double low, double high) {
  for (const Segment& s : segs) {
    low = std::min(low, s.value);
    high = std::max(high, s.value);
  }
  return {low, high};
}

std::string step_path(const std::vector<Segment>& segs) {
  std::string d;
  for (const Segment& s : segs) {
    d += d.empty() ? "M" + point(s.from, s.value) : " V" + coordinate(-s.value, 2);
    d += " H" + coordinate(s.to, 0);
  }
  return d;
}

SvgElement path(std::string_view css, const std::string& d) {
  SvgElement p("path");
  p.attr("class", css).attr("d", d);
  return p;
}

// A transparent stripe over a run, for its hover text, and the run's value
// written over it where it fits.
void run_hovers(SvgElement& frame, SvgElement& band_group, const std::vector<Segment>& segs,
                const Stretch& stretch, double low, double high, const std::string& unit,
                const FeatureRecords& records) {
  for (const Segment& s : segs) {
    const std::string value = coordinate(s.value, 3) + unit;
    SvgElement stripe("rect");
    stripe.attr("class", "hover").number("x", s.from, 0).number("y", -high, 2);
    stripe.number("width", s.to - s.from, 0).number("height", high - low, 2);
    stripe.title(value + " from " + records.at(static_cast<std::int64_t>(s.from)) + " to " +
                 records.at(static_cast<std::int64_t>(s.to)) + ", cells " +
                 std::to_string(s.from_cell) + " to " + std::to_string(s.to_cell));
    frame.add(stripe);
    if (stretch.x(s.to) - stretch.x(s.from) > label_width(value)) {
      band_group.add(label(stretch, (s.from + s.to) / 2.0, 15.0, value, "run-value"));
    }
  }
}

void value_scale(SvgElement& g, double low, double high, double height, const std::string& unit) {
  for (const auto& [value, y] : {std::pair{high, frame_top + 8.0}, std::pair{low, height - 4.0}}) {
    SvgElement t("text");
    t.attr("class", "scale").number("x", Stretch::plot_left - 4.0).number("y", y);
    g.add(t.text(coordinate(value, 1) + unit));
  }
}

// Elevation is integrated from the gradients from metre 0, so a stretch
// shows the same heights as the whole route.
SvgElement elevation_band(const ScenarioView& v, const Stretch& stretch,
                          const FeatureRecords& records, double top) {
  constexpr double height = 150.0;
  std::vector<std::pair<double, double>> points{{0.0, 0.0}};
  for (const Run& r : v.gradient) {
    const auto length =
        static_cast<double>(profile_metres(r.to_cell + 1) - profile_metres(r.from_cell));
    points.emplace_back(static_cast<double>(profile_metres(r.to_cell + 1)),
                        points.back().second + r.value * length / 1000.0);
  }
  const auto height_at = [&points](double m) {
    auto after = std::lower_bound(points.begin(), points.end(), m,
                                  [](const auto& p, double metres) { return p.first < metres; });
    if (after == points.begin()) return after->second;
    if (after == points.end()) return points.back().second;
    const auto before = std::prev(after);
    return before->second +
           (after->second - before->second) * (m - before->first) / (after->first - before->first);
  };
  std::vector<std::pair<double, double>> shown;
  shown.emplace_back(stretch.from, height_at(static_cast<double>(stretch.from)));
  for (const auto& p : points) {
    if (p.first > static_cast<double>(stretch.from) && p.first < static_cast<double>(stretch.to)) {
      shown.push_back(p);
    }
  }
  shown.emplace_back(stretch.to, height_at(static_cast<double>(stretch.to)));
  double low = shown.front().second;
  double high = low;
  for (const auto& p : shown) {
    low = std::min(low, p.second);
    high = std::max(high, p.second);
  }
  low -= 2.0;
  high += 2.0;
  SvgElement g = band("elevation (m)", "elevation", top, height);
  SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, low, high);
  std::string d;
  for (const auto& [m, e] : shown) d += (d.empty() ? "M" : " L") + point(m, e);
  frame.add(path("line", d));
  const std::vector<Segment> slopes = segments(v.gradient, stretch);
  SvgElement labels("g");
  run_hovers(frame, labels, slopes, stretch, low, high, " ‰", records);
  value_scale(g, low, high, height, " m");
  return g.add(frame).add(labels);
}

SvgElement speed_band(const ScenarioView& v, const Stretch& stretch, const FeatureRecords& records,
                      double top) {
  constexpr double height = 130.0;
  const std::vector<Segment> limits = segments(v.speed_limit, stretch);
  const auto [low, high] = value_range(limits, 0.0, 10.0);
  SvgElement g = band("speed limit (km/h)", "speed", top, height);
  SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, low, high + 15.0);
  frame.add(path("line", step_path(limits)));
  for (const SlowdownView& w : v.slowdowns) {
    if (!w.end_cell) continue;
    const std::int64_t a = std::max(point_metres(w.start_cell), stretch.from);
    const std::int64_t b = std::min(point_metres(*w.end_cell), stretch.to);
    if (a >= b) continue;
    SvgElement slow =
        path("slowdown", "M" + point(static_cast<double>(a), w.speed) + " H" + std::to_string(b));
    frame.add(slow.title(records.slowdown(w)));
  }
  SvgElement labels("g");
  run_hovers(frame, labels, limits, stretch, low, high + 15.0, " km/h", records);
  value_scale(g, low, high + 15.0, height, "");
  return g.add(frame).add(labels);
}

// Curvature per cell from the plan, 1/km (the turn in radians per
// kilometre), cells of equal value joined.
std::vector<Segment> curvature(const std::vector<PlanePoint>& plan, const Stretch& stretch) {
  std::vector<Run> runs;
  const std::vector<double> per_cell = curvature_per_cell(plan);
  for (std::size_t k = 0; k < per_cell.size(); ++k) {
    const double value = std::round(per_cell[k] * 1e6) / 1e3;
    const auto cell = static_cast<std::int64_t>(k);
    if (!runs.empty() && static_cast<double>(runs.back().value) / 1e3 == value) {
      runs.back().to_cell = cell;
    } else {
      runs.push_back({cell, cell, static_cast<int>(std::lround(value * 1e3))});
    }
  }
  std::vector<Segment> segs = segments(runs, stretch);
  for (Segment& seg : segs) seg.value /= 1e3;
  return segs;
}

SvgElement curvature_band(const std::optional<std::vector<PlanePoint>>& plan,
                          const Stretch& stretch, const FeatureRecords& records, double top) {
  constexpr double height = 90.0;
  SvgElement g = band("curvature (1/km, left +)", "curvature", top, height);
  if (!plan) {
    SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, -1.0, 1.0);
    frame.add(path("line", "M" + point(static_cast<double>(stretch.from), 0.0) + " H" +
                               std::to_string(stretch.to)));
    SvgElement note("text");
    note.attr("class", "note").number("x", Stretch::plot_left + 8.0).attr("y", "16");
    return g.add(frame).add(note.text("no line file: no plan to take the curvature from"));
  }
  const std::vector<Segment> segs = curvature(*plan, stretch);
  auto [low, high] = value_range(segs, -0.1, 0.1);
  high = std::max(high, -low);
  SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, -high, high);
  frame.add(path("line", step_path(segs)));
  SvgElement labels("g");
  run_hovers(frame, labels, segs, stretch, -high, high, " 1/km", records);
  value_scale(g, -high, high, height, "");
  return g.add(frame).add(labels);
}

// Montagna structures above, the cab-signal repetition zone below.
SvgElement structures_band(const CompiledScenario& s, const ScenarioView& v, const Stretch& stretch,
                           const FeatureRecords& records, double top) {
  constexpr double height = 64.0;
  SvgElement g = band("structures, repetition", "structures", top, height);
  SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, 0.0, 2.0);
  for (const Segment& m : segments(v.montagna, stretch)) {
    if (m.value == 0.0) continue;
    SvgElement f = feature("montagna", m.from_cell,
                           "Montagna structure type " + coordinate(m.value, 0) + ", cells " +
                               std::to_string(m.from_cell) + " to " + std::to_string(m.to_cell) +
                               ", " + records.at(profile_metres(m.from_cell)) + " to " +
                               records.at(profile_metres(m.to_cell + 1)));
    SvgElement r("rect");
    r.number("x", m.from, 0)
        .attr("y", "-2")
        .number("width", m.to - m.from, 0)
        .attr("height", "0.9");
    frame.add(f.add(r));
  }
  const SlotRecord& train = s.slots[slot::train_header];
  const std::int64_t a = std::max<std::int64_t>(train.area_start, stretch.from);
  const std::int64_t b = std::min<std::int64_t>(train.area_end, stretch.to);
  if (train.position != 0 && a < b) {
    SvgElement f = feature("repetition-zone", train.area_start / 50,
                           "Cab-signal repetition, " + std::to_string(train.position) +
                               " codes, from " + records.at(train.area_start) + " to " +
                               records.at(train.area_end) + " (slot 86)");
    SvgElement r("rect");
    r.integer("x", a).attr("y", "-0.9").integer("width", b - a).attr("height", "0.9");
    frame.add(f.add(r));
  }
  return g.add(frame);
}

SvgElement adhesion_band(const ScenarioView& v, const Stretch& stretch,
                         const FeatureRecords& records, double top) {
  constexpr double height = 80.0;
  const std::vector<Segment> segs = segments(v.adhesion, stretch);
  auto [low, high] = value_range(segs, 1e9, -1e9);
  low -= 1.0;
  high += 1.0;
  SvgElement g = band("adhesion", "adhesion", top, height);
  SvgElement frame = metres_frame(stretch, frame_top, height - frame_top - 4.0, low, high);
  frame.add(path("line", step_path(segs)));
  SvgElement labels("g");
  run_hovers(frame, labels, segs, stretch, low, high, "", records);
  value_scale(g, low, high, height, "");
  return g.add(frame).add(labels);
}

// A tick at every 100 m of the kilometre reading, carrying the reading; the
// page script shows as many as the zoom leaves room for.
SvgElement kilometre_axis(const Stretch& stretch, const Chainage& km, double bands_height) {
  SvgElement axis("g");
  axis.attr("class", "axis").attr("transform", "translate(0," + coordinate(bands_height) + ")");
  const std::int64_t span = stretch.to - stretch.from;
  std::int64_t step = 100;
  for (const std::int64_t s : {100, 200, 500, 1000, 2000, 5000, 10000, 20000}) {
    step = s;
    if (span / s <= 14) break;
  }
  for (std::int64_t m = (stretch.from + 49) / 50 * 50; m <= stretch.to; m += 50) {
    const std::int64_t reading = km.reading(m);
    if (reading % 100 != 0) continue;
    SvgElement tick("g");
    at_metres(tick, stretch, static_cast<double>(m)).integer("data-r", reading);
    tick.attr("class", "tick");
    if (reading % step != 0) tick.attr("visibility", "hidden");
    SvgElement grid("line");
    grid.attr("class", "grid").attr("y1", coordinate(-bands_height)).attr("y2", "6");
    SvgElement t("text");
    t.attr("y", "20").text(km.at(m));
    axis.add(tick.add(grid).add(t));
  }
  return axis;
}

}  // namespace

std::string profile_view(const CompiledScenario& scenario, const ScenarioView& view,
                         const std::optional<std::vector<PlanePoint>>& plan, const Stretch& stretch,
                         const Chainage& km, const FeatureRecords& records) {
  std::vector<SvgElement> bands;
  double top = 4.0;
  const auto next = [&](SvgElement g, double height) {
    bands.push_back(std::move(g));
    top += height + gap;
  };
  next(elevation_band(view, stretch, records, top), 150.0);
  next(speed_band(view, stretch, records, top), 130.0);
  next(curvature_band(plan, stretch, records, top), 90.0);
  next(structures_band(scenario, view, stretch, records, top), 64.0);
  next(lineside_band(scenario, view, stretch, records, top), 214.0);
  if (view.adhesion.size() > 1) next(adhesion_band(view, stretch, records, top), 80.0);
  SvgElement svg("svg");
  svg.attr("id", "profile").attr("xmlns", "http://www.w3.org/2000/svg");
  svg.integer("data-from", stretch.from).integer("data-to", stretch.to);
  svg.number("width", Stretch::page_width, 0).number("height", top + 30.0, 0);
  svg.attr("viewBox",
           "0 0 " + coordinate(Stretch::page_width, 0) + " " + coordinate(top + 30.0, 0));
  svg.add(kilometre_axis(stretch, km, top));
  for (const SvgElement& b : bands) svg.add(b);
  SvgElement selection("rect");
  selection.attr("id", "selection").attr("y", "0").attr("width", "0").number("height", top);
  return svg.add(selection).markup();
}

}  // namespace tracciato
