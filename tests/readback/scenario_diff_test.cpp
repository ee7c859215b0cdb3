#include "readback/scenario_diff.h"
#include "support/compile_in_memory.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace tracciato {
namespace {

// A short route with one feature of each kind (docs/formats.md, 4.6): stops
// in cells 3 and 103, a speed-indicator board in cell 11, signals in 31 and
// 95, the slowdown's pre-warning cells 43..46, warning 47, start 71 and end
// 77, the signboard in 51 (text in slot 80), fillers in 63 and 67, and the
// compile step's abbattimento points in 30, 53, 60 and 66.
const std::string orvena_line =
    "[generale]\n"
    "lunghezza percorso, 6000\n"
    "sfondo uno, 0\nsfondo due, 1\nsfondo tre, 6000\n"
    "[curve]\ncurvad3, 1000, 400\n"
    "[pendenze]\npendenza, 0, 0\npendenza, 2000, 4\n"
    "[montagne]\nmontagna, 3000, 3400, 12\n"
    "[cartelli]\nindicatori_vmax, 500, 100, 110, 120, 0, , , , 0\n"
    "[indicazioni]\ncartello_indicatore, 2500, (PONTE)(SUL RIO)(VERZA)\n"
    "[fine]\n";
const std::string orvena_train =
    "[generale]\n"
    "numero vetture, 3\npercentuale massa frenata, 110\nsabbia, 200\norologio, 8 30 0\n"
    "[aderenze]\naderenza, 0, 100\n"
    "[vel_limite]\nvelocita, 0, 30\nvelocita, 800, 100\n"
    "[stazioni]\n"
    "stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 1, 8,30,0, ORVENA\n"
    "stazione, 5000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 8,36,0, PRATELLO\n"
    "[rallentamenti]\nrallentamento, 3500, 60, 300, 0, 1, 0\n"
    "[segnali]\n"
    "segnale, 1500, 2, 3, 1, 0, 0, 0, 0,0,0, 0\n"
    "segnale, 4700, 1, 4, 1, 0, 0, 0, 0,0,0, 0\n"
    "[fine]\n";

CompiledScenario compiled(const std::string& line, const std::string& train) {
  int error_code = 0;
  CompiledScenario s =
      testing::compile_in_memory(line, train, {"Orvena", "101", true}, &error_code);
  EXPECT_EQ(error_code, 0);
  return s;
}

const CompiledScenario& orvena() {
  static const CompiledScenario s = compiled(orvena_line, orvena_train);
  return s;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string report(const CompiledScenario& a, const CompiledScenario& b) {
  return diff_report_text(scenario_differences(a, b));
}

TEST(ScenarioDiff, TwoCompilesOfTheSameTextsAreIdentical) {
  const CompiledScenario again = compiled(orvena_line, orvena_train);
  EXPECT_EQ(scenario_differences(orvena(), again), std::vector<Difference>{});
  EXPECT_EQ(report(orvena(), again), "identical\n");
  EXPECT_EQ(diff_report_json(scenario_differences(orvena(), again)), "[]\n");

  CompiledScenario without_plans = orvena();
  without_plans.plan.reset();
  EXPECT_EQ(report(without_plans, without_plans), "identical\n");
}

// One edit of the line (or train) description, and what the diff says of it.
struct Edit {
  bool line;
  std::string from;
  std::string to;
  std::string report;
};

TEST(ScenarioDiff, EachEditOfADescriptionIsToldInWords) {
  const std::vector<Edit> edits = {
      {false, "segnale, 4700", "segnale, 4800",
       "signal moved from cell 95 to 97 (4700 m → 4800 m)\n"
       "1 difference\n"},
      // The compile step's point before the signal moves with it.
      {false, "segnale, 1500", "segnale, 1600",
       "signal moved from cell 31 to 33 (1500 m → 1600 m)\n"
       "abbattimento point added in cell 32 (1600 m)\n"
       "abbattimento point removed from cell 30 (1500 m)\n"
       "3 differences\n"},
      // A signal between two others does not shift them.
      {false, "[segnali]\n", "[segnali]\nsegnale, 3000, 2, 3, 1, 0, 0, 0, 0,0,0, 0\n",
       "signal added at cell 61 (3000 m)\n"
       "1 difference\n"},
      {false, "segnale, 4700, 1, 4, 1, 0, 0, 0, 0,0,0, 0",
       "segnale, 4700, 2, 4, 1, 0, 0, 0, 0,0,0, 50",
       "signal at cell 95 (4700 m): aspects 1, 4, 1, 0, 0, 0, 0, 0, 0 → 2, 4, 1, 0, 0, 0, 0, 0, 0\n"
       "signal at cell 95 (4700 m): timer 0 → 101\n"
       "2 differences\n"},
      {false, "8,36,0, PRATELLO", "8,37,0, PRATELLO",
       "station PRATELLO: time 08:36:00 → 08:37:00\n"
       "1 difference\n"},
      {false, "stazione, 5000", "stazione, 5100",
       "station PRATELLO moved from 5000 m to 5100 m\n"
       "station PRATELLO: area 4800–5200 m → 4900–5300 m\n"
       "station PRATELLO: stop cell 103 → 105\n"
       "3 differences\n"},
      // Matched by name, the station after the one removed has moved up a slot.
      {false, "stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 1, 8,30,0, ORVENA\n", "",
       "station ORVENA removed from 0 m\n"
       "station PRATELLO: slot 2 → 1\n"
       "2 differences\n"},
      {false, "velocita, 800, 100", "velocita, 800, 90",
       "speed limit 100 → 90 km/h over 800–12900 m\n"
       "1 difference\n"},
      {false, "velocita, 800, 100", "velocita, 800, 90\nvelocita, 2000, 80",
       "speed limit 100 → 90 km/h over 800–2000 m\n"
       "speed limit 100 → 80 km/h over 2000–12900 m\n"
       "2 differences\n"},
      {true, "pendenza, 2000, 4", "pendenza, 2000, -4",
       "gradient 4 → -4 ‰ over 2000–12900 m\n"
       "1 difference\n"},
      {false, "aderenza, 0, 100", "aderenza, 0, 90",
       "adhesion 100 → 90 over 0–12900 m\n"
       "1 difference\n"},
      {true, "montagna, 3000, 3400, 12", "montagna, 3000, 3600, 12",
       "montagna type none → 2 over 3400–3600 m\n"
       "1 difference\n"},
      {true, "montagna, 3000, 3400, 12", "montagna, 3000, 3400, 2",
       "montagna fillers removed from cells 63 (3150 m), 67 (3350 m)\n"
       "1 difference\n"},
      {true, "curvad3, 1000, 400", "curvad3, 1200, 400",
       "geometry differs from metre 1001 on\n"
       "1 difference\n"},
      {false, "rallentamento, 3500, 60", "rallentamento, 3500, 50",
       "slowdown at cell 71 (3500 m): speed 60 → 50 km/h\n"
       "1 difference\n"},
      {false, "rallentamento, 3500, 60", "rallentamento, 3600, 60",
       "slowdown moved from cell 71 to 73 (3500 m → 3600 m)\n"
       "abbattimento points added in cells 55 (2750 m), 62 (3100 m), 68 (3400 m)\n"
       "abbattimento points removed from cells 53 (2650 m), 60 (3000 m), 66 (3300 m)\n"
       "3 differences\n"},
      {false, "rallentamento, 3500, 60, 300, 0, 1, 0", "rallentamento, 3500, 60, 400, 1, 0, 0",
       "slowdown at cell 71 (3500 m): end cell 77 (3800 m) → cell 79 (3900 m)\n"
       "slowdown at cell 71 (3500 m): pre-warning cells 46, 45, 44, 43 → none\n"
       "slowdown at cell 71 (3500 m): f_tt 0 → 1\n"
       "abbattimento point added in cell 78 (3900 m)\n"
       "4 differences\n"},
      {true, "100, 110, 120", "100, 110, 130",
       "speed-indicator board at cell 11 (500 m): values 100, 110, 120, 0, 0, 0, 0, 0 → 100, "
       "110, 130, 0, 0, 0, 0, 0\n"
       "1 difference\n"},
      {true, "(SUL RIO)", "(SUL LAGO)",
       "signboard at cell 51 (2500 m): text \"(PONTE)(SUL RIO)(VERZA)\" → "
       "\"(PONTE)(SUL LAGO)(VERZA)\"\n"
       "1 difference\n"},
      {true, "cartello_indicatore, 2500", "cartello_indicatore, 2600",
       "signboard moved from cell 51 to 53 (2500 m → 2600 m)\n"
       "abbattimento point added in cell 52 (2600 m)\n"
       "abbattimento point removed from cell 53 (2650 m)\n"
       "3 differences\n"},
      // The cells past the shorter track are told once; the profiles run on
      // over the cells it left at 0.
      {true, "lunghezza percorso, 6000", "lunghezza percorso, 6500",
       "route length 6000 → 6500 m\n"
       "track cells 0–260 → 0–270\n"
       "speed limit 0 → 100 km/h over 12900–13050 m\n"
       "gradient -100 → 4 ‰ over 12900–13050 m\n"
       "adhesion 0 → 100 over 12900–13050 m\n"
       "geometry differs from metre 12999 on\n"
       "6 differences\n"},
  };
  for (const Edit& e : edits) {
    SCOPED_TRACE(e.from + " -> " + e.to);
    const CompiledScenario b = e.line ? compiled(replaced(orvena_line, e.from, e.to), orvena_train)
                                      : compiled(orvena_line, replaced(orvena_train, e.from, e.to));
    EXPECT_EQ(report(orvena(), b), e.report);
    // A view of the first made beforehand tells the same.
    EXPECT_EQ(scenario_differences(orvena(), view_of(orvena()), b),
              scenario_differences(orvena(), b));
  }
}

// An edit of the compiled records themselves, as a hand or another tool
// might make it.
struct RawEdit {
  std::string name;
  std::function<void(CompiledScenario&)> edit;
  std::string report;
};

TEST(ScenarioDiff, ARawFieldThatNoFeatureAccountsForIsStillTold) {
  const auto cell = [](CompiledScenario& s, std::int64_t i) -> TrackCell& {
    return *s.cells.find(i);
  };
  const std::vector<RawEdit> edits = {
      {"an approach with no board", [&](auto& s) { cell(s, 200).approach = 71; },
       "cell 200: approach 0 → 71\n1 difference\n"},
      {"a kind no record lays", [&](auto& s) { cell(s, 40).kind = 7; },
       "cell 40: kind 0 → 7\n1 difference\n"},
      {"a header field", [](auto& s) { s.slots[85].num_a = 0; },
       "slot 85: num_a 610 → 0 (scenario mark)\n1 difference\n"},
      {"a slot past the stations", [](auto& s) { s.slots[40].time_s = 5; },
       "slot 40: time_s 0 → 5\n1 difference\n"},
      {"a text no signboard shows", [](auto& s) { s.slots[79].name = "(X)"; },
       "slot 79: name \"\" → \"(X)\"\n1 difference\n"},
      {"a value a stop keeps from before", [&](auto& s) { cell(s, 103).value2 = 9; },
       "cell 103: value2 0 → 9\n1 difference\n"},
      {"a station board", [&](auto& s) { cell(s, 102).approach = 0; },
       "cell 102: approach 81 → 0\n1 difference\n"},
      // A warning point that no longer repeats its start's speed.
      {"a warning point's own speed", [&](auto& s) { cell(s, 47).value1 = 61; },
       "cell 47: value1 60 → 61\n1 difference\n"},
      // The slowdown's message tells its speed, not a value it does not use.
      {"a field beside a told one",
       [&](auto& s) {
         cell(s, 71).value1 = 50;
         cell(s, 71).value4 = 3;
       },
       "slowdown at cell 71 (3500 m): speed 60 → 50 km/h\n"
       "cell 71: value4 0 → 3\n"
       "2 differences\n"},
      {"a signal board", [&](auto& s) { cell(s, 29).approach = 0; },
       "signal at cell 31 (1500 m): boards in cells 29, 27, 25, 23 → 27, 25, 23\n"
       "1 difference\n"},
      {"a signboard's text slot",
       [&](auto& s) {
         cell(s, 51).value1 = 79;
         s.slots[79].name = s.slots[80].name;
         s.slots[80].name.clear();
       },
       "signboard at cell 51 (2500 m): text slot 80 → 79\n1 difference\n"},
      {"the line file", [](auto& s) { s.plan.reset(); },
       "the first has a line file, the second has none\n1 difference\n"},
  };
  for (const RawEdit& e : edits) {
    SCOPED_TRACE(e.name);
    CompiledScenario b = orvena();
    e.edit(b);
    EXPECT_EQ(report(orvena(), b), e.report);
  }
}

// However a field changes, the list is not empty: nothing is ever missed.
// (The plan, compared apart below, is left out.)
TEST(ScenarioDiff, EveryRawFieldThatChangesIsSeen) {
  CompiledScenario a = orvena();
  a.plan.reset();
  using CellEdit = void (*)(TrackCell&);
  const std::array<CellEdit, 11> cell_edits = {
      [](TrackCell& c) { c.kind = static_cast<std::uint8_t>(c.kind + 1); },
      [](TrackCell& c) { c.value1 = static_cast<std::int16_t>(c.value1 + 1); },
      [](TrackCell& c) { c.value2 = static_cast<std::int16_t>(c.value2 + 1); },
      [](TrackCell& c) { c.value3 = static_cast<std::int16_t>(c.value3 + 1); },
      [](TrackCell& c) { c.value4 = static_cast<std::int16_t>(c.value4 + 1); },
      [](TrackCell& c) { c.timer = static_cast<std::uint8_t>(c.timer + 1); },
      [](TrackCell& c) { c.approach = static_cast<std::uint8_t>(c.approach + 1); },
      [](TrackCell& c) { c.montagna_type = static_cast<std::uint8_t>(c.montagna_type + 1); },
      [](TrackCell& c) { c.speed_limit = static_cast<std::uint8_t>(c.speed_limit + 1); },
      [](TrackCell& c) { c.gradient = static_cast<std::uint8_t>(c.gradient + 1); },
      [](TrackCell& c) { c.adhesion = static_cast<std::uint8_t>(c.adhesion + 1); },
  };
  for (std::int64_t i = 0; i <= a.cells.last(); ++i) {
    for (std::size_t f = 0; f < cell_edits.size(); ++f) {
      CompiledScenario b = a;
      cell_edits[f](*b.cells.find(i));
      EXPECT_FALSE(scenario_differences(a, b).empty()) << "cell " << i << " field " << f;
    }
  }
  using SlotEdit = void (*)(SlotRecord&);
  const std::array<SlotEdit, 16> slot_edits = {
      [](SlotRecord& r) { r.kind = static_cast<std::uint8_t>(r.kind + 1); },
      [](SlotRecord& r) { ++r.area_start; },
      [](SlotRecord& r) { ++r.area_end; },
      [](SlotRecord& r) { ++r.position; },
      [](SlotRecord& r) { r.flag_a = static_cast<std::uint8_t>(r.flag_a + 1); },
      [](SlotRecord& r) { r.name += "X"; },
      [](SlotRecord& r) { r.num_a = static_cast<std::int16_t>(r.num_a + 1); },
      [](SlotRecord& r) { r.num_b = static_cast<std::int16_t>(r.num_b + 1); },
      [](SlotRecord& r) { r.num_c = static_cast<std::int16_t>(r.num_c + 1); },
      [](SlotRecord& r) { r.num_d = static_cast<std::int16_t>(r.num_d + 1); },
      [](SlotRecord& r) { r.num_e = static_cast<std::int16_t>(r.num_e + 1); },
      [](SlotRecord& r) { r.byte_a = static_cast<std::uint8_t>(r.byte_a + 1); },
      [](SlotRecord& r) { r.byte_b = static_cast<std::uint8_t>(r.byte_b + 1); },
      [](SlotRecord& r) { r.extend_end = static_cast<std::uint8_t>(r.extend_end + 1); },
      [](SlotRecord& r) { r.flag_b = static_cast<std::uint8_t>(r.flag_b + 1); },
      [](SlotRecord& r) { ++r.time_s; },
  };
  for (std::size_t n = 0; n < a.slots.size(); ++n) {
    for (std::size_t f = 0; f < slot_edits.size(); ++f) {
      CompiledScenario b = a;
      slot_edits[f](b.slots[n]);
      EXPECT_FALSE(scenario_differences(a, b).empty()) << "slot " << n << " field " << f;
    }
  }
}

// The plan is compared element by element, as the file holds it: a double
// that is not the same bits differs, even where it compares equal.
TEST(ScenarioDiff, GeometryIsComparedBitForBit) {
  const std::int64_t last = orvena().plan->last_row();
  const std::vector<std::pair<std::int64_t, PlanValue>> edits = {
      {0, std::int16_t{1}},  // (0, 0) holds integers
      {3000, 0.0},
      {last, std::monostate{}},  // already empty: no difference
      {last, 1.0},
  };
  const std::vector<std::string> reports = {
      "geometry differs from metre 0 on\n1 difference\n",
      "geometry differs from metre 3000 on\n1 difference\n",
      "identical\n",
      "geometry differs from metre " + std::to_string(last) + " on\n1 difference\n",
  };
  for (std::size_t k = 0; k < edits.size(); ++k) {
    CompiledScenario b = orvena();
    b.plan->set(edits[k].first, 1, edits[k].second);
    EXPECT_EQ(report(orvena(), b), reports[k]) << k;
  }
  CompiledScenario zero = orvena();
  CompiledScenario minus_zero = orvena();
  zero.plan->set(5000, 0, 0.0);
  minus_zero.plan->set(5000, 0, -0.0);
  EXPECT_EQ(report(zero, minus_zero), "geometry differs from metre 5000 on\n1 difference\n");
}

TEST(ScenarioDiff, TheJsonReportHoldsWhatWhereAndWords) {
  CompiledScenario b = compiled(replaced(orvena_line, "(SUL RIO)", "(SUL \"RIO\")"), orvena_train);
  b.slots[86].num_c = 9;
  EXPECT_EQ(diff_report_json(scenario_differences(orvena(), b)),
            "[\n"
            "  {\"what\": \"signboard\", \"position_m\": 2500, \"message\": \"signboard at cell 51 "
            "(2500 m): text \\\"(PONTE)(SUL RIO)(VERZA)\\\" → \\\"(PONTE)(SUL \\\"RIO\\\")"
            "(VERZA)\\\"\"},\n"
            "  {\"what\": \"slot\", \"position_m\": null, \"message\": \"slot 86: num_c 8 → 9 "
            "(clock hours)\"}\n"
            "]\n");
}

}  // namespace
}  // namespace tracciato
