#include <algorithm>

#include "render/label_rows.h"
#include "render/lineside_band.h"
#include "render/profile_band.h"
#include "render/svg_writer.h"

namespace tracciato {
namespace {

constexpr double height = 214.0;

SvgElement shape(std::string_view d) {
  SvgElement s("path");
  s.attr("d", d);
  return s;
}

// The lane's labels staggered over `rows` rows from `first_y`, each `step`
// below the one before; a label with no room is left to the hover text.
class Lane {
 public:
  Lane(std::size_t rows, double first_y, double step) : rows_(rows), y_(first_y), step_(step) {}
  void label(SvgElement& mark, double x, std::string_view text) {
    const double w = label_width(text);
    if (const auto row = rows_.place(x - 2.0, w)) {
      SvgElement t("text");
      t.attr("x", "0").number("y", y_ + static_cast<double>(*row) * step_).text(text);
      mark.add(t);
    }
  }

 private:
  LabelRows rows_;
  double y_;
  double step_;
};

class Lineside {
 public:
  Lineside(const CompiledScenario& s, const ScenarioView& v, const Stretch& stretch,
           const FeatureRecords& records, SvgElement& g, SvgElement& frame)
      : s_(s), v_(v), stretch_(stretch), records_(records), g_(g), frame_(frame) {}

  void draw() {
    stations();
    signals();
    boards();
    slowdown_points();
    abbattimento_points();
  }

 private:
  // A feature at a point cell, when the stretch holds it.
  std::optional<SvgElement> mark(std::string_view kind, std::int64_t cell, std::int64_t metres,
                                 const std::string& record) const {
    if (!stretch_.holds(metres)) return std::nullopt;
    SvgElement f = feature(kind, cell, record);
    at_metres(f, stretch_, static_cast<double>(metres));
    return f;
  }

  void stations() {
    Lane lane(3, 14.0, 12.0);
    for (const StationView& st : v_.stations) {
      const std::int64_t cell = st.stop_cell.value_or(st.position / 50 + 1);
      auto f = mark("station", cell, st.position, records_.station(st));
      if (!f) continue;
      const std::int64_t a = std::max<std::int64_t>(st.area_start, stretch_.from);
      const std::int64_t b = std::min<std::int64_t>(st.area_end, stretch_.to);
      if (a < b) {
        SvgElement area("rect");
        area.attr("class", "station-area").integer("x", a).attr("y", "-1");
        frame_.add(area.integer("width", b - a).attr("height", "1").title(st.name + ", area"));
      }
      f->add(shape("M0 42 l-6 12 h12 z"));
      lane.label(*f, stretch_.x(static_cast<double>(st.position)), st.name);
      g_.add(*f);
    }
  }

  void signals() {
    for (const SignalView& sig : v_.signals) {
      auto f = mark("signal", sig.cell, point_metres(sig.cell), records_.signal(sig));
      if (!f) continue;
      SvgElement lamp("circle");
      lamp.attr("cx", "0").attr("cy", "72").attr("r", "4");
      g_.add(f->add(shape("M0 76 V88")).add(lamp));
    }
  }

  void boards() {
    for (const SpeedBoardView& b : v_.speed_boards) {
      auto f = mark("speed-board", b.cell, point_metres(b.cell), records_.speed_board(b));
      if (!f) continue;
      SvgElement face("rect");
      face.attr("x", "-9").attr("y", "94").attr("width", "18").attr("height", "12");
      SvgElement t("text");
      t.attr("class", "board")
          .attr("x", "0")
          .attr("y", "103.5")
          .text(std::to_string(std::max(b.left[0], b.right[0])));
      g_.add(f->add(face).add(t));
    }
    Lane lane(3, 134.0, 11.0);
    for (const SignboardView& b : v_.signboards) {
      auto f = mark("signboard", b.cell, point_metres(b.cell), records_.signboard(b));
      if (!f) continue;
      f->add(shape("M0 112 l5 5 l-5 5 l-5 -5 z"));
      lane.label(*f, stretch_.x(static_cast<double>(point_metres(b.cell))), b.text);
      g_.add(*f);
    }
  }

