#include <algorithm>
#include <array>
#include <cstdio>

#include "model/chainage.h"
#include "platform/clock_text.h"
#include "platform/code_page.h"
#include "platform/terminal_text.h"
#include "readback/scenario_report.h"

namespace tracciato {
namespace {

std::string decimal(double v, int digits) {
  std::array<char, 64> text{};
  (void)std::snprintf(text.data(), text.size(), "%.*f", digits, v);
  return text.data();
}

class TextReport {
 public:
  TextReport(const CompiledScenario& s, const InspectRequest& r)
      : s_(s), r_(r), v_(view_of(s)), km_(s.slots) {}

  std::string text() {
    const bool all = r_.what.empty();
    if (all || r_.what == "summary") summary();
    if (all || r_.what == "stations") stations();
    if (all || r_.what == "signals") signals();
    if (all || r_.what == "slowdowns") slowdowns();
    if (all || r_.what == "boards") boards();
    if (all || r_.what == "profiles") profiles();
    if (all || r_.what == "plan") plan();
    if (r_.what == "cells") cells();
    if (r_.what == "slots") slots();
    return out_;
  }

 private:
  // "1600 m (km 1+600)"
  std::string at(std::int64_t metres) const {
    return std::to_string(metres) + " m (km " + km_.at(metres) + ")";
  }
  std::string cell_at(std::int64_t cell) const {
    return "cell " + std::to_string(cell) + ", " + at(point_metres(cell));
  }
  void heading(const std::string& title) {
    if (!out_.empty()) out_ += "\n";
    out_ += title + "\n";
  }
  // Names and signboard texts come from files anyone may share: their
  // control characters never reach the terminal.
  void line(const std::string& text) { out_ += "  " + terminal_text(text) + "\n"; }

  void summary() {
    const SlotRecord& header = s_.slots[slot::scenario_header];
    const SlotRecord& train = s_.slots[slot::train_header];
    const TrackCell& first = *s_.cells.find(std::min<std::int64_t>(1, s_.cells.last()));
    heading("Summary");
    line("route length " + std::to_string(v_.route_length) + " m; cells 0 to " +
         std::to_string(v_.last_cell) + " (U = " + std::to_string(v_.last_cell) + ")");
    line("competition codes: " + std::to_string(header.time_s) + " (scenario file), " +
         std::to_string(first.value2) + " (track file); marks " + std::to_string(header.num_a) +
         " and " + std::to_string(first.value1));
    line(train.position == 0
             ? std::string("cab-signal repetition: off")
             : "cab-signal repetition: " + std::to_string(train.position) + " codes from " +
                   at(train.area_start) + " to " + at(train.area_end));
    for (const int n : {slot::progressive_tre, slot::progressive_due, slot::progressive_uno}) {
      const SlotRecord& p = s_.slots[static_cast<std::size_t>(n)];
      const bool in_use = p.area_start != 0 || p.area_end != 0 || p.position != 0;
      line("progressive (slot " + std::to_string(n) + "): " +
           (in_use ? "from " + std::to_string(p.area_start) + " m, offset " +
                         std::to_string(p.area_end) + " m, flag " + std::to_string(p.position)
                   : std::string("not in use")));
    }
    line("scenery: " + std::to_string(header.area_start) + ", " + std::to_string(header.position) +
         ", " + std::to_string(header.area_end));
    const SlotRecord& q = s_.slots[slot::quantities];
    line("train: " + std::to_string(q.position) + " cars, braked mass " +
         std::to_string(q.area_start) + " %, sand " + std::to_string(train.num_a) + ", clock " +
         std::to_string(train.num_c) + " " + std::to_string(train.num_d) + " " +
         std::to_string(train.num_e));
    line(std::to_string(v_.stations.size()) + " stations, " + std::to_string(v_.signals.size()) +
         " signals, " + std::to_string(v_.slowdowns.size()) + " slowdowns, " +
         std::to_string(v_.speed_boards.size()) + " speed-indicator boards, " +
         std::to_string(v_.signboards.size()) + " signboards, " +
         std::to_string(v_.abbattimento_cells.size()) + " abbattimento points");
    for (const auto& [cell, kind] : v_.unknown_cells) {
      line("cell " + std::to_string(cell) + " holds kind " + std::to_string(kind) +
           ", which no record lays");
    }
  }

  void stations() {
    heading("Stations");
    for (const StationView& st : v_.stations) {
      line("slot " + std::to_string(st.slot) + "  " + st.name + "  kind " +
           std::to_string(st.kind) + "  at " + at(st.position) + "  area " +
           std::to_string(st.area_start) + " to " + std::to_string(st.area_end) + " m  " +
           (st.stop_cell ? "stop cell " + std::to_string(*st.stop_cell) : "no stop cell") + "  " +
           clock_text(st.time_s));
    }
  }

  void signals() {
    heading("Signals");
    for (const SignalView& g : v_.signals) {
      std::string boards;
      for (const std::int64_t b : g.board_cells) boards += " " + std::to_string(b);
      line(cell_at(g.cell) + "  left " + std::to_string(g.sx) + ": " + std::to_string(g.s1) + "/" +
           std::to_string(g.s2) + "/" + std::to_string(g.s3) + "  right " + std::to_string(g.dx) +
           ": " + std::to_string(g.d1) + "/" + std::to_string(g.d2) + "/" + std::to_string(g.d3) +
           "  rapp " + std::to_string(g.rapp) + "  timer " + std::to_string(g.timer) +
           "  boards in cells" + (boards.empty() ? " none" : boards));
    }
  }

