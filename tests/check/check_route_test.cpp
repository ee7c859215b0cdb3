#include "check/check_route.h"

#include <gtest/gtest.h>

#include "check/check_report.h"
#include "describe/builtin_scenario.h"
#include "platform/byte_sink.h"
#include "platform/io_failure.h"
#include "platform/line_table.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;
using testing::without;
using testing::write_bytes;

// Checks l.txt and t.txt; gives the report as a person reads it, or as JSON.
// The small fixtures lay no station or signal: that warning is off unless asked.
std::string check(const std::string& line, const std::string& train, bool json = false,
                  std::set<std::string> disabled = {"missing-section"}) {
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
  EXPECT_EQ(check(line, train, false, {}), "0 errors, 0 warnings\n");
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
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:6:1: warning: \"nota: cartelo\" names no record: it and the values after it "
            "are skipped [-Wunknown-keyword]\n"
            "  nota: cartelo, 5\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt:3:1: warning: \"stazone\" names no record: it and the values after it are "
            "skipped; did you mean \"stazione\"? [-Wunknown-keyword]\n"
            "  stazone, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt:4:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
            "  stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "            ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "1 error, 3 warnings\n");
  EXPECT_EQ(check(line, train, true, {"unknown-keyword", "missing-section"}),
            "[\n"
            "  {\"severity\": \"error\", \"code\": 8, \"file\": \"t.txt\", \"line\": 4, "
            "\"column\": 11, \"position_m\": 4225, \"message\": \"the station's position is not "
            "a multiple of 50 (at 4225 m)\", \"notes\": [{\"message\": \"see docs/formats.md, 7. "
            "Error codes\", \"location\": null}]}\n"
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
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "0 errors, 1 warning\n");
}

TEST(Check, EveryFaultOfBothFilesInOneRunAndACascadeOnlyOnce) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\n"
      "cartello_indicatore, 74950, (A)(B)\n"
      "indicatori_vmax, 1300, 110,120,125,0, 110,120,125,0\n"
      "cartello_indicatore, 1300, (C)(D)\n"
      "pendenza, 12OOO, 3\n[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 100\n"
      "stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
      "segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
      "abbattimento, 1650, 100\n";
  // The signal where the train reading stops because of the line's error 15
  // is that fault's note, not a fault of its own.
  EXPECT_EQ(check(line, train),
            "l.txt:4:22: error 15: the record lies beyond the end of the track: the track's "
            "last cell is 1500 (at 74950 m)\n"
            "  cartello_indicatore, 74950, (A)(B)\n"
            "                       ^\n"
            "t.txt:4:10: note: reading of the train description stopped at this record because "
            "of the fault above; the error record takes its position, 1600 m\n"
            "  segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
            "           ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "l.txt:6:22: error 6: the signboard's cell is already taken (at 1300 m)\n"
            "  cartello_indicatore, 1300, (C)(D)\n"
            "                       ^\n"
            "l.txt:5:18: note: cell 27 already holds a speed-indicator board, laid by this "
            "record\n"
            "  indicatori_vmax, 1300, 110,120,125,0, 110,120,125,0\n"
            "                   ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "l.txt:7:11: error 25: expected a whole number, found \"12OOO\"\n"
            "  pendenza, 12OOO, 3\n"
            "            ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "t.txt:3:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
            "  stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "            ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "t.txt:5:15: error 7: the abbattimento point's cell is already taken (at 1650 m)\n"
            "  abbattimento, 1650, 100\n"
            "                ^\n"
            "t.txt:4:10: note: cell 33 already holds a signal, laid by this record\n"
            "  segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
            "           ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "5 errors, 0 warnings\n");
}

