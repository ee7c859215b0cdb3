// The built-in descriptions, written and read back as the built-in build does.
#include <gtest/gtest.h>

#include "describe/builtin_scenario.h"
#include "describe/description_texts.h"
#include "describe/memorizza_dati.h"
#include "platform/line_table.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

class BuiltinReading : public ::testing::Test {
 protected:
  void SetUp() override {
    model.scenario_name = "Lindra_Kestova";
    model.train_number = "31407";
    model.write_line_file = 1;
    testing::written_into(folder.path(), [&](OutputTransaction& out) {
      dati_linea(model, folder.path(), out);
      dati_treno(model, folder.path(), out);
    });
    memorizza_dati(model, {folder / line_text_name(model), folder / train_text_name(model), true});
  }
  const TrackCell& cell(std::int64_t i) const { return *model.cells->find(i); }

  testing::TempFolder folder;
  ScenarioModel model;
};

TEST_F(BuiltinReading, ReadsWithoutFaultAndDeletesBothTexts) {
  EXPECT_EQ(model.error_code, 0);
  EXPECT_TRUE(folder.names().empty());
  EXPECT_EQ(model.cells->last(), 1500);
  EXPECT_EQ(model.plan->last_row(), 75000);
  EXPECT_EQ(model.slots[84].area_end, 68000);
  EXPECT_EQ(model.slots[84].position, 4);
  EXPECT_EQ(model.slots[84].area_start, 115);
  EXPECT_EQ(model.slots[86].area_start, 1300);
  EXPECT_EQ(model.slots[86].area_end, 12150);
  EXPECT_EQ(model.slots[86].position, 4);
  EXPECT_EQ(model.slots[81].area_start, 12800);
  EXPECT_EQ(model.slots[81].area_end, -12800);
  EXPECT_EQ(model.slots[85].area_end, 60000);
}

TEST_F(BuiltinReading, SignboardsFillSlots80DownTo21) {
  int boards = 0;
  int indicators = 0;
  for (const TrackCell& c : model.cells->all()) {
    boards += c.kind == cell_kind::signboard;
    indicators += c.kind == cell_kind::speed_indicator;
  }
  EXPECT_EQ(boards, 60);
  EXPECT_EQ(indicators, 11);
  EXPECT_FALSE(model.slots[21].name.empty());
  EXPECT_TRUE(model.slots[20].name.empty());
  const TrackCell& a = cell(27);
  EXPECT_EQ((std::array<int, 4>{a.value1, a.value2, a.value3, a.value4}),
            (std::array<int, 4>{2222, 2424, 2525, 0}));
  const TrackCell& b = cell(1228);
  EXPECT_EQ((std::array<int, 4>{b.value1, b.value2, b.value3, b.value4}),
            (std::array<int, 4>{2000, 2100, 2100, 20}));
}

TEST_F(BuiltinReading, StationsTakeSlotsWithTheirAreasAndStopCells) {
  const std::int64_t stops[] = {13, 90, 174, 264, 407, 573, 751, 893, 1028, 1270};
  int slot_index = 0;
  for (std::int64_t s : stops) {
    EXPECT_EQ(cell(s).kind, cell_kind::stop) << s;
    EXPECT_GT(cell(s).value1, slot_index) << s;
    slot_index = cell(s).value1;
  }
  EXPECT_EQ(model.slots[1].area_start, -700);
  EXPECT_EQ(model.slots[1].area_end, 700);
  for (int j = 1; j <= 4; ++j) EXPECT_EQ(cell(13 - j).approach, 80 + j);
  EXPECT_EQ(model.slots[2].area_start, 3950);
  EXPECT_EQ(model.slots[2].area_end, 4550);
  EXPECT_EQ(model.slots[3].area_start, 7900);
  EXPECT_EQ(model.slots[3].area_end, 8750);
  for (int halt : {5, 11, 12}) {
    EXPECT_EQ(model.slots[static_cast<std::size_t>(halt)].area_end -
                  model.slots[static_cast<std::size_t>(halt)].area_start,
              200)
        << halt;
  }
  const auto names = builtin_station_names();
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(model.slots[13].name, names[12]);
  EXPECT_EQ(model.slots[13].time_s, 13 * 3600 + 2 * 60);
  EXPECT_EQ(model.slots[14].position, 0);
}

