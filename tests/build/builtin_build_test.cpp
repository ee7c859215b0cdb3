#include "build/builtin_build.h"

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

}  // namespace
}  // namespace tracciato