// Each fault that ends the reading costs a compile of both texts; past the
// budget the check stops and says where, not silently.
TEST(Check, ACheckOverItsReadingBudgetStopsAtAFaultAndSaysSo) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[fine generale]\n"
      "pendenza, 12OOO, 3\npendenza, 13OOO, 3\n[fine]\n";
  const std::string train = "[generale]\nvelocita, 0, 100\n[fine]\n";
  CheckRequest request{"l.txt", "t.txt", "S", "1", {"missing-section"}};
  const auto report = [&] { return check_report_text(check_texts(request, {line, train})); };
  const std::string second =
      "l.txt:5:11: error 25: expected a whole number, found \"13OOO\"\n"
      "  pendenza, 13OOO, 3\n"
      "            ^\n";
  const std::string first =
      "l.txt:4:11: error 25: expected a whole number, found \"12OOO\"\n"
      "  pendenza, 12OOO, 3\n"
      "            ^\n";
  const std::string hint = "tracciato: note: see docs/formats.md, 7. Error codes\n";
  EXPECT_EQ(report(), first + hint + second + hint + "2 errors, 0 warnings\n");
  request.reading_budget = 0;
  EXPECT_EQ(report(), first +
                          "tracciato: note: the check stops here, after compiling the texts "
                          "once: mend this fault and check again to see past it\n" +
                          hint + "1 error, 0 warnings\n");
}

TEST(Check, EveryFaultOfThePostPassNotOnlyTheLast) {
  const std::string train =
      "[generale]\n"
      "abbattimento, 27750, 0\nabbattimento, 27700, 0\nabbattimento, 27650, 0\n"
      "rallentamento, 27950, 30, 800, 0, 0, 0\n"
      "abbattimento, 39800, 0\nabbattimento, 39750, 0\nabbattimento, 39700, 0\n"
      "rallentamento, 40000, 130, 800, 0, 0, 0\n";
  EXPECT_EQ(check("[generale]\nlunghezza percorso, 68000\n[fine]\n", train),
            "tracciato: error 12: no free cell for an advance point before a slowdown start, the "
            "slowdown start's cell 560 (at 28000 m)\n"
            "t.txt:5:16: note: cell 560 holds a slowdown start point, laid by this record\n"
            "  rallentamento, 27950, 30, 800, 0, 0, 0\n"
            "                 ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "tracciato: error 12: no free cell for an advance point before a slowdown start, the "
            "slowdown start's cell 801 (at 40050 m)\n"
            "t.txt:9:16: note: cell 801 holds a slowdown start point, laid by this record\n"
            "  rallentamento, 40000, 130, 800, 0, 0, 0\n"
            "                 ^\n"
            "tracciato: note: see docs/formats.md, 7. Error codes\n"
            "2 errors, 0 warnings\n");
}

