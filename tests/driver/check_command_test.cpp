// tracciato check, run as a route author would.
#include <gtest/gtest.h>

#include <string>

#include "support/run_tracciato.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::Outcome;
using testing::TempFolder;
using testing::tracciato;
using testing::write_bytes;

// A line of 52 gradients off the grid, each warned of.
class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string line = "[generale]\nlunghezza percorso, 68000\n[curve]\n";
    for (int i = 0; i < 52; ++i) line += "pendenza, 1010, 3\n";
    write_bytes(folder / "l.txt", line + "[fine]\n");
    write_bytes(folder / "t.txt", "[generale]\nvelocita, 0, 100\n[fine]\n");
  }
  Outcome check(const std::string& options) {
    return tracciato(folder, "check --line l.txt --train t.txt -Wno-missing-section " + options);
  }
  // The warning of line `n` of l.txt, as check prints it.
  static std::string warning_of_line(int n) {
    return "l.txt:" + std::to_string(n) +
           ":11: warning: 1010 m is not a multiple of 50: the record is laid from cell 20, which "
           "holds metres 950 to 1000 [-Woff-grid]\n"
           "  pendenza, 1010, 3\n"
           "            ^\n"
           "tracciato: note: see docs/formats.md, 1. Positions and cells\n";
  }
  TempFolder folder;
};

TEST_F(CheckCommand, FiftyWarningsOfANameAreShownUnlessMaxWarningsSaysOtherwise) {
  const std::pair<const char*, int> cases[] = {
      {"", 50}, {"--max-warnings 0", 52}, {"--max-warnings 51", 51}, {"--max-warnings 52", 52}};
  for (const auto& [options, shown] : cases) {
    std::string expected;
    for (int n = 4; n < 4 + shown; ++n) expected += warning_of_line(n);
    if (shown < 52) {
      expected += std::to_string(52 - shown) +
                  " more -Woff-grid warnings not shown (--max-warnings 0 shows all)\n";
    }
    const Outcome run = check(options);
    EXPECT_EQ(run.status, 0) << options;
    EXPECT_EQ(run.errors, "") << options;
    EXPECT_EQ(run.output, expected + "0 errors, 52 warnings\n") << options;
  }
  // Under --Werror the warnings not shown count as much as those shown.
  EXPECT_EQ(check("--max-warnings 1 --Werror").status, 1);
}

TEST_F(CheckCommand, JsonTellsTheWarningsLeftOutInAnObjectOfTheirOwn) {
  const Outcome run = check("--max-warnings 1 --format json");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(
      run.output,
      "[\n"
      "  {\"severity\": \"warning\", \"name\": \"off-grid\", \"file\": \"l.txt\", \"line\": 4, "
      "\"column\": 11, \"position_m\": 1010, \"message\": \"1010 m is not a multiple of 50: "
      "the record is laid from cell 20, which holds metres 950 to 1000\", \"notes\": "
      "[{\"message\": \"see docs/formats.md, 1. Positions and cells\", \"location\": "
      "null}]},\n"
      "  {\"severity\": \"note\", \"name\": \"off-grid\", \"file\": null, \"line\": null, "
      "\"column\": null, \"position_m\": null, \"message\": \"51 more -Woff-grid warnings "
      "not shown (--max-warnings 0 shows all)\", \"notes\": [], \"not_shown\": 51}\n"
      "]\n");
}

}  // namespace
}  // namespace tracciato
