#include "driver/builtin_build.h"

#include <gtest/gtest.h>

#include "platform/io_failure.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::TempFolder;

std::vector<std::string> build_into(ScenarioModel& model, const TempFolder& folder) {
  return testing::written_into(folder.path(), [&](OutputTransaction& output) {
    return run_builtin_build(model, folder.path(), output);
  });
}

TEST(BuiltinBuild, SetsTheIdentityAndEndsWithTheCompiledFiles) {
  TempFolder folder;
  ScenarioModel model;
  const auto files = build_into(model, folder);
  EXPECT_EQ(model.scenario_name, "Lindra_Kestova");
  EXPECT_EQ(model.train_number, "31407");
  EXPECT_EQ(files.back(), "Lindra_Kestova_31407.dat");
}

// The texts are the build's own files under names of their own: a folder
// named like one of them is never touched.
TEST(BuiltinBuild, ItsTextsTakeNoNameOfTheFolder) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Lindra_Kestova_31407-.txt");
  ScenarioModel model;
  build_into(model, folder);
  EXPECT_EQ(model.error_code, 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Lindra_Kestova_31407-.txt"));
  EXPECT_EQ(folder.names().size(), 7u);
}

TEST(BuiltinBuild, WhenTheNotesCannotBeWrittenNothingOfTheBuildIsLeft) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Lindra_Kestova_31407_note.txt");
  ScenarioModel model;
  try {
    build_into(model, folder);
    FAIL() << "no failure";
  } catch (const IoFailure& failure) {
    EXPECT_EQ(std::string(failure.what()), (folder / "Lindra_Kestova_31407_note.txt").string() +
                                               ": cannot write: a folder stands in its place");
  }
  EXPECT_EQ(folder.names(), (std::set<std::string>{"Lindra_Kestova_31407_note.txt"}));
}

TEST(BuiltinBuild, ACleanBuildLeavesTheDocumentsAndTheCompiledFilesOnly) {
  TempFolder folder;
  ScenarioModel model;
  build_into(model, folder);
  EXPECT_EQ(model.error_code, 0);
  EXPECT_EQ(folder.names(),
            (std::set<std::string>{
                "Lindra_Kestova_31407_note.txt", "Lindra_Kestova_31407_rallentamenti.txt",
                "Lindra_Kestova_31407_scheda_treno.txt", "Lindra_Kestova_linea.dat",
                "Lindra_Kestova_31407.sim", "Lindra_Kestova_31407.dat"}));
}

}  // namespace
}  // namespace tracciato
