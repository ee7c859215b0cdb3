#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "model/chainage.h"
#include "platform/code_page.h"
#include "platform/json.h"
#include "readback/scenario_report.h"

namespace tracciato {
namespace {

std::string number(double v) {
  if (!std::isfinite(v)) return json_string(std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf");
  std::array<char, 32> text{};
  // The shortest text that reads back as the same double.
  const char* end = std::to_chars(text.data(), text.data() + text.size(), v).ptr;
  return {text.data(), static_cast<std::size_t>(end - text.data())};
}

std::string n(std::int64_t v) {
  return std::to_string(v);
}

std::string optional_n(const std::optional<std::int64_t>& v) {
  return v ? n(*v) : "null";
}

std::string list(const std::vector<std::int64_t>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i) out += (i == 0 ? "" : ", ") + n(values[i]);
  return out + "]";
}

// Items joined into a JSON array, one per line.
template <typename T, typename F>
std::string array(const std::vector<T>& items, F item) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += (i == 0 ? "\n    " : ",\n    ") + item(items[i]);
  }
  return out + (items.empty() ? "]" : "\n  ]");
}

class JsonReport {
 public:
  JsonReport(const CompiledScenario& s, const InspectRequest& r)
      : s_(s), r_(r), v_(view_of(s)), km_(s.slots) {}

  std::string json() {
    const bool all = r_.what.empty();
    if (all || r_.what == "summary") member("summary", summary());
    if (all || r_.what == "stations") {
      member("stations", array(v_.stations, [this](const StationView& st) { return station(st); }));
    }
    if (all || r_.what == "signals") {
      member("signals", array(v_.signals, [this](const SignalView& g) { return signal(g); }));
    }
    if (all || r_.what == "slowdowns") {
      member("slowdowns",
             array(v_.slowdowns, [this](const SlowdownView& w) { return slowdown(w); }));
    }
    if (all || r_.what == "boards") {
      member("speed_boards",
             array(v_.speed_boards, [this](const SpeedBoardView& b) { return speed_board(b); }));
      member("signboards",
             array(v_.signboards, [this](const SignboardView& b) { return signboard(b); }));
    }
    if (all || r_.what == "profiles") member("profiles", profiles());
    if (all || r_.what == "plan") member("geometry", geometry());
    if (all || r_.what == "cells") member("cells", cells());
    if (all || r_.what == "slots") member("slots", slots());
    if (all || r_.what == "plan") member("plan", plan());
    return "{" + out_ + "\n}\n";
  }

 private:
  void member(const char* name, const std::string& value) {
    out_ += (out_.empty() ? "\n  " : ",\n  ") + json_string(name) + ": " + value;
  }
  // A route position with its kilometre reading.
  std::string place(std::int64_t metres) const {
    return n(metres) + R"(, "km": )" + json_string(km_.at(metres));
  }

  std::string summary() const {
    const SlotRecord& header = s_.slots[slot::scenario_header];
    const SlotRecord& train = s_.slots[slot::train_header];
    const TrackCell& first = *s_.cells.find(std::min<std::int64_t>(1, s_.cells.last()));
    return R"({"route_length": )" + n(v_.route_length) + R"(, "last_cell": )" + n(v_.last_cell) +
           R"(, "competition_code_scenario": )" + n(header.time_s) +
           R"(, "competition_code_track": )" + n(first.value2) + R"(, "mark_scenario": )" +
           n(header.num_a) + R"(, "mark_track": )" + n(first.value1) +
           R"(, "repetition": {"codes": )" + n(train.position) + R"(, "start": )" +
           n(train.area_start) + R"(, "end": )" + n(train.area_end) + "}" + R"(, "stations": )" +
           n(static_cast<std::int64_t>(v_.stations.size())) + R"(, "signals": )" +
           n(static_cast<std::int64_t>(v_.signals.size())) + R"(, "slowdowns": )" +
           n(static_cast<std::int64_t>(v_.slowdowns.size())) + R"(, "speed_boards": )" +
           n(static_cast<std::int64_t>(v_.speed_boards.size())) + R"(, "signboards": )" +
           n(static_cast<std::int64_t>(v_.signboards.size())) + R"(, "abbattimento_points": )" +
           n(static_cast<std::int64_t>(v_.abbattimento_cells.size())) + "}";
  }