TEST_F(BuiltinReading, SpeedProfileReachesTheTrackEnd) {
  for (int i = 0; i <= 21; ++i) EXPECT_EQ(cell(i).speed_limit, 6) << i;
  for (int i = 22; i <= 62; ++i) EXPECT_EQ(cell(i).speed_limit, 24) << i;
  for (int i = 63; i < 102; ++i) EXPECT_EQ(cell(i).speed_limit, 22) << i;
  EXPECT_EQ(cell(1497).speed_limit, 21);
  for (int i = 1498; i <= 1500; ++i) {
    EXPECT_EQ(cell(i).speed_limit, 0) << i;
    EXPECT_EQ(cell(i).adhesion, 0) << i;
  }
  EXPECT_EQ(cell(700).adhesion, 100);
}

TEST_F(BuiltinReading, SignalsAndSlowdownsLandInTheirCells) {
  const TrackCell& s = cell(33);
  EXPECT_EQ(s.kind, cell_kind::signal);
  EXPECT_EQ((std::array<int, 4>{s.value1, s.value2, s.value3, s.value4}),
            (std::array<int, 4>{53, 61, 0, 7}));
  EXPECT_EQ((std::array<int, 4>{cell(31).approach, cell(29).approach, cell(27).approach,
                                cell(25).approach}),
            (std::array<int, 4>{71, 72, 73, 74}));
  EXPECT_EQ(cell(148).timer, 215);
  EXPECT_EQ(cell(702).timer, 0);  // sx 1 at 35050
  EXPECT_EQ(cell(536).kind, cell_kind::slowdown_warning);
  EXPECT_EQ(cell(560).kind, cell_kind::slowdown_start);
  EXPECT_EQ(cell(576).kind, cell_kind::slowdown_end);
  EXPECT_EQ(cell(620).kind, cell_kind::slowdown_warning);
  EXPECT_EQ(cell(644).value2, 100);
  EXPECT_EQ(cell(648).kind, cell_kind::slowdown_end);
  for (int i = 532; i <= 535; ++i) EXPECT_EQ(cell(i).kind, cell_kind::pre_warning) << i;
  for (int i = 616; i <= 619; ++i) EXPECT_EQ(cell(i).kind, cell_kind::pre_warning) << i;
}

TEST(BuiltinTrainText, Has59LinesWithTheTellingOnesAsWritten) {
  const LineTable table = LineTable::from_text(builtin_train_text());
  ASSERT_EQ(table.line_count(), 59u);
  const auto& lines = table.lines();
  EXPECT_EQ(lines[4], "orologio,    12              4             30 ");
  EXPECT_EQ(lines[8], "velocita,   0,    30");
  EXPECT_EQ(lines[20].substr(0, 71),
            "stazione,    8300, 12,  800,  0, 1, 1,  1,1,0,  4,1,1,   30,  12,16, 0,");
  EXPECT_EQ(lines[32], "rallentamento,   27950,    30,  800, 0,  1,  0");
  EXPECT_EQ(lines[35], "segnale,    1600,   2, 5, 6,  0, 0,    1,  3,1,0, 0");
  EXPECT_EQ(lines[57], "[codici]");
  EXPECT_EQ(lines[58], "[fine]");
  const auto names = builtin_station_names();
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(names[0].rfind("LINDRA", 0), 0u);
  EXPECT_EQ(names[1].rfind("LINDRA", 0), 0u);
  EXPECT_EQ(names[12], "KESTOVA");
  for (const std::string& name : names) {
    for (char c : name) EXPECT_FALSE(c >= 'a' && c <= 'z') << name;
  }
}

}  // namespace
}  // namespace tracciato