  void slowdowns() {
    heading("Slowdowns");
    for (const SlowdownView& w : v_.slowdowns) {
      std::string text = std::to_string(w.speed) + " km/h from " + cell_at(w.start_cell);
      text += w.end_cell ? " to " + cell_at(*w.end_cell) : std::string(" (no end point)");
      if (w.warning_cell) text += "; warning in " + cell_at(*w.warning_cell);
      if (!w.pre_warning_cells.empty()) {
        text += "; pre-warning cells";
        for (const std::int64_t c : w.pre_warning_cells) text += " " + std::to_string(c);
      }
      if (!w.abbattimento_cells.empty()) {
        text += "; abbattimento points in cells";
        for (const std::int64_t c : w.abbattimento_cells) text += " " + std::to_string(c);
      }
      line(text);
    }
  }

  void boards() {
    heading("Speed-indicator boards");
    for (const SpeedBoardView& b : v_.speed_boards) {
      const auto set = [](const std::array<int, 3>& speeds, int stripes) {
        return std::to_string(speeds[0]) + "/" + std::to_string(speeds[1]) + "/" +
               std::to_string(speeds[2]) + " km/h, " + std::to_string(stripes) + " stripes";
      };
      line(cell_at(b.cell) + "  left " + set(b.left, b.left_stripes) + "  right " +
           set(b.right, b.right_stripes));
    }
    heading("Signboards");
    for (const SignboardView& b : v_.signboards) {
      line(cell_at(b.cell) + "  slot " + std::to_string(b.slot) + "  \"" + b.text + "\"");
    }
  }

  void profile(const char* title, const std::vector<Run>& runs, const char* unit) {
    heading(title);
    for (const Run& run : runs) {
      const std::int64_t from = profile_metres(run.from_cell);
      const std::int64_t to = profile_metres(run.to_cell + 1);
      line(std::to_string(run.value) + unit + "  from " + at(from) + " to " + at(to));
    }
  }

  void profiles() {
    profile("Speed limit", v_.speed_limit, " km/h");
    profile("Gradient", v_.gradient, " per mille");
    profile("Adhesion", v_.adhesion, "");
    profile("Montagna", v_.montagna, "");
  }

  void plan() {
    heading("Geometry");
    if (!v_.geometry) {
      line("no line file");
      return;
    }
    const GeometryView& g = *v_.geometry;
    line("plan rows 0 to " + std::to_string(g.last_row) + ", points up to metre " +
         std::to_string(g.reached));
    line("total turn " + decimal(g.total_turn_degrees, 2) + " degrees (left positive)");
    line(g.smallest_radius ? "smallest radius " + decimal(*g.smallest_radius, 0) + " m"
                           : std::string("a straight line"));
    line("end point " + decimal(g.end_x, 3) + ", " + decimal(g.end_y, 3));
  }

  void cells() {
    heading("Cells");
    const auto [from, to] = r_.cells_shown(s_.cells);
    for (std::int64_t i = from; i <= to; ++i) {
      const TrackCell& c = *s_.cells.find(i);
      line("cell " + std::to_string(i) + ": kind " + std::to_string(c.kind) + ", values " +
           std::to_string(c.value1) + " " + std::to_string(c.value2) + " " +
           std::to_string(c.value3) + " " + std::to_string(c.value4) + ", timer " +
           std::to_string(c.timer) + ", approach " + std::to_string(c.approach) + ", montagna " +
           std::to_string(c.montagna_type) + ", speed limit " + std::to_string(c.speed_limit) +
           ", gradient " + std::to_string(c.gradient) + ", adhesion " + std::to_string(c.adhesion));
    }
  }

  void slots() {
    heading("Slots");
    for (std::size_t n = 0; n < s_.slots.size(); ++n) {
      const SlotRecord& r = s_.slots[n];
      line("slot " + std::to_string(n) + ": kind " + std::to_string(r.kind) + ", area " +
           std::to_string(r.area_start) + " " + std::to_string(r.area_end) + ", position " +
           std::to_string(r.position) + ", flag_a " + std::to_string(r.flag_a) + ", name \"" +
           from_code_page(r.name) + "\", num " + std::to_string(r.num_a) + " " +
           std::to_string(r.num_b) + " " + std::to_string(r.num_c) + " " + std::to_string(r.num_d) +
           " " + std::to_string(r.num_e) + ", bytes " + std::to_string(r.byte_a) + " " +
           std::to_string(r.byte_b) + ", extend_end " + std::to_string(r.extend_end) + ", flag_b " +
           std::to_string(r.flag_b) + ", time " + std::to_string(r.time_s));
    }
  }

  const CompiledScenario& s_;
  const InspectRequest& r_;
  ScenarioView v_;
  Chainage km_;
  std::string out_;
};

}  // namespace

bool is_inspect_view(const std::string& what) {
  static constexpr std::array<std::string_view, 9> views = {"summary",   "stations", "signals",
                                                            "slowdowns", "boards",   "profiles",
                                                            "cells",     "slots",    "plan"};
  return std::find(views.begin(), views.end(), what) != views.end();
}

std::string inspect_text(const CompiledScenario& scenario, const InspectRequest& request) {
  return TextReport(scenario, request).text();
}

}  // namespace tracciato