  std::string station(const StationView& st) const {
    return R"({"slot": )" + n(st.slot) + R"(, "name": )" + json_string(st.name) + R"(, "kind": )" +
           n(st.kind) + R"(, "position": )" + place(st.position) + R"(, "area_start": )" +
           n(st.area_start) + R"(, "area_end": )" + n(st.area_end) + R"(, "stop_cell": )" +
           optional_n(st.stop_cell) + R"(, "time_s": )" + n(st.time_s) + "}";
  }

  std::string signal(const SignalView& g) const {
    return R"({"cell": )" + n(g.cell) + R"(, "position": )" + place(point_metres(g.cell)) +
           R"(, "sx": )" + n(g.sx) + R"(, "s1": )" + n(g.s1) + R"(, "s2": )" + n(g.s2) +
           R"(, "s3": )" + n(g.s3) + R"(, "rapp": )" + n(g.rapp) + R"(, "dx": )" + n(g.dx) +
           R"(, "d1": )" + n(g.d1) + R"(, "d2": )" + n(g.d2) + R"(, "d3": )" + n(g.d3) +
           R"(, "timer": )" + n(g.timer) + R"(, "board_cells": )" + list(g.board_cells) + "}";
  }

  std::string slowdown(const SlowdownView& w) const {
    return R"({"speed": )" + n(w.speed) + R"(, "start_cell": )" + n(w.start_cell) +
           R"(, "start": )" + place(point_metres(w.start_cell)) + R"(, "end_cell": )" +
           optional_n(w.end_cell) + R"(, "warning_cell": )" + optional_n(w.warning_cell) +
           R"(, "pre_warning_cells": )" + list(w.pre_warning_cells) +
           R"(, "abbattimento_cells": )" + list(w.abbattimento_cells) + "}";
  }

  std::string speed_board(const SpeedBoardView& b) const {
    const auto speeds = [](const std::array<int, 3>& s) {
      return "[" + n(s[0]) + ", " + n(s[1]) + ", " + n(s[2]) + "]";
    };
    return R"({"cell": )" + n(b.cell) + R"(, "position": )" + place(point_metres(b.cell)) +
           R"(, "left": )" + speeds(b.left) + R"(, "left_stripes": )" + n(b.left_stripes) +
           R"(, "right": )" + speeds(b.right) + R"(, "right_stripes": )" + n(b.right_stripes) + "}";
  }

  std::string signboard(const SignboardView& b) const {
    return R"({"cell": )" + n(b.cell) + R"(, "position": )" + place(point_metres(b.cell)) +
           R"(, "slot": )" + n(b.slot) + R"(, "text": )" + json_string(b.text) + "}";
  }

