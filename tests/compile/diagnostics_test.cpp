// The diagnostics an author sees, whole: each case is a small pair of
// descriptions and the exact text the compile step's fault prints as.
#include <gtest/gtest.h>

#include "compile/errors.h"
#include "compile/memorizza_percorso.h"
#include "describe/memorizza_dati.h"
#include "model/error_record.h"
#include "support/temp_folder.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using testing::TempFolder;
using testing::without;
using testing::write_bytes;

struct Compiled {
  std::int32_t code = 0;
  std::int32_t position = 0;
  std::string text;  // what the author reads, with the folder taken out of the paths
};

// Compiles l.txt and t.txt (absent when nullptr) as `compile` does.
Compiled compile(const char* line, const char* train) {
  TempFolder folder;
  if (line != nullptr) write_bytes(folder / "l.txt", line);
  if (train != nullptr) write_bytes(folder / "t.txt", train);
  ScenarioModel model;
  model.scenario_name = "S";
  model.train_number = "7";
  Compiled out;
  try {
    testing::written_into(folder.path(), [&](OutputTransaction& o) {
      return memorizza_percorso(model, 1, {folder / "l.txt", folder / "t.txt", false},
                                folder.path(), o);
    });
    if (const auto d = diagnose(model)) out.text = format_diagnostic(*d);
  } catch (const BuildStopped& stop) {
    out.text = std::string(stop.what()) + "\n" + format_diagnostic(stop.detail());
  } catch (const NoTrack& stop) {
    if (const auto d = diagnose(model)) out.text = format_diagnostic(*d);
    out.text += std::string("tracciato: ") + stop.what() + "\n";
  }
  out.code = model.error_code;
  out.position = model.error_position;
  out.text = without(out.text, folder.path().string() + "/");
  return out;
}

struct Case {
  const char* name;
  const char* line;
  const char* train;
  std::int32_t code;
  std::int32_t position;
  const char* text;
};

const char* const plain_line = "[generale]\nlunghezza percorso, 68000\n[fine]\n";
const char* const plain_train = "[generale]\nvelocita, 0, 100\n[fine]\n";

void expect(const Case& c) {
  const Compiled got = compile(c.line, c.train);
  EXPECT_EQ(got.text, c.text) << c.name;
  EXPECT_EQ(got.code, c.code) << c.name;
  EXPECT_EQ(got.position, c.position) << c.name;
}