TEST(Check, ValuesLeftOverAndPositionsOffTheGridAreWarnedAtTheirField) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\npendenza, 1010, 3\n[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 2,5\n"
      "segnale, 1625, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
      "abbattimento, 2030, 100\n"
      "stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, 0, X\n"
      "[fine]\n";
  EXPECT_EQ(check(line, train),
            "l.txt:4:11: warning: 1010 m is not a multiple of 50: the record is laid from cell "
            "20, which holds metres 950 to 1000 [-Woff-grid]\n"
            "  pendenza, 1010, 3\n"
            "            ^\n"
            "tracciato: note: see docs/formats.md, 1. Positions and cells\n"
            "t.txt:2:16: warning: \"5\" is left over after the record's values and is skipped: a "
            "decimal comma, or a value too many? [-Wextra-value]\n"
            "  velocita, 0, 2,5\n"
            "                 ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt:3:10: warning: 1625 m is not a multiple of 50: the record is laid from cell "
            "34, which holds metres 1650 to 1700 [-Woff-grid]\n"
            "  segnale, 1625, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
            "           ^\n"
            "tracciato: note: see docs/formats.md, 1. Positions and cells\n"
            "t.txt:4:15: warning: 2030 m is not a multiple of 50: the record is laid from cell "
            "41, which holds metres 2000 to 2050 [-Woff-grid]\n"
            "  abbattimento, 2030, 100\n"
            "                ^\n"
            "tracciato: note: see docs/formats.md, 1. Positions and cells\n"
            "t.txt:5:60: warning: \"X\" is left over after the record's values and is skipped: a "
            "decimal comma, or a value too many? [-Wextra-value]\n"
            "  stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, 0, X\n"
            "                                                             ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "0 errors, 5 warnings\n");
  EXPECT_EQ(check(line, train, false, {"off-grid", "extra-value", "missing-section"}),
            "0 errors, 0 warnings\n");
}

TEST(Check, ManyFindingsShareTheTextTheyPointInto) {
  // Two thousand off-grid gradients, on one long line and one per line:
  // every warning points into the one copy of the text that was read, none
  // holds a line of its own, and the last shows its line (a window of the
  // long one) with the caret under its field.
  std::string one_line;
  std::string per_line;
  for (int i = 0; i < 2000; ++i) {
    one_line += "pendenza, 25, 0, ";
    per_line += "pendenza, 25, 0\n";
  }
  const std::string message =
      " warning: 25 m is not a multiple of 50: the record is laid from cell 0, which holds "
      "metres -50 to 0 [-Woff-grid]\n";
  // The long line's last 100 columns; the caret stands 93 columns in.
  std::string window = "ndenza, 25, 0, ";
  for (int i = 0; i < 5; ++i) window += "pendenza, 25, 0, ";
  const std::pair<std::string, std::string> cases[] = {
      {one_line + "\n",
       "l.txt:4:33994:" + message + "  ..." + window + "\n" + std::string(2 + 3 + 93, ' ') + "^\n"},
      {per_line, "l.txt:2003:11:" + message + "  pendenza, 25, 0\n            ^\n"},
  };
  for (const auto& [records, last] : cases) {
    TempFolder folder;
    write_bytes(folder / "l.txt",
                "[generale]\nlunghezza percorso, 68000\n[curve]\n" + records + "[fine]\n");
    write_bytes(folder / "t.txt", "[generale]\n[fine]\n");
    const std::vector<Diagnostic> found =
        check_route({folder / "l.txt", folder / "t.txt", "S", "1", {"missing-section"}});
    ASSERT_EQ(found.size(), 2000u);
    for (const Diagnostic& d : found) {
      ASSERT_TRUE(d.at && d.at->text);
      EXPECT_EQ(d.at->text, found.front().at->text);
    }
    EXPECT_EQ(without(format_diagnostic(found.back()), folder.path().string() + "/"),
              last + "tracciato: note: see docs/formats.md, 1. Positions and cells\n");
  }
}

TEST(Check, AWarningNamesALongFieldByItsStart) {
  const std::string board = "(" + std::string(50, 'Z') + ")";
  const std::string keyword(60, 'y');
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\ncartello_indicatore, "
      "1000, " +
      board + "\n" + keyword + ", 5\n[fine]\n";
  EXPECT_EQ(check(line, "[generale]\nvelocita, 0, 100\n"),
            "l.txt:4:28: warning: the board line \"(" + std::string(39, 'Z') +
                "...\" (52 characters) holds 50 characters between its parentheses; a board "
                "line shows 16 [-Wempty-text]\n"
                "  cartello_indicatore, 1000, " +
                board +
                "\n"
                "                             ^\n"
                "tracciato: note: see docs/formats.md, 3.2 Feature records\n"
                "l.txt:5:1: warning: \"" +
                std::string(40, 'y') +
                "...\" (60 characters) names no record: it and the values after it are "
                "skipped [-Wunknown-keyword]\n"
                "  " +
                keyword +
                ", 5\n"
                "  ^\n"
                "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
                "0 errors, 2 warnings\n");
}

TEST(Check, MissingSectionsAndCurveClassesThatAreNotOneDigit) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\ncurvas12, 1000, 300\n[fine]\n";
  EXPECT_EQ(check(line, "[general]\nvelocita, 0, 100\n", false, {}),
            "l.txt:4:1: warning: the curve keyword \"curvas12\" is read as class 1: a class is "
            "one digit from 1 to 6 [-Wcurve-class]\n"
            "  curvas12, 1000, 300\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 3.2 Feature records\n"
            "t.txt: warning: there is no [generale] section: no record of this description is "
            "read [-Wmissing-section]\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt: warning: the train description lays no station [-Wmissing-section]\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt: warning: the train description lays no signal [-Wmissing-section]\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt:1:1: warning: \"[general]\" names no record: it and the values after it are "
            "skipped; did you mean \"[generale]\"? [-Wunknown-keyword]\n"
            "  [general]\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "0 errors, 5 warnings\n");
}

TEST(Check, RecordsOutOfOrderAndFeaturesBeyondTheEndOfTheLine) {
  const std::string line =
      "[generale]\nlunghezza percorso, 10000\n[curve]\npendenza, 1500, 3\npendenza, 1000, 2\n"
      "[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 100\nsegnale, 12000, 1, 4,0,0, 0, 0, 0,0,0, 0\n[fine]\n";
  EXPECT_EQ(check(line, train),
            "l.txt:5:11: warning: the gradient at 1000 m comes after one at 1500 m: records of a "
            "kind must be written in rising order of position [-Worder]\n"
            "  pendenza, 1000, 2\n"
            "            ^\n"
            "tracciato: note: see docs/formats.md, 8. Warnings of check\n"
            "t.txt:3:10: warning: the signal at 12000 m stands beyond the end of the line, in the "
            "track's 7000 m tail [-Wbeyond-line-end]\n"
            "  segnale, 12000, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
            "           ^\n"
            "tracciato: note: see docs/formats.md, 1. Positions and cells\n"
            "0 errors, 2 warnings\n");
}

TEST(Check, CommentsReadAsRecordsEmptyValuesSignboardTextsAndEncodings) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\nSfondo uno, 0\nnota: sfondo tre, 5\n[curve]\n"
      "curvad2, 1000, 500\ncurvas3, 1400, 200\n"
      "nota: da qui la pendenza sale, 2000, 3\n"
      "indicatori_vmax, 1300, 110,,125,0, ,,,0\n"  // right-hand speeds may be left empty
      "cartello_indicatore, 3000,  \n"
      "cartello_indicatore, 3100, (PASSAGGIO A LIVELLO)(X)\n"
      "cartello_indicatore, 4450, (CAVALCAVIA)\n"
      "cartello_indicatore, 5000, (CITT\xC3\x80)\n"
      "cartello_indicatore, 5100, (A\x81)\n[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 100\n"
      "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 12,10,0, A\n"
      "stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,5,0, B\n"
      "segnale, 6000, 1, 4,0,0, 0, 0, 0,0,0, 0\n[fine]\n";
  EXPECT_EQ(check(line, train),
            "l.txt:3:1: warning: \"Sfondo uno\" names no record: it and the values after it are "
            "skipped; did you mean \"sfondo uno\"? (letter case counts here) "
            "[-Wunknown-keyword]\n"
            "  Sfondo uno, 0\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:4:1: warning: \"nota: sfondo tre\" is read as a \"sfondo\" record because it "
            "holds that keyword: a keyword stands alone in its field, and a comment needs a "
            "hyphen (-) to be skipped [-Wloose-keyword]\n"
            "  nota: sfondo tre, 5\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:7:10: warning: the curve from 1400 m starts before the curve before it ends, "
            "at 1500 m: curves must follow one another without overlapping [-Worder]\n"
            "  curvas3, 1400, 200\n"
            "           ^\n"
            "tracciato: note: see docs/formats.md, 8. Warnings of check\n"
            "l.txt:8:1: warning: \"nota: da qui la pendenza sale\" is read as a \"pendenza\" "
            "record because it holds that keyword: a keyword stands alone in its field, and a "
            "comment needs a hyphen (-) to be skipped [-Wloose-keyword]\n"
            "  nota: da qui la pendenza sale, 2000, 3\n"
            "  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:9:28: warning: an empty value is read as 0: write 0 where 0 is meant "
            "[-Wempty-value]\n"
            "  indicatori_vmax, 1300, 110,,125,0, ,,,0\n"
            "                             ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:10:29: warning: the signboard has no text: its board stays blank "
            "[-Wempty-text]\n"
            "  cartello_indicatore, 3000,  \n"
            "                              ^\n"
            "tracciato: note: see docs/formats.md, 3.2 Feature records\n"
            "l.txt:11:28: warning: the board line \"(PASSAGGIO A LIVELLO)\" holds 19 characters "
            "between its parentheses; a board line shows 16 [-Wempty-text]\n"
            "  cartello_indicatore, 3100, (PASSAGGIO A LIVELLO)(X)\n"
            "                             ^\n"
            "tracciato: note: see docs/formats.md, 3.2 Feature records\n"
            "l.txt:13:33: warning: \"\xC3\x80\" is written in UTF-8 (bytes C3 80); the "
            "descriptions are read as Windows-1252, which takes these bytes for "
            "\"\xC3\x83\xE2\x82\xAC\" [-Wencoding]\n"
            "  cartello_indicatore, 5000, (CITT\xC3\x83\xE2\x82\xAC)\n"
            "                                  ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "l.txt:14:30: warning: byte 81 is no character of Windows-1252, in which the "
            "descriptions are read [-Wencoding]\n"
            "  cartello_indicatore, 5100, (A\xEF\xBF\xBD)\n"
            "                               ^\n"
            "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
            "t.txt:4:11: warning: the station's stop cell, cell 90, takes the place of a "
            "signboard, which is lost [-Wreplaced]\n"
            "  stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,5,0, B\n"
            "            ^\n"
            "l.txt:12:22: note: cell 90 held a signboard, laid by this record\n"
            "  cartello_indicatore, 4450, (CAVALCAVIA)\n"
            "                       ^\n"
            "tracciato: note: see docs/formats.md, 4.2 Stations\n"
            "t.txt:4:50: warning: the station time 12:05:00 comes after one of 12:10:00: "
            "stations must be written in the order of the timetable [-Worder]\n"
            "  stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 12,5,0, B\n"
            "                                                   ^\n"
            "tracciato: note: see docs/formats.md, 8. Warnings of check\n"
            "0 errors, 11 warnings\n");
}