  static std::string runs(const std::vector<Run>& runs) {
    std::string out = "[";
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const Run& r = runs[i];
      out += (i == 0 ? "" : ", ") + std::string(R"({"value": )") + n(r.value) + R"(, "from": )" +
             n(profile_metres(r.from_cell)) + R"(, "to": )" + n(profile_metres(r.to_cell + 1)) +
             "}";
    }
    return out + "]";
  }

  std::string profiles() const {
    return R"({"speed_limit_kmh": )" + runs(v_.speed_limit) + R"(, "gradient_per_mille": )" +
           runs(v_.gradient) + R"(, "adhesion": )" + runs(v_.adhesion) + R"(, "montagna": )" +
           runs(v_.montagna) + "}";
  }

  std::string geometry() const {
    if (!v_.geometry) return "null";
    const GeometryView& g = *v_.geometry;
    return R"({"last_row": )" + n(g.last_row) + R"(, "reached": )" + n(g.reached) +
           R"(, "total_turn_degrees": )" + number(g.total_turn_degrees) +
           R"(, "smallest_radius": )" + (g.smallest_radius ? number(*g.smallest_radius) : "null") +
           R"(, "end": [)" + number(g.end_x) + ", " + number(g.end_y) + "]}";
  }

  std::string cells() const {
    const auto [from, to] = r_.cells_shown(s_.cells);
    std::string out = "[";
    for (std::int64_t i = from; i <= to; ++i) {
      const TrackCell& c = *s_.cells.find(i);
      out += (i == from ? "\n    " : ",\n    ") + std::string(R"({"cell": )") + n(i) +
             R"(, "kind": )" + n(c.kind) + R"(, "value1": )" + n(c.value1) + R"(, "value2": )" +
             n(c.value2) + R"(, "value3": )" + n(c.value3) + R"(, "value4": )" + n(c.value4) +
             R"(, "timer": )" + n(c.timer) + R"(, "approach": )" + n(c.approach) +
             R"(, "montagna_type": )" + n(c.montagna_type) + R"(, "speed_limit": )" +
             n(c.speed_limit) + R"(, "gradient": )" + n(c.gradient) + R"(, "adhesion": )" +
             n(c.adhesion) + "}";
    }
    return out + (from > to ? "]" : "\n  ]");
  }

  std::string slots() const {
    std::string out = "[";
    for (std::size_t i = 0; i < s_.slots.size(); ++i) {
      const SlotRecord& r = s_.slots[i];
      out += (i == 0 ? "\n    " : ",\n    ") + std::string(R"({"slot": )") + std::to_string(i) +
             R"(, "kind": )" + n(r.kind) + R"(, "area_start": )" + n(r.area_start) +
             R"(, "area_end": )" + n(r.area_end) + R"(, "position": )" + n(r.position) +
             R"(, "flag_a": )" + n(r.flag_a) + R"(, "name": )" +
             json_string(from_code_page(r.name, Unassigned::kept)) + R"(, "num_a": )" + n(r.num_a) +
             R"(, "num_b": )" + n(r.num_b) + R"(, "num_c": )" + n(r.num_c) + R"(, "num_d": )" +
             n(r.num_d) + R"(, "num_e": )" + n(r.num_e) + R"(, "byte_a": )" + n(r.byte_a) +
             R"(, "byte_b": )" + n(r.byte_b) + R"(, "extend_end": )" + n(r.extend_end) +
             R"(, "flag_b": )" + n(r.flag_b) + R"(, "time_s": )" + n(r.time_s) + "}";
    }
    return out + "\n  ]";
  }

  // Each element: null when empty, an integer for an i16, a number with a
  // point or an exponent for a double, so the two read back apart.
  std::string plan() const {
    if (!s_.plan) return "null";
    std::string out = "[";
    for (int column = 0; column < 2; ++column) {
      out += column == 0 ? "\n    [" : ",\n    [";
      bool first = true;
      for (std::int64_t row = 0; row <= s_.plan->last_row(); ++row) {
        const PlanValue value = s_.plan->at(row, column);
        if (!first) out += ", ";
        first = false;
        if (const auto* i = std::get_if<std::int16_t>(&value)) {
          out += n(*i);
        } else if (const auto* d = std::get_if<double>(&value)) {
          std::string text = number(*d);
          if (text.find_first_of(".e\"") == std::string::npos) text += ".0";
          out += text;
        } else {
          out += "null";
        }
      }
      out += "]";
    }
    return out + "\n  ]";
  }

  const CompiledScenario& s_;
  const InspectRequest& r_;
  ScenarioView v_;
  Chainage km_;
  std::string out_;
};

}  // namespace

std::string inspect_json(const CompiledScenario& scenario, const InspectRequest& request) {
  return JsonReport(scenario, request).json();
}

}  // namespace tracciato
