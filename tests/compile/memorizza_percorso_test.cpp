#include "compile/memorizza_percorso.h"

#include <gtest/gtest.h>

#include "compile/errors.h"
#include "describe/source_map.h"
#include "driver/builtin_build.h"
#include "model/compiled_files.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;
using testing::write_bytes;

TEST(CompileStep, TheBuiltInBuildCarriesMarksCodesAndPostPassPoints) {
  TempFolder folder;
  ScenarioModel model;
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return run_builtin_build(model, folder.path(), out);
  });
  EXPECT_EQ(model.error_code, 0);
  const CellArray& cells = *model.cells;
  EXPECT_EQ(model.slots[85].num_a, 610);
  EXPECT_EQ(model.slots[85].time_s, 34920);
  EXPECT_EQ(cells.find(1)->value1, 5121);
  EXPECT_EQ(cells.find(1)->value2, 2433);
  // Along the 30 km/h slowdown (560 .. 576), its advance points, those of
  // the 100 km/h one (644), and the point before the signal at 26200 m,
  // which stands within 20 cells before the first warning point (536).
  for (int i : {568, 575, 555, 549, 542, 639, 633, 626, 524}) {
    EXPECT_EQ(cells.find(i)->kind, cell_kind::abbattimento) << i;
    EXPECT_EQ(cells.find(i)->value1, 180) << i;
  }
  int points = 0;
  for (const TrackCell& c : cells.all()) points += c.kind == cell_kind::abbattimento;
  EXPECT_EQ(points, 9);
  // The files hold the final model.
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_31407.dat"), track_file_image(cells));
  EXPECT_EQ(read_bytes(folder / "Lindra_Kestova_31407.sim"), scenario_file_image(model.slots));
}

TEST(CompileStep, ResetsTheSlotsAndTheErrorCodeButNotItsPosition) {
  TempFolder folder;
  write_bytes(folder / "l.txt", "[generale]\nlunghezza percorso, 0\n[fine]\n");
  write_bytes(folder / "t.txt", "[generale]\n[fine]\n");
  ScenarioModel model;
  model.scenario_name = "S";
  model.train_number = "1";
  model.slots[40].name = "old";
  model.error_code = 12;
  model.error_position = 999;
  const auto files = testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return memorizza_percorso(model, 0, {folder / "l.txt", folder / "t.txt", false}, folder.path(),
                              out);
  });
  EXPECT_EQ(files, (std::vector<std::string>{"S_1.sim", "S_1.dat"}));
  EXPECT_EQ(model.slots[40].name, "");
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(model.error_position, 999);
  EXPECT_TRUE(std::filesystem::exists(folder / "l.txt"));  // an author's text stays
}

TEST(CompileStep, WithoutCell1NothingIsWritten) {
  for (const char* line : {"[generale]\nlunghezza percorso, -6975\n[fine]\n", "nothing\n"}) {
    TempFolder folder;
    write_bytes(folder / "l.txt", line);
    write_bytes(folder / "t.txt", "[generale]\n[fine]\n");
    ScenarioModel model;
    EXPECT_THROW(testing::written_into(folder.path(),
                                       [&](OutputTransaction& out) {
                                         return memorizza_percorso(
                                             model, 1, {folder / "l.txt", folder / "t.txt", false},
                                             folder.path(), out);
                                       }),
                 NoTrack)
        << line;
    EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt"})) << line;
  }
}

TEST(CompileStep, TheSizeOfTheCellsAndThePlanDecidesWhichRouteLengthsCanBeRead) {
  // U = round((L + 7000) / 50) is 0 down to L = -7025: one cell, no cell 1,
  // so the build stops with no track but records nothing. The plan has rows
  // 0 .. L + 7000, which L < -7000 cannot give: a failure of the reader.
  struct Case {
    std::int32_t length;
    std::int32_t line_file;
    std::int32_t code;
  };
  for (const Case c : {Case{-7001, 0, 0}, Case{-7025, 0, 0}, Case{-7026, 0, 25}, Case{-7001, 1, 25},
                       Case{-7025, 1, 25}, Case{-7026, 1, 25}}) {
    const std::string line =
        "[generale]\nlunghezza percorso, " + std::to_string(c.length) + "\n[fine]\n";
    const std::string train = "[generale]\nnumero vetture, 4\n[fine]\n";
    ScenarioModel model;
    SourceMap map;
    EXPECT_THROW(compile_scenario(model, c.line_file, {"l.txt", "t.txt", false, &line, &train}, map,
                                  nullptr),
                 NoTrack)
        << c.length;
    EXPECT_EQ(model.error_code, c.code) << c.length << " " << c.line_file;
    EXPECT_EQ(model.cells.has_value(), c.code == 0) << c.length << " " << c.line_file;
    if (c.code == 0) {
      EXPECT_EQ(model.cells->last(), 0) << c.length;
      EXPECT_EQ(model.slots[84].position, 4) << c.length;  // the train text was read
    }
  }
}

}  // namespace
}  // namespace tracciato
