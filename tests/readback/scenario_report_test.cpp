#include "readback/scenario_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "driver/builtin_build.h"
#include "model/compiled_files.h"
#include "platform/code_page.h"
#include "readback/compiled_set.h"
#include "support/compile_in_memory.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;

// The raw records of `inspect --format json`, encoded again.
struct Images {
  std::string scenario;
  std::string track;
  std::string line;
};

Images encode_raw_records(const std::string& json) {
  const nlohmann::json j = nlohmann::json::parse(json);
  SlotTable slots;
  for (const auto& r : j.at("slots")) {
    SlotRecord& s = slots.at(r.at("slot").get<std::size_t>());
    s.kind = r.at("kind");
    s.area_start = r.at("area_start");
    s.area_end = r.at("area_end");
    s.position = r.at("position");
    s.flag_a = r.at("flag_a");
    s.name = to_code_page(r.at("name").get<std::string>());
    s.num_a = r.at("num_a");
    s.num_b = r.at("num_b");
    s.num_c = r.at("num_c");
    s.num_d = r.at("num_d");
    s.num_e = r.at("num_e");
    s.byte_a = r.at("byte_a");
    s.byte_b = r.at("byte_b");
    s.extend_end = r.at("extend_end");
    s.flag_b = r.at("flag_b");
    s.time_s = r.at("time_s");
  }
  CellArray cells(static_cast<std::int64_t>(j.at("cells").size()) - 1);
  for (const auto& r : j.at("cells")) {
    TrackCell& c = *cells.find(r.at("cell").get<std::int64_t>());
    c.kind = r.at("kind");
    c.value1 = r.at("value1");
    c.value2 = r.at("value2");
    c.value3 = r.at("value3");
    c.value4 = r.at("value4");
    c.timer = r.at("timer");
    c.approach = r.at("approach");
    c.montagna_type = r.at("montagna_type");
    c.speed_limit = r.at("speed_limit");
    c.gradient = r.at("gradient");
    c.adhesion = r.at("adhesion");
  }
  Images images{scenario_file_image(slots), track_file_image(cells), {}};
  if (j.at("plan").is_null()) return images;
  const auto& columns = j.at("plan");
  TrackPlan plan(static_cast<std::int64_t>(columns.at(0).size()) - 1);
  for (int column = 0; column < 2; ++column) {
    std::int64_t row = 0;
    for (const auto& e : columns.at(static_cast<std::size_t>(column))) {
      if (e.is_number_integer()) {
        plan.set(row, column, e.get<std::int16_t>());
      } else if (e.is_number_float()) {
        plan.set(row, column, e.get<double>());
      }
      ++row;
    }
  }
  images.line = line_file_image(plan);
  return images;
}

void expect_round_trip(const CompiledScenario& s) {
  const Images back = encode_raw_records(inspect_json(s, {}));
  // Compared as booleans: a failure would otherwise print megabytes.
  EXPECT_TRUE(back.scenario == scenario_file_image(s.slots));
  EXPECT_TRUE(back.track == track_file_image(s.cells));
  EXPECT_TRUE(back.line == (s.plan ? line_file_image(*s.plan) : std::string()));
}

CompiledScenario compiled(const std::string& line, const std::string& train) {
  return testing::compile_in_memory(line, train);
}

TEST(InspectReport, TheRawRecordsOfTheJsonEncodeToTheCompiledBytes) {
  TempFolder folder;
  ScenarioModel model;
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return run_builtin_build(model, folder.path(), out);
  });
  expect_round_trip(read_compiled(paths_in(folder.path(), "Lindra_Kestova", "31407")));
  expect_round_trip(compiled(
      "[generale]\nlunghezza percorso, 3000\n[curve]\ncurvas6, 100, 300\npendenza, 500, -4\n"
      "cartello_indicatore, 900, (A\x81)(\xC0\x9D)\n[fine]\n",
      "[generale]\nvelocita, 0, 80\n"
      "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, CITT\xC0\n"
      "segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n[fine]\n"));
}

TEST(InspectReport, TheTextViewSaysWhatAnAuthorWrote) {
  const CompiledScenario s = compiled(
      "[generale]\nlunghezza percorso, 3000\nprogressiva chilometrica uno, 1000, 4000, 0\n"
      "[curve]\ncurvas6, 100, 300\npendenza, 500, -4\n"
      "indicatori_vmax, 700, 100, 110, 120, 0, , , , 0\n"
      "cartello_indicatore, 900, (PONTE)\n[fine]\n",
      "[generale]\nvelocita, 0, 80\nvelocita, 1500, 60\n"
      "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, CITT\xC0\n"
      "segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
      "rallentamento, 1700, 30, 200, 0, 1, 0\n[fine]\n");
  EXPECT_EQ(inspect_text(s, {"stations", {}, {}}),
            "Stations\n"
            "  slot 1  CITT\xC3\x80  kind 7  at 0 m (km 0+000)  area -700 to 700 m  stop cell 13  "
            "08:00:00\n");
  EXPECT_EQ(inspect_text(s, {"signals", {}, {}}),
            "Signals\n"
            "  cell 33, 1600 m (km 5+600)  left 2: 5/6/0  right 1: 3/1/0  rapp 0  timer 0  "
            "boards in cells 31 29 27 25\n");
  EXPECT_EQ(inspect_text(s, {"boards", {}, {}}),
            "Speed-indicator boards\n"
            "  cell 15, 700 m (km 0+700)  left 100/110/120 km/h, 0 stripes  right 0/0/0 km/h, 0 "
            "stripes\n"
            "\n"
            "Signboards\n"
            "  cell 19, 900 m (km 0+900)  slot 80  \"(PONTE)\"\n");
  const std::string profiles = inspect_text(s, {"profiles", {}, {}});
  EXPECT_NE(profiles.find("Speed limit\n"
                          "  80 km/h  from 0 m (km 0+000) to 1500 m (km 5+500)\n"
                          "  60 km/h  from 1500 m (km 5+500) to 9900 m (km 13+900)\n"
                          "  0 km/h  from 9900 m (km 13+900) to 10050 m (km 14+050)\n"),
            std::string::npos)
      << profiles;
  EXPECT_NE(profiles.find("  -4 per mille  from 500 m (km 0+500) to 9900 m (km 13+900)\n"),
            std::string::npos)
      << profiles;
  EXPECT_EQ(inspect_text(s, {"slowdowns", {}, {}}),
            "Slowdowns\n"
            "  30 km/h from cell 35, 1700 m (km 5+700) to cell 39, 1900 m (km 5+900); warning in "
            "cell 11, 500 m (km 0+500); pre-warning cells 10 9 8 7; abbattimento points in cells "
            "17 24 30\n");
  EXPECT_EQ(inspect_text(s, {"cells", 33, 33}),
            "Cells\n"
            "  cell 33: kind 1, values 53 61 0 7, timer 0, approach 0, montagna 0, speed limit 12, "
            "gradient 96, adhesion 0\n");
  EXPECT_EQ(inspect_text(s, {"plan", {}, {}}),
            "Geometry\n"
            "  plan rows 0 to 10000, points up to metre 9998\n"
            "  total turn 51.57 degrees (left positive)\n"
            "  smallest radius 333 m\n"
            "  end point -7655.146, 6335.376\n");
}

}  // namespace
}  // namespace tracciato
