#include <gtest/gtest.h>

#include "describe/reading_fixture.h"

namespace tracciato {
namespace {

using testing::line_with;
using testing::Reading;
using testing::train_with;

const std::string short_line = line_with("", "lunghezza percorso, 0\n");  // cells 0 .. 140
const std::string long_line = line_with("");                              // cells 0 .. 1500

std::string station(int position, int kind, int length, int extend = 0, int flag_b = 1) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 1, " + std::to_string(flag_b) + ", " + std::to_string(extend) +
         ", 4,1,0, 2,1,1, 30, 12, 5, 0, NOME\n";
}

TEST(TrainReader, GeneralValuesAndCaseInsensitiveKeys) {
  Reading r(short_line,
            train_with("NUMERO VETTURE, 4\npercentuale massa frenata, 115\n"
                       "sabbia, 300\norologio,    12              4             30 \n"));
  EXPECT_EQ(r.model.error_code, 0);
  EXPECT_EQ(r.model.slots[84].position, 4);
  EXPECT_EQ(r.model.slots[84].area_start, 115);
  EXPECT_EQ(r.model.slots[86].num_a, 300);
  EXPECT_EQ(r.model.slots[86].num_c, 12);
  EXPECT_EQ(r.model.slots[86].num_d, 4);
  EXPECT_EQ(r.model.slots[86].num_e, 30);
  EXPECT_FALSE(r.texts_left());
}

TEST(TrainReader, SpeedProfileFillsCellsFromEachRecordOn) {
  Reading r(short_line, train_with("velocita, 0, 30\nVELOCITA, 75, 120\nvelocita, 75, 160\n"
                                   "Velocita, 1000, 100\naderenza, 0, 300\n"));
  EXPECT_EQ(r.model.error_code, 0);
  // 75 rounds to cell 2; the second record at 75 still writes the cursor's cell.
  EXPECT_EQ(r.cell(0).speed_limit, 6);
  EXPECT_EQ(r.cell(1).speed_limit, 6);
  EXPECT_EQ(r.cell(2).speed_limit, 24);
  EXPECT_EQ(r.cell(3).speed_limit, 32);
  EXPECT_EQ(r.cell(19).speed_limit, 32);
  EXPECT_EQ(r.cell(20).speed_limit, 20);
  EXPECT_EQ(r.cell(137).speed_limit, 20);
  EXPECT_EQ(r.cell(138).speed_limit, 0);       // U - 2, U - 1 and U stay 0
  EXPECT_EQ(r.cell(137).adhesion, 300 - 256);  // adhesion keeps its low 8 bits
  EXPECT_EQ(r.cell(140).speed_limit, 0);
}

TEST(TrainReader, ProfilesStartFromZeroAndPosition25WritesNothing) {
  Reading late(short_line, train_with("velocita, 100, 30\n"));
  EXPECT_EQ(late.cell(1).speed_limit, 0);  // before the first record: 0
  EXPECT_EQ(late.cell(2).speed_limit, 6);
  Reading r(short_line, train_with("velocita, 25, 30\nvelocita, 100, 60\n"));
  EXPECT_EQ(r.cell(0).speed_limit, 6);  // 25 is cell 0: the record wrote nothing itself
  EXPECT_EQ(r.cell(1).speed_limit, 6);
  EXPECT_EQ(r.cell(2).speed_limit, 12);
}

TEST(TrainReader, ASpeedThatDoesNotFitIsAFailure) {
  Reading r(short_line, train_with("velocita, 0, 1300\nvelocita, 100, 30\n"));
  EXPECT_EQ(r.model.error_code, 25);
}

TEST(TrainReader, StationAreasByKind) {
  struct Case {
    int kind;
    int length;
    int extend;
    std::int32_t start, end;
    std::int64_t stop_cell;  // 0: none
    bool boards;
  };
  const Case cases[] = {
      {12, 600, 0, 4700, 5300, 105, true}, {12, 800, 1, 4600, 5450, 108, true},
      {5, 600, 1, 4400, 5150, 102, false}, {7, 600, 1, 4400, 5600, 111, true},
      {27, 200, 0, 4900, 5100, 0, false},
  };
  for (const Case& c : cases) {
    Reading r(long_line,
              train_with(station(0, 7, 700) + station(5000, c.kind, c.length, c.extend)));
    EXPECT_EQ(r.model.error_code, 0) << c.kind;
    const SlotRecord& s = r.model.slots[2];
    EXPECT_EQ(s.area_start, c.start) << c.kind;
    EXPECT_EQ(s.area_end, c.end) << c.kind;
    EXPECT_EQ(s.name, "NOME");
    EXPECT_EQ(s.time_s, 12 * 3600 + 5 * 60);
    if (c.stop_cell != 0) {
      EXPECT_EQ(r.cell(c.stop_cell).kind, cell_kind::stop) << c.kind;
      EXPECT_EQ(r.cell(c.stop_cell).value1, 2) << c.kind;
      EXPECT_EQ(r.cell(c.stop_cell - 1).approach, c.boards ? 81 : 0) << c.kind;
      EXPECT_EQ(r.cell(c.stop_cell - 4).approach, c.boards ? 84 : 0) << c.kind;
    }
  }
}

TEST(TrainReader, AnAreaOutside32BitsLeavesTheFieldsStoredBeforeIt) {
  // Kinds 5 and 6 store the area's end first, kinds 7 and 8 its start, the
  // others start then end; extend_end is cleared after the area.
  struct Case {
    const char* station;
    std::int32_t start, end;
    std::uint8_t extend_end;
  };
  const Case cases[] = {
      {"stazione, 100, 5, -2147483600, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 0, 250, 1},
      {"stazione, 100, 6, -2147483600, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 0, 250, 1},
      {"stazione, 100, 7, -2147483600, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 0, 0, 1},
      {"stazione, 100, 8, 2147483600, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, X\n", -2147483500, 0, 1},
      {"stazione, -2147483600, 12, 2147483600, 0,0,1, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 0, 0, 1},
  };
  for (const Case& c : cases) {
    Reading r(long_line, train_with(c.station));
    EXPECT_EQ(r.model.error_code, 25) << c.station;
    EXPECT_EQ(r.model.fault.reason.substr(0, 17), "the station area,") << c.station;
    const SlotRecord& s = r.model.slots[1];
    EXPECT_EQ(s.area_start, c.start) << c.station;
    EXPECT_EQ(s.area_end, c.end) << c.station;
    EXPECT_EQ(s.extend_end, c.extend_end) << c.station;
  }
}

TEST(TrainReader, TheFirstAndShortStationsClearTheirFlags) {
  Reading r(long_line, train_with(station(0, 12, 700, 1) + station(5000, 12, 500, 1)));
  EXPECT_EQ(r.model.slots[1].area_end, 400);  // the 50 m were added before clearing
  EXPECT_EQ(r.model.slots[1].extend_end, 0);
  EXPECT_EQ(r.model.slots[1].flag_b, 0);
  EXPECT_EQ(r.model.slots[2].extend_end, 1);
  EXPECT_EQ(r.model.slots[2].flag_b, 0);  // shorter than 600 m
  EXPECT_EQ(r.model.slots[1].flag_a, 1);
}

TEST(TrainReader, FaultsThatStopTheReading) {
  struct Case {
    const char* name;
    std::string train;
    std::int32_t code;
    std::int32_t position;
  };
  const Case cases[] = {
      {"station off the grid", station(4225, 12, 600) + "numero vetture, 9\n", 8, 4225},
      {"station length", station(5000, 12, 650), 9, 5000},
      {"stop cell at the start", station(0, 12, 100), 24, 0},
      {"stations too close", station(0, 7, 700) + station(1300, 12, 600), 22, 1300},
      {"abbattimento on a taken cell", station(0, 7, 700) + "abbattimento, 650, 100\n", 7, 650},
      {"signal on a stop cell", station(0, 7, 700) + "segnale, 600, 1,4,0,0,0,0,0,0,0,0\n", 16,
       600},
      {"signal before the track", "segnale, -100, 1,4,0,0,0,0,0,0,0,0\n", 16, -100},
      {"slowdown start taken", station(0, 7, 700) + "rallentamento, 600, 30, 400, 0, 0, 0\n", 18,
       600},
      {"slowdown before the track", "rallentamento, -1000, 30, 400, 0, 0, 0\n", 18, -1000},
      {"abbattimento before the track", "abbattimento, -100, 100\n", 7, -100},
  };
  for (const Case& c : cases) {
    Reading r(long_line, train_with(c.train));
    EXPECT_EQ(r.model.error_code, c.code) << c.name;
    EXPECT_EQ(r.model.error_position, c.position) << c.name;
    EXPECT_EQ(r.model.slots[84].position, 0) << c.name << ": read on after the fault";
    EXPECT_FALSE(r.texts_left()) << c.name;
    // A stop skips the fills: no speed limit reaches the end of the track.
    EXPECT_EQ(r.cell(1400).adhesion, 0) << c.name;
  }
}

TEST(TrainReader, TheStationBoundIs800AndOtherRecords100) {
  // U = 140: stations up to 6200, other records up to 6900.
  Reading station_ok(short_line, train_with(station(6200, 28, 200) + "aderenza, 6900, 5\n"));
  EXPECT_EQ(station_ok.model.error_code, 0);
  Reading station_beyond(short_line, train_with(station(6250, 28, 200) + "numero vetture, 3\n"));
  EXPECT_EQ(station_beyond.model.error_code, 15);
  EXPECT_EQ(station_beyond.model.error_position, 6250);
  // Code 15 goes on to the fills.
  EXPECT_EQ(station_beyond.cell(10).adhesion, 0);
  Reading record_beyond(short_line, train_with("aderenza, 0, 7\naderenza, 6950, 5\n"));
  EXPECT_EQ(record_beyond.model.error_code, 15);
  EXPECT_EQ(record_beyond.cell(137).adhesion, 7);
}

TEST(TrainReader, TooManyStationsForTheSignboardSlots) {
  // 60 signboards leave slots 1 .. 19 for stations: the 19th is stored, then 10.
  std::string boards;
  for (int i = 0; i < 60; ++i)
    boards += "cartello_indicatore, " + std::to_string(40000 + 50 * i) + ", (X)\n";
  std::string stations;
  for (int i = 0; i < 20; ++i) stations += station(1000 * i, 28, 200);
  Reading r(line_with(boards), train_with(stations));
  EXPECT_EQ(r.model.error_code, 10);
  EXPECT_EQ(r.model.slots[19].position, 18000);
  EXPECT_EQ(r.model.slots[21].name, "(X)");
  EXPECT_EQ(r.model.slots[20].name, "");
}

TEST(TrainReader, OneFieldCanRunSeveralSteps) {
  Reading r(long_line, train_with("segnale stazione, 7350, 2,3,1,0,0,0,0,0,0,215, 5000, 28, 200, "
                                  "0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, HALT\n[stazioni]\n"));
  EXPECT_EQ(r.model.error_code, 0);
  EXPECT_EQ(r.cell(148).timer, 215);
  EXPECT_EQ(r.model.slots[1].position, 5000);
  EXPECT_EQ(r.model.slots[2].position, 0);  // "[stazioni]" is no station
}

TEST(TrainReader, AbbattimentoPointsWithAndWithoutValue) {
  Reading r(long_line, train_with("abbattimento, 1000, 150\nabbattimento, 2000, 0\n"));
  EXPECT_EQ(r.cell(20).kind, cell_kind::abbattimento);
  EXPECT_EQ(r.cell(20).value1, 150);
  EXPECT_EQ(r.cell(40).kind, cell_kind::abbattimento_without_value);
}

TEST(TrainReader, AMissingOrEmptyTrainTextIs25WithTheCellsInPlace) {
  Reading empty(long_line, "");
  EXPECT_EQ(empty.model.error_code, 25);
  EXPECT_TRUE(empty.model.cells.has_value());
  EXPECT_FALSE(empty.texts_left());

  testing::TempFolder folder;
  testing::write_bytes(folder / "l.txt", long_line);
  ScenarioModel model;
  memorizza_dati(model, {folder / "l.txt", folder / "missing.txt", true});
  EXPECT_EQ(model.error_code, 25);
  EXPECT_TRUE(model.cells.has_value());
}

TEST(TrainReader, ProgressivesOffTheGridAre2AfterAnOtherwiseCleanRead) {
  Reading r(line_with("", "lunghezza percorso, 68000\nprogressiva chilometrica uno, 1025, 0, 0\n"),
            train_with("velocita, 0, 30\n"));
  EXPECT_EQ(r.model.error_code, 2);
  EXPECT_EQ(r.cell(100).speed_limit, 6);
  // The diagnostic points at the start that is off the grid.
  ASSERT_TRUE(r.model.fault.at.has_value());
  EXPECT_EQ(r.model.fault.at->file, r.sources.line_text.string());
  EXPECT_EQ(r.model.fault.at->line, 3);
  EXPECT_EQ(r.model.fault.at->column, 31);
}

}  // namespace
}  // namespace tracciato