  const SlowdownView* slowdown_of(std::int64_t cell) const {
    for (const SlowdownView& w : v_.slowdowns) {
      const auto& pre = w.pre_warning_cells;
      if (w.start_cell == cell || w.end_cell == cell || w.warning_cell == cell ||
          std::find(pre.begin(), pre.end(), cell) != pre.end()) {
        return &w;
      }
    }
    return nullptr;
  }

  // Start, end, warning and pre-warning points, from the cells themselves
  // so that one no slowdown claims is drawn too.
  void slowdown_points() {
    struct Look {
      std::uint8_t kind;
      const char* name;
      const char* title;
      const char* d;
    };
    static constexpr std::array<Look, 4> looks{{
        {cell_kind::slowdown_start, "slowdown-start", "Slowdown start point",
         "M-5 164 h10 v10 h-10 z"},
        {cell_kind::slowdown_end, "slowdown-end", "Slowdown end point", "M-5 164 h10 v10 h-10 z"},
        {cell_kind::slowdown_warning, "slowdown-warning", "Slowdown warning point",
         "M0 162 l6 12 h-12 z"},
        {cell_kind::pre_warning, "pre-warning", "Pre-warning mark", "M-2 166 h4 v8 h-4 z"},
    }};
    for (std::int64_t i = 0; i <= s_.cells.last(); ++i) {
      const TrackCell& c = *s_.cells.find(i);
      for (const Look& look : looks) {
        if (c.kind != look.kind) continue;
        std::string record = std::string(look.title) + ", " + records_.cell_at(i) + "; value " +
                             std::to_string(c.value1);
        if (const SlowdownView* w = slowdown_of(i)) record += ". " + records_.slowdown(*w);
        auto f = mark(look.name, i, point_metres(i), record);
        if (f) g_.add(f->add(shape(look.d)));
      }
    }
  }

  void abbattimento_points() {
    Lane lane(2, 198.0, 11.0);
    for (const std::int64_t i : v_.abbattimento_cells) {
      const TrackCell& c = *s_.cells.find(i);
      auto f = mark("abbattimento", i, point_metres(i), records_.abbattimento(i, c));
      if (!f) continue;
      f->add(shape("M-4 180 l8 8 M4 180 l-8 8"));
      if (c.kind == cell_kind::abbattimento) {
        lane.label(*f, stretch_.x(static_cast<double>(point_metres(i))), std::to_string(c.value1));
      }
      g_.add(*f);
    }
  }

  const CompiledScenario& s_;
  const ScenarioView& v_;
  const Stretch& stretch_;
  const FeatureRecords& records_;
  SvgElement& g_;
  SvgElement& frame_;
};

}  // namespace

SvgElement lineside_band(const CompiledScenario& scenario, const ScenarioView& view,
                         const Stretch& stretch, const FeatureRecords& records, double top) {
  SvgElement g = band("lineside", "lineside", top, height);
  // Station areas, as stretches, in a frame of their own under the marks.
  SvgElement areas = metres_frame(stretch, 52.0, 6.0, 0.0, 1.0);
  SvgElement marks("g");
  Lineside(scenario, view, stretch, records, marks, areas).draw();
  for (const auto& [y, name] :
       {std::pair{44.0, "stations"}, std::pair{80.0, "signals"}, std::pair{110.0, "boards"},
        std::pair{172.0, "slowdowns"}, std::pair{188.0, "abbattimento"}}) {
    SvgElement t("text");
    t.attr("class", "scale").number("x", Stretch::plot_left - 4.0).number("y", y).text(name);
    g.add(t);
  }
  return g.add(areas).add(marks);
}

}  // namespace tracciato
