#include "check/check_route.h"

#include <gtest/gtest.h>

#include "check/check_report.h"
#include "check/keyword_suggestion.h"
#include "describe/builtin_scenario.h"
#include "platform/line_table.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;
using testing::write_bytes;

std::string without(std::string text, const std::string& prefix) {
  for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
    text.erase(at, prefix.size());
  }
  return text;
}

// Checks l.txt and t.txt; gives the report as a person reads it, or as JSON.
std::string check(const std::string& line, const std::string& train, bool json = false,
                  std::set<std::string> disabled = {}) {
  TempFolder folder;
  write_bytes(folder / "l.txt", line);
  write_bytes(folder / "t.txt", train);
  CheckRequest request{folder / "l.txt", folder / "t.txt", "S", "1", std::move(disabled)};
  const std::vector<Diagnostic> found = check_route(request);
  EXPECT_EQ(folder.names(), (std::set<std::string>{"l.txt", "t.txt"}));  // check writes nothing
  return without(json ? check_report_json(found) : check_report_text(found),
                 folder.path().string() + "/");
}

TEST(Check, TheBuiltInDescriptionsCheckClean) {
  const std::string line = line_table_bytes(LineTable::from_text(builtin_line_text()));
  const std::string train = line_table_bytes(LineTable::from_text(builtin_train_text()));
  EXPECT_EQ(check(line, train), "0 errors, 0 warnings\n");
}

TEST(Check, MisspeltKeywordsInBothFilesAndTheFaultTogetherInFileOrder) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\npendeza, 12000, -6\n"
      "curvad3, 14000, 300\nnota: cartelo, 5\n[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 100\nstazone, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
      "stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n";
  EXPECT_EQ(check(line, train),
            "l.txt:4:1: warning: \"pendeza\" names no record: it and the values after it are "
            "skipped; did you mean \"pendenza\"? [-Wunknown-keyword]\n"
            "  pendeza, 12000, -6\n"
            "  ^\n"
            "l.txt:6:1: warning: \"nota: cartelo\" names no record: it and the values after it "
            "are skipped [-Wunknown-keyword]\n"
            "  nota: cartelo, 5\n"
            "  ^\n"
            "t.txt:3:1: warning: \"stazone\" names no record: it and the values after it are "
            "skipped; did you mean \"stazione\"? [-Wunknown-keyword]\n"
            "  stazone, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
            "  ^\n"
            "t.txt:4:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
            "  stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "            ^\n"
            "1 error, 3 warnings\n");
  EXPECT_EQ(check(line, train, true, {"unknown-keyword"}),
            "[\n"
            "  {\"severity\": \"error\", \"code\": 8, \"file\": \"t.txt\", \"line\": 4, "
            "\"column\": 11, \"position_m\": 4225, \"message\": \"the station's position is not "
            "a multiple of 50 (at 4225 m)\", \"notes\": []}\n"
            "]\n");
}

TEST(Check, TheValuesSkippedWithAnUnknownKeywordAreNotReportedAgain) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\ncartelo_indicatore, 1300, (A)(B)\n[fine]\n";
  EXPECT_EQ(check(line, "[generale]\nvelocita, 0, 100\n"),
            "l.txt:4:1: warning: \"cartelo_indicatore\" names no record: it and the values after "
            "it are skipped; did you mean \"cartello_indicatore\"? [-Wunknown-keyword]\n"
            "  cartelo_indicatore, 1300, (A)(B)\n"
            "  ^\n"
            "0 errors, 1 warning\n");
}

TEST(KeywordSuggestion, NamesTheKeywordWithinTwoEditsAndNothingFarther) {
  const std::pair<const char*, const char*> cases[] = {
      {"pendeza", "pendenza"}, {"  Stazone ", "stazione"}, {"rallentameto", "rallentamento"},
      {"segnael", "segnale"},  {"curvsd3", "curvad3"},     {"velocità", "velocita"},
  };
  for (const auto& [field, keyword] : cases) EXPECT_EQ(nearest_keyword(field), keyword) << field;
  for (const char* field : {"nota", "xyz", "pendolino rapido"}) {
    EXPECT_EQ(nearest_keyword(field), std::nullopt) << field;
  }
}

}  // namespace
}  // namespace tracciato