TEST(Check, ADescriptionThatCannotBeReadIsAnInputFailure) {
  TempFolder folder;
  write_bytes(folder / "l.txt", "[generale]\n");
  CheckRequest request;
  request.line = folder / "l.txt";
  request.train = folder / "missing.txt";
  EXPECT_THROW(check_route(request), IoFailure);
}

// The report of texts in memory, l.txt and t.txt, with a limit of warnings
// shown of each name.
std::string limited(const std::string& line, const std::string& train, std::size_t max_warnings,
                    bool json = false) {
  CheckRequest request{"l.txt", "t.txt", "S", "1", {"missing-section"}};
  request.max_warnings = max_warnings;
  const ShownFindings shown = check_text_findings(request, {line, train});
  StringSink report;
  if (json) {
    write_findings_json(shown, report);
  } else {
    write_findings_text(shown, report);
  }
  return report.bytes();
}

// Four off-grid positions, one heard only once the station's fault is read
// past: every compile hears the others again, and they count once.
TEST(Check, EachWarningNameIsShownUpToTheLimitAndTheSummaryCountsThemAll) {
  const std::string line =
      "[generale]\nlunghezza percorso, 68000\n[curve]\n"
      "pendenza, 1010, 3\npendenza, 1020, 3\npendenza, 1030, 3\n[fine]\n";
  const std::string train =
      "[generale]\nvelocita, 0, 2,5\n"
      "stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
      "segnale, 1625, 2, 5,6,0, 0, 1, 3,1,0, 0\n";
  const std::string off_grid_hint =
      "tracciato: note: see docs/formats.md, 1. Positions and cells\n";
  const std::string first_two =
      "l.txt:4:11: warning: 1010 m is not a multiple of 50: the record is laid from cell 20, "
      "which holds metres 950 to 1000 [-Woff-grid]\n"
      "  pendenza, 1010, 3\n"
      "            ^\n" +
      off_grid_hint +
      "l.txt:5:11: warning: 1020 m is not a multiple of 50: the record is laid from cell 20, "
      "which holds metres 950 to 1000 [-Woff-grid]\n"
      "  pendenza, 1020, 3\n"
      "            ^\n" +
      off_grid_hint;
  const std::string extra_value_and_error =
      "t.txt:2:16: warning: \"5\" is left over after the record's values and is skipped: a "
      "decimal comma, or a value too many? [-Wextra-value]\n"
      "  velocita, 0, 2,5\n"
      "                 ^\n"
      "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
      "t.txt:3:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
      "  stazione, 4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
      "            ^\n"
      "tracciato: note: see docs/formats.md, 7. Error codes\n";
  EXPECT_EQ(limited(line, train, 2),
            first_two + "2 more -Woff-grid warnings not shown (--max-warnings 0 shows all)\n" +
                extra_value_and_error + "1 error, 5 warnings\n");
  EXPECT_EQ(limited(line, train, 0),
            first_two +
                "l.txt:6:11: warning: 1030 m is not a multiple of 50: the record is laid from "
                "cell 21, which holds metres 1000 to 1050 [-Woff-grid]\n"
                "  pendenza, 1030, 3\n"
                "            ^\n" +
                off_grid_hint + extra_value_and_error +
                "t.txt:4:10: warning: 1625 m is not a multiple of 50: the record is laid from "
                "cell 34, which holds metres 1650 to 1700 [-Woff-grid]\n"
                "  segnale, 1625, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
                "           ^\n" +
                off_grid_hint + "1 error, 5 warnings\n");
  // Errors are never left out, whatever the limit; JSON tells the count left
  // out where the text tells it.
  EXPECT_EQ(
      limited(line, train, 1, true),
      "[\n"
      "  {\"severity\": \"warning\", \"name\": \"off-grid\", \"file\": \"l.txt\", \"line\": 4, "
      "\"column\": 11, \"position_m\": 1010, \"message\": \"1010 m is not a multiple of 50: "
      "the record is laid from cell 20, which holds metres 950 to 1000\", \"notes\": "
      "[{\"message\": \"see docs/formats.md, 1. Positions and cells\", \"location\": "
      "null}]},\n"
      "  {\"severity\": \"note\", \"name\": \"off-grid\", \"file\": null, \"line\": null, "
      "\"column\": null, \"position_m\": null, \"message\": \"3 more -Woff-grid warnings not "
      "shown (--max-warnings 0 shows all)\", \"notes\": [], \"not_shown\": 3},\n"
      "  {\"severity\": \"warning\", \"name\": \"extra-value\", \"file\": \"t.txt\", "
      "\"line\": 2, \"column\": 16, \"position_m\": null, \"message\": \"\\\"5\\\" is left "
      "over after the record's values and is skipped: a decimal comma, or a value too "
      "many?\", \"notes\": [{\"message\": \"see docs/formats.md, 2. Reading a description "
      "text\", \"location\": null}]},\n"
      "  {\"severity\": \"error\", \"code\": 8, \"file\": \"t.txt\", \"line\": 3, \"column\": "
      "11, \"position_m\": 4225, \"message\": \"the station's position is not a multiple of "
      "50 (at 4225 m)\", \"notes\": [{\"message\": \"see docs/formats.md, 7. Error codes\", "
      "\"location\": null}]}\n"
      "]\n");
}

// A control byte is stored as it stands; the source line shows it harmless.
TEST(Check, AControlByteInATextIsAnEncodingWarningOncePerLine) {
  const std::string train =
      "[generale]\nvelocita, 0, 100\n"
      "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Lin\x1B[1mdra\x7F\n"
      "segnale, 6000, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
      "\x07[fine]\n";
  EXPECT_EQ(
      check("[generale]\nlunghezza percorso, 68000\n[fine]\n", train),
      "t.txt:3:56: warning: byte 1B is a control character, not text: it would be stored "
      "as it stands and printed raw [-Wencoding]\n"
      "  stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Lin\xEF\xBF\xBD[1mdra\xEF\xBF\xBD\n"
      "                                                         ^\n"
      "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
      "t.txt:5:1: warning: byte 07 is a control character, not text: it would be stored as "
      "it stands and printed raw [-Wencoding]\n"
      "  \xEF\xBF\xBD[fine]\n"
      "  ^\n"
      "tracciato: note: see docs/formats.md, 2. Reading a description text\n"
      "0 errors, 2 warnings\n");
}

}  // namespace
}  // namespace tracciato
