// The command line, run as a user of any Unix tool would.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tracciato.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::Outcome;
using testing::TempFolder;
using testing::tracciato;

TEST(CommandLine, OptionsBeforeTheCommandApplyToItOrAreRefused) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "out");
  const Outcome early = tracciato(folder, "--out out export");
  EXPECT_EQ(early.status, 0) << early.errors;
  EXPECT_EQ(early.errors, "Written to out: Lindra_Kestova_linea.txt Lindra_Kestova_31407-.txt\n");
  EXPECT_EQ(folder.names(), (std::set<std::string>{"out"}));
  const std::pair<const char*, const char*> refused[] = {
      {"--report r.json export", "tracciato: --report does not apply to export\n"},
      {"--out out check --line a --train b", "tracciato: --out does not apply to check\n"},
      {"--out out export --out out", "tracciato: --out is given both before and after export\n"},
      {"compile --bogus --line a", "tracciato: unknown option --bogus\n"},
      {"--bogus export", "tracciato: unknown option --bogus\n"},
      {"check --line a --train b stray", "tracciato: unexpected argument stray\n"},
      {"compile --line a --train b --scenario S",
       "tracciato: compile: --train-number is required\n"},
      {"check --train b", "tracciato: check: --line is required\n"},
  };
  for (const auto& [arguments, message] : refused) {
    const Outcome run = tracciato(folder, arguments);
    EXPECT_EQ(run.status, 3) << arguments;
    EXPECT_EQ(run.errors, message) << arguments;
  }
  EXPECT_EQ(folder.names(), (std::set<std::string>{"out"}));
}

TEST(CommandLine, VersionAndEveryHelpWithTheExitStatuses) {
  TempFolder folder;
  const Outcome version = tracciato(folder, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.output.starts_with("tracciato " TRACCIATO_VERSION)) << version.output;
  const std::string statuses =
      "Exit status:\n"
      "  0  done, no fault\n"
      "  1  a fault was recorded (check: an error, or a warning under --Werror)\n"
      "  2  the build stopped (no track, error 1250 or 1251); no compiled file written\n"
      "  3  a usage or input/output failure; nothing written\n";
  for (const char* help :
       {"--help", "build --help", "compile --help", "export --help", "check --help"}) {
    const Outcome run = tracciato(folder, help);
    EXPECT_EQ(run.status, 0) << help;
    EXPECT_NE(run.output.find(statuses), std::string::npos) << help << ":\n" << run.output;
  }
  EXPECT_TRUE(folder.names().empty());
}

TEST(CommandLine, MaxWarningsTakesAWholeNumberForCheckAndCompile) {
  TempFolder folder;
  for (const char* command : {"check --line a --train b",
                              "compile --line a --train b "
                              "--scenario S --train-number 1"}) {
    for (const char* value : {"-1", "x", "1.5", "1234567890"}) {
      const Outcome run = tracciato(folder, std::string(command) + " --max-warnings " + value);
      EXPECT_EQ(run.status, 3) << command << value;
      EXPECT_EQ(run.errors, std::string("tracciato: --max-warnings takes a whole number of "
                                        "warnings, 0 for all, found \"") +
                                value + "\"\n")
          << command << value;
    }
    const Outcome help = tracciato(folder, std::string(command).substr(0, 7) + " --help");
    EXPECT_NE(help.output.find("--max-warnings N"), std::string::npos) << help.output;
  }
  EXPECT_TRUE(folder.names().empty());
}

}  // namespace
}  // namespace tracciato
