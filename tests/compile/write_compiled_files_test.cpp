#include "compile/write_compiled_files.h"

#include <gtest/gtest.h>

#include "model/compiled_files.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::read_bytes;
using testing::TempFolder;

TEST(WriteCompiledFiles, WrittenInOrderAndTheLineFileOnlyWhenAsked) {
  TempFolder folder;
  ScenarioModel model;
  model.scenario_name = "Lindra_Kestova";
  model.train_number = "31407";
  model.write_line_file = 1;
  create_track(model, 0);
  EXPECT_EQ(testing::written_into(folder.path(),
                                  [&](OutputTransaction& out) {
                                    return write_compiled_files(model, folder.path(), out);
                                  }),
            (std::vector<std::string>{"Lindra_Kestova_linea.dat", "Lindra_Kestova_31407.sim",
                                      "Lindra_Kestova_31407.dat"}));

  TempFolder other;
  model.write_line_file = 0;
  EXPECT_EQ(testing::written_into(other.path(),
                                  [&](OutputTransaction& out) {
                                    return write_compiled_files(model, other.path(), out);
                                  }),
            (std::vector<std::string>{"Lindra_Kestova_31407.sim", "Lindra_Kestova_31407.dat"}));
  EXPECT_EQ(other.names(),
            (std::set<std::string>{"Lindra_Kestova_31407.sim", "Lindra_Kestova_31407.dat"}));
}

TEST(WriteCompiledFiles, ASecondShorterBuildLeavesNothingOfTheFirst) {
  TempFolder folder;
  ScenarioModel model;
  model.scenario_name = "S";
  model.train_number = "1";
  create_track(model, 68000);
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return write_compiled_files(model, folder.path(), out);
  });
  create_track(model, 0);
  testing::written_into(folder.path(), [&](OutputTransaction& out) {
    return write_compiled_files(model, folder.path(), out);
  });
  EXPECT_EQ(read_bytes(folder / "S_1.dat"), track_file_image(*model.cells));
  EXPECT_EQ(folder.names(), (std::set<std::string>{"S_1.sim", "S_1.dat"}));
}

}  // namespace
}  // namespace tracciato
