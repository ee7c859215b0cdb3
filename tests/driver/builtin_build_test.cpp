#include "driver/builtin_build.h"

#include <gtest/gtest.h>

#include "platform/io_failure.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;

TEST(BuiltinBuild, SetsTheIdentityAndEndsWithTheCompiledFiles) {
  TempFolder folder;
  ScenarioModel model;
  const auto files = run_builtin_build(model, folder.path());
  EXPECT_EQ(model.scenario_name, "Lindra_Kestova");
  EXPECT_EQ(model.train_number, "31407");
  EXPECT_EQ(files.back(), "Lindra_Kestova_31407.dat");
}

TEST(BuiltinBuild, AFailingStepStopsTheLaterOnesAndKeepsTheEarlierFiles) {
  TempFolder folder;
  // The train description cannot be written where a folder takes its name.
  std::filesystem::create_directory(folder / "Lindra_Kestova_31407-.txt");
  ScenarioModel model;
  EXPECT_THROW(run_builtin_build(model, folder.path()), IoFailure);
  EXPECT_EQ(folder.names(),
            (std::set<std::string>{"Lindra_Kestova_linea.txt", "Lindra_Kestova_31407-.txt"}));
}

TEST(BuiltinBuild, WhenTheNotesCannotBeWrittenNothingAfterThemIs) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Lindra_Kestova_31407_note.txt");
  ScenarioModel model;
  EXPECT_THROW(run_builtin_build(model, folder.path()), IoFailure);
  // The two description texts came before the notes; no document and no
  // compiled file after them.
  EXPECT_EQ(folder.names(),
            (std::set<std::string>{"Lindra_Kestova_linea.txt", "Lindra_Kestova_31407-.txt",
                                   "Lindra_Kestova_31407_note.txt"}));
}

TEST(BuiltinBuild, ACleanBuildLeavesTheDocumentsAndTheCompiledFilesOnly) {
  TempFolder folder;
  ScenarioModel model;
  run_builtin_build(model, folder.path());
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(folder.names(),
            (std::set<std::string>{
                "Lindra_Kestova_31407_note.txt", "Lindra_Kestova_31407_rallentamenti.txt",
                "Lindra_Kestova_31407_scheda_treno.txt", "Lindra_Kestova_linea.dat",
                "Lindra_Kestova_31407.sim", "Lindra_Kestova_31407.dat"}));
}

}  // namespace
}  // namespace tracciato