TEST(Diagnostics, EachFaultOfTheReadersAtItsRecordWithItsReasonAndNotes) {
  const Case cases[] = {
      {"route too long", "[generale]\nlunghezza percorso, 1000001\n", plain_train, 1, 0,
       "l.txt:2:21: error 1: the route length is greater than 1000000 m\n"
       "  lunghezza percorso, 1000001\n"
       "                      ^\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"progressive",
       "[generale]\nlunghezza percorso, 68000\nprogressiva chilometrica uno, 1025, 0, 0\n[fine]\n",
       plain_train, 2, 0,
       "l.txt:3:31: error 2: a kilometric progressive's start or offset is not a multiple of 50\n"
       "  progressiva chilometrica uno, 1025, 0, 0\n"
       "                                ^\n"},
      {"repetition start",
       "[generale]\nlunghezza percorso, 68000\nripetizione segnali 4 codici, 1310, 12150\n[fine]\n",
       plain_train, 3, 0,
       "l.txt:3:31: error 3: the start of the cab-signal repetition zone is not a multiple of 50\n"
       "  ripetizione segnali 4 codici, 1310, 12150\n"
       "                                ^\n"},
      {"repetition end",
       "[generale]\nlunghezza percorso, 68000\nripetizione segnali 4 codici, 1300, 12151\n[fine]\n",
       plain_train, 4, 0,
       "l.txt:3:37: error 4: the end of the cab-signal repetition zone is not a multiple of 50\n"
       "  ripetizione segnali 4 codici, 1300, 12151\n"
       "                                      ^\n"},
      {"repetition codes",
       "[generale]\nlunghezza percorso, 68000\nripetizione segnali, 1300, 12150\n[fine]\n",
       plain_train, 5, 0,
       "l.txt:3:1: error 5: the cab-signal repetition keyword holds neither 4 nor 9\n"
       "  ripetizione segnali, 1300, 12150\n"
       "  ^\n"},
      {"signboard taken",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\nindicatori_vmax, 1300, "
       "110,120,125,0, 110,120,125,0\ncartello_indicatore, 1300, (A)(B)\n[fine]\n",
       plain_train, 6, 1300,
       "l.txt:5:22: error 6: the signboard's cell is already taken (at 1300 m)\n"
       "  cartello_indicatore, 1300, (A)(B)\n"
       "                       ^\n"
       "l.txt:4:18: note: cell 27 already holds a speed-indicator board, laid by this record\n"
       "  indicatori_vmax, 1300, 110,120,125,0, 110,120,125,0\n"
       "                   ^\n"},
      {"abbattimento taken", plain_line,
       "[generale]\nsegnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\nabbattimento, 1650, 100\n", 7, 1650,
       "t.txt:3:15: error 7: the abbattimento point's cell is already taken (at 1650 m)\n"
       "  abbattimento, 1650, 100\n"
       "                ^\n"
       "t.txt:2:10: note: cell 33 already holds a signal, laid by this record\n"
       "  segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "           ^\n"},
      {"station off grid", plain_line,
       "[generale]\r\nstazione,\t4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n", 8, 4225,
       "t.txt:2:11: error 8: the station's position is not a multiple of 50 (at 4225 m)\n"
       "  stazione,\t4225, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
       "           \t^\n"},
      {"station length", plain_line,
       "[generale]\nstazione, 4250, 12, 650, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 9, 4250,
       "t.txt:2:21: error 9: the station's length is not a multiple of 100 (at 4250 m)\n"
       "  stazione, 4250, 12, 650, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
       "                      ^\n"},
      {"stations too close", plain_line,
       "[generale]\nstazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\nstazione, 1300, 12, "
       "600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\n",
       22, 1300,
       "t.txt:3:11: error 22: the station starts less than 350 m after the end of the station "
       "before it: its area starts at 1000 m (at 1300 m)\n"
       "  stazione, 1300, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\n"
       "            ^\n"
       "t.txt:2:11: note: the station before it ends its area at 700 m\n"
       "  stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
       "            ^\n"},
      {"stop cell", plain_line,
       "[generale]\nstazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n", 24, 0,
       "t.txt:2:11: error 24: the station's stop cell would not lie beyond cell 1: its area ends "
       "at 50 m, which puts the stop in cell 0\n"
       "  stazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
       "            ^\n"},
      {"advance point", plain_line,
       "[generale]\nabbattimento, 27750, 0\nabbattimento, 27700, 0\nabbattimento, 27650, "
       "0\nrallentamento, 27950, 30, 800, 0, 0, 0\n",
       12, 28000,
       "tracciato: error 12: no free cell for an advance point before a slowdown start, the "
       "slowdown start's cell 560 (at 28000 m)\n"
       "t.txt:5:16: note: cell 560 holds a slowdown start point, laid by this record\n"
       "  rallentamento, 27950, 30, 800, 0, 0, 0\n"
       "                 ^\n"},
      {"signal before warning", plain_line,
       "[generale]\nsegnale, 26350, 1, 4,0,0, 0, 0, 0,0,0, 0\nsegnale, 26400, 1, 4,0,0, 0, 0, "
       "0,0,0, 0\nsegnale, 26450, 1, 4,0,0, 0, 0, 0,0,0, 0\nrallentamento, 27950, 30, 800, 0, 1, "
       "0\n",
       11, 26500,
       "tracciato: error 11: no free cell for the abbattimento point before a signal ahead of a "
       "slowdown warning, the signal's cell 530 (at 26500 m)\n"
       "t.txt:4:10: note: cell 530 holds a signal, laid by this record\n"
       "  segnale, 26450, 1, 4,0,0, 0, 0, 0,0,0, 0\n"
       "           ^\n"},
      {"line beyond",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\npendenza, 74950, 3\n[fine]\n",
       plain_train, 15, 74950,
       "l.txt:4:11: error 15: the record lies beyond the end of the track: the track's last cell "
       "is 1500 (at 74950 m)\n"
       "  pendenza, 74950, 3\n"
       "            ^\n"},
      {"train beyond", plain_line, "[generale]\nvelocita, 74950, 30\n", 15, 74950,
       "t.txt:2:11: error 15: the record lies beyond the end of the track: the track's last cell "
       "is 1500 (at 74950 m)\n"
       "  velocita, 74950, 30\n"
       "            ^\n"},
      {"signal taken by slowdown", plain_line,
       "[generale]\nrallentamento, 28200, 30, 800, 0, 1, 0\nsegnale,\t26950, 2, 5,6,0, 0, 1, "
       "3,1,0, 0\n",
       16, 26950,
       "t.txt:3:10: error 16: the signal's cell is already taken (at 26950 m)\n"
       "  segnale,\t26950, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "          \t^\n"
       "t.txt:2:16: note: cell 540 already holds a pre-warning mark, laid by this record\n"
       "  rallentamento, 28200, 30, 800, 0, 1, 0\n"
       "                 ^\n"},
      {"warning taken", plain_line,
       "[generale]\nsegnale, 26750, 2, 5,6,0, 0, 1, 3,1,0, 0\nrallentamento, 27950, 30, 800, 0, 1, "
       "0\n",
       17, 27950,
       "t.txt:3:16: error 17: the slowdown's warning point cell is already taken (at 27950 m)\n"
       "  rallentamento, 27950, 30, 800, 0, 1, 0\n"
       "                 ^\n"
       "t.txt:2:10: note: cell 536 already holds a signal, laid by this record\n"
       "  segnale, 26750, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "           ^\n"},
      {"start taken", plain_line,
       "[generale]\nsegnale, 27950, 2, 5,6,0, 0, 1, 3,1,0, 0\nrallentamento, 27950, 30, 800, 0, 1, "
       "0\n",
       18, 27950,
       "t.txt:3:16: error 18: the slowdown's start cell is already taken (at 27950 m)\n"
       "  rallentamento, 27950, 30, 800, 0, 1, 0\n"
       "                 ^\n"
       "t.txt:2:10: note: cell 560 already holds a signal, laid by this record\n"
       "  segnale, 27950, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "           ^\n"},
      {"end beyond", plain_line, "[generale]\nrallentamento, 74000, 30, 2000, 0, 1, 0\n", 19, 74000,
       "t.txt:2:16: error 19: the slowdown's end cell is taken or lies beyond the track: cell 1521 "
       "lies outside the track, whose cells run from 0 to 1500 (at 74000 m)\n"
       "  rallentamento, 74000, 30, 2000, 0, 1, 0\n"
       "                 ^\n"},
      {"pre-warning taken", plain_line,
       "[generale]\nsegnale, 26650, 2, 5,6,0, 0, 1, 3,1,0, 0\nrallentamento, 27950, 30, 800, 0, 1, "
       "0\n",
       20, 27950,
       "t.txt:3:16: error 20: one of the four pre-warning cells before the slowdown's warning "
       "point is taken (at 27950 m)\n"
       "  rallentamento, 27950, 30, 800, 0, 1, 0\n"
       "                 ^\n"
       "t.txt:2:10: note: cell 534 already holds a signal, laid by this record\n"
       "  segnale, 26650, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "           ^\n"},
      {"speed board taken",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\ncartello_indicatore, 1300, "
       "(A)(B)\nindicatori_vmax, 1300, 110,120,125,0, 110,120,125,0\n[fine]\n",
       plain_train, 21, 1300,
       "l.txt:5:18: error 21: the speed-indicator board's cell is already taken (at 1300 m)\n"
       "  indicatori_vmax, 1300, 110,120,125,0, 110,120,125,0\n"
       "                   ^\n"
       "l.txt:4:22: note: cell 27 already holds a signboard, laid by this record\n"
       "  cartello_indicatore, 1300, (A)(B)\n"
       "                       ^\n"},
      {"letter O",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\npendenza,  12OOO,  -6\n[fine]\n",
       plain_train, 25, 0,
       "l.txt:4:12: error 25: expected a whole number, found \"12OOO\"\n"
       "  pendenza,  12OOO,  -6\n"
       "             ^\n"},
      {"decimal", plain_line, "[generale]\nvelocita, 0, 2.5\n", 25, 0,
       "t.txt:2:14: error 25: decimal numbers are not allowed here, found \"2.5\"\n"
       "  velocita, 0, 2.5\n"
       "               ^\n"},
      {"too large", plain_line,
       "[generale]\nstazione, 4250, 300, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n", 25, 0,
       "t.txt:2:17: error 25: 300 does not fit in 0..255\n"
       "  stazione, 4250, 300, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
       "                  ^\n"},
      {"empty train", plain_line, "", 25, 0, "t.txt: error 25: the train description is empty\n"},
      {"missing train", plain_line, nullptr, 25, 0,
       "t.txt: error 25: cannot open the train description: No such file or directory\n"},
      {"before length", "[generale]\n[fine generale]\npendenza, 100, 3\n[fine]\n", plain_train, 25,
       0,
       "l.txt:3:1: error 25: a record before the route length\n"
       "  pendenza, 100, 3\n"
       "  ^\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"no length", "[generale]\n[fine]\n", plain_train, 25, 0,
       "l.txt: error 25: the line description gives no route length\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"no plan row 0", "[generale]\nlunghezza percorso, -7001\n[fine]\n", plain_train, 25, 0,
       "l.txt:2:21: error 25: a route length below -7000 m leaves the line file no metre\n"
       "  lunghezza percorso, -7001\n"
       "                      ^\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"no cell 0", "[generale]\nlunghezza percorso, -7026\n[fine]\n", plain_train, 25, 0,
       "l.txt:2:21: error 25: a route length below -7025 m leaves the track no cell\n"
       "  lunghezza percorso, -7026\n"
       "                      ^\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"missing comma",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\npendenza 12000, -6\ncurvad3, "
       "14000, 300\n[fine]\n",
       plain_train, 25, 0,
       "l.txt:5:1: error 25: expected a whole number, found \"curvad3\"\n"
       "  curvad3, 14000, 300\n"
       "  ^\n"
       "l.txt:4:1: note: the record on line 4 took this field as its value: a value or a comma may "
       "be missing there\n"
       "  pendenza 12000, -6\n"
       "  ^\n"},
      {"missing value at end", plain_line, "[generale]\nvelocita, 0, 100\norologio, 12, 30\n", 25,
       0,
       "t.txt:3:15: error 25: the text ends where a value was expected\n"
       "  orologio, 12, 30\n"
       "                ^\n"
       "t.txt:3:1: note: the text ends inside this record: a value may be missing\n"
       "  orologio, 12, 30\n"
       "  ^\n"},
      {"line missing", nullptr, plain_train, 101, 0,
       "l.txt: error 101: the line description does not exist\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"no generale", "lunghezza percorso, 68000\n", plain_train, 102, 0,
       "l.txt: error 102: the line description has no [generale] section\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"route length leaves the plan one row", "[generale]\nlunghezza percorso, -7000\n[fine]\n",
       plain_train, 25, 0,
       "l.txt:2:21: error 25: a route length of -7000 m leaves the "
       "track plan no row for metre 1\n"
       "  lunghezza percorso, -7000\n"
       "                      ^\n"
       "tracciato: no track to compile: the line description gave no cell 1\n"},
      {"curve digit",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\ncurvad, 1000, 300\n[fine]\n",
       plain_train, 103, 0,
       "l.txt:4:1: error 103: a curve has no class digit 1 to 6, or the track plan runs past its "
       "end: the keyword \"curvad\" holds no class digit 1 to 6\n"
       "  curvad, 1000, 300\n"
       "  ^\n"},
      {"curve past end",
       "[generale]\nlunghezza percorso, 0\n[fine generale]\ncurvad1, 1000, 9000\n[fine]\n",
       plain_train, 103, 0,
       "l.txt:4:10: error 103: a curve has no class digit 1 to 6, or the track plan runs past its "
       "end: the curve would run past metre 7000 of the track plan\n"
       "  curvad1, 1000, 9000\n"
       "           ^\n"},
      {"earlier fault stops the train",
       "[generale]\nlunghezza percorso, 68000\n[fine generale]\ncartello_indicatore, 74950, "
       "(A)(B)\n[fine]\n",
       "[generale]\nvelocita, 0, 100\nsegnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n", 15, 1600,
       "l.txt:4:22: error 15: the record lies beyond the end of the track: the track's last cell "
       "is 1500 (at 74950 m)\n"
       "  cartello_indicatore, 74950, (A)(B)\n"
       "                       ^\n"
       "t.txt:3:10: note: reading of the train description stopped at this record because of the "
       "fault above; the error record takes its position, 1600 m\n"
       "  segnale, 1600, 2, 5,6,0, 0, 1, 3,1,0, 0\n"
       "           ^\n"},
      {"1250",
       "[generale]\nlunghezza percorso, 0\n[cartelli]\nindicatori_vmax, 0, 1,1,1,0, 1,1,1,0\n",
       plain_train, 0, 0,
       " Errore n. 1250\n"
       "tracciato: error 1250: the place of the track mark is already taken: cell 1's first value "
       "or the scenario header's mark is not zero\n"
       "l.txt:4:18: note: cell 1 holds a speed-indicator board, laid by this record\n"
       "  indicatori_vmax, 0, 1,1,1,0, 1,1,1,0\n"
       "                   ^\n"},
      {"1251", plain_line, "[generale]\nsegnale, 0, 1, 0,1,0, 0, 0, 0,0,0, 0\n", 0, 0,
       " Errore n. 1251\n"
       "tracciato: error 1251: the place of the competition code is already taken: cell 1's second "
       "value or the scenario header's time is not zero\n"
       "t.txt:2:10: note: cell 1 holds a signal, laid by this record\n"
       "  segnale, 0, 1, 0,1,0, 0, 0, 0,0,0, 0\n"
       "           ^\n"},
  };
  for (const Case& c : cases) expect(c);
}

// Cases whose descriptions are made, not written out.
TEST(Diagnostics, FaultsOfCountsAndOfFilesThatCannotBeRead) {
  std::string signboards;
  for (int k = 1; k <= 81; ++k) {
    signboards += "cartello_indicatore, " + std::to_string(1000 * k) + ", (A)(B)\n";
  }
  const std::string eighty_one =
      "[generale]\nlunghezza percorso, 90000\n[fine generale]\n" + signboards + "[fine]\n";
  expect({"81 signboards", eighty_one.c_str(), plain_train, 25, 0,
          "l.txt:84:22: error 25: more than 80 signboards\n"
          "  cartello_indicatore, 81000, (A)(B)\n"
          "                       ^\n"});

  const std::string seventy_seven =
      "[generale]\nlunghezza percorso, 90000\n[fine generale]\n" +
      signboards.substr(0, signboards.find("cartello_indicatore, 78000")) + "[fine]\n";
  expect({"too many stations", seventy_seven.c_str(),
          "[generale]\n"
          "stazione, 0, 7, 700, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\n"
          "stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\n",
          10, 0,
          "t.txt:3:11: error 10: too many stations: the next one would take a signboard text's "
          "slot: the stations' slots have reached 3, and the line's 77 signboard texts take "
          "slots 4 to 80\n"
          "  stazione, 4250, 12, 600, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\n"
          "            ^\n"});

  TempFolder folder;
  write_bytes(folder / "l.txt", plain_line);
  std::filesystem::create_directory(folder / "t.txt");
  ScenarioModel model;
  memorizza_dati(model, {folder / "l.txt", folder / "t.txt", false});
  EXPECT_EQ(without(format_diagnostic(*diagnose(model)), folder.path().string() + "/"),
            "t.txt: error 25: cannot read the train description: Is a directory\n");
}

TEST(Diagnostics, AHugeFieldIsNamedByItsStartAndShownInAWindowOfItsLine) {
  // A number field of 100,001 characters and a curve keyword of 1,006: the
  // message names each by its first 40, the line is cut 100 columns on.
  const std::string number = "1" + std::string(100000, 'x');
  const std::string huge_number = "[generale]\nlunghezza percorso, " + number + "\n[fine]\n";
  const std::string keyword = "curvad" + std::string(1000, 'x');
  const std::string long_keyword =
      "[generale]\nlunghezza percorso, 68000\n[curve]\n" + keyword + ", 1000, 300\n[fine]\n";
  expect({"huge number", huge_number.c_str(), plain_train, 25, 0,
          ("l.txt:2:21: error 25: expected a whole number, found \"1" + std::string(39, 'x') +
           "...\" (100001 characters)\n"
           "  lunghezza percorso, 1" +
           std::string(79, 'x') + "...\n" + std::string(2 + 20, ' ') +
           "^\n"
           "tracciato: no track to compile: the line description gave no cell 1\n")
              .c_str()});
  expect({"long keyword", long_keyword.c_str(), plain_train, 103, 0,
          ("l.txt:4:1: error 103: a curve has no class digit 1 to 6, or the track plan runs past "
           "its end: the keyword \"curvad" +
           std::string(34, 'x') + "...\" (1006 characters) holds no class digit 1 to 6\n  " +
           keyword.substr(0, 100) + "...\n  ^\n")
              .c_str()});
}

}  // namespace
}  // namespace tracciato
