#include <gtest/gtest.h>

#include "describe/reading_fixture.h"

namespace tracciato {
namespace {

using testing::line_with;
using testing::Reading;
using testing::train_with;

const std::string no_train = train_with("");

TEST(LineReader, FaultsThatEndTheReading) {
  struct Case {
    const char* name;
    std::string line;
    std::int32_t code;
    std::int32_t position;
    bool track;
  };
  const Case cases[] = {
      {"no [generale]", "lunghezza percorso, 68000\n", 102, 0, false},
      {"[generale] as last field", "x\n[generale]\n", 102, 0, false},
      {"too long", "[generale]\nlunghezza percorso, 1000001\n[fine]\n", 1, 0, false},
      {"repetition start", line_with("", "lunghezza percorso, 0\nripetizione segnali 4, 1310, 0\n"),
       3, 0, true},
      {"repetition end", line_with("", "lunghezza percorso, 0\nripetizione segnali 4, 0, 1310\n"),
       4, 0, true},
      {"repetition codes", line_with("", "lunghezza percorso, 0\nripetizione segnali, 50, 100\n"),
       5, 0, true},
      {"curve class", line_with("curvad, 100, 50\n"), 103, 0, true},
      {"signboard on a board",
       line_with("indicatori_vmax, 1000, 1,1,1,0, 1,1,1,0\ncartello_indicatore, 1000, (X)\n"), 6,
       1000, true},
      {"board on a signboard",
       line_with("cartello_indicatore, 1000, (X)\nindicatori_vmax, 1000, 1,1,1,0, 1,1,1,0\n"), 21,
       1000, true},
      {"board before the track", line_with("indicatori_vmax, -100, 1,1,1,0, 1,1,1,0\n"), 21, -100,
       true},
      {"no route length", "[generale]\n[curve]\npendenza, 0, 1\n[fine]\n", 25, 0, false},
      {"number with a letter", line_with("pendenza, 10x0, 1\n"), 25, 0, true},
      {"record cut short", "[generale]\nlunghezza percorso, 0\n[curve]\npendenza, 100", 25, 0,
       true},
      {"length below -7000", "[generale]\nlunghezza percorso, -7001\n[fine]\n", 25, 0, false},
  };
  for (const Case& c : cases) {
    Reading r(c.line, no_train);
    EXPECT_EQ(r.model.error_code, c.code) << c.name;
    EXPECT_EQ(r.model.error_position, c.position) << c.name;
    EXPECT_EQ(r.model.cells.has_value(), c.track) << c.name;
    EXPECT_FALSE(std::filesystem::exists(r.sources.line_text)) << c.name;
    // Only a failure while reading takes the train description with it.
    EXPECT_EQ(std::filesystem::exists(r.sources.train_text), c.code != 25) << c.name;
  }
}

TEST(LineReader, AMissingLineDescriptionIs101AndLeavesTheTrainText) {
  testing::TempFolder folder;
  ScenarioModel model;
  testing::write_bytes(folder / "t.txt", no_train);
  memorizza_dati(model, {folder / "missing.txt", folder / "t.txt", true});
  EXPECT_EQ(model.error_code, 101);
  EXPECT_FALSE(model.cells.has_value());
  EXPECT_TRUE(std::filesystem::exists(folder / "t.txt"));
}

TEST(LineReader, RecordsBeyondTheTrackEndTheLineButTheTrainIsRead) {
  // Length 0: U = 140, so 50 * U - 100 = 6900 is the last accepted position.
  Reading ok(line_with("pendenza, 6900, 2\n", "lunghezza percorso, 0\n"),
             train_with("numero vetture, 4\n"));
  EXPECT_EQ(ok.model.error_code, 0);
  Reading beyond(line_with("pendenza, 6950, 2\npendenza, 100, 3\n", "lunghezza percorso, 0\n"),
                 train_with("numero vetture, 4\n"));
  EXPECT_EQ(beyond.model.error_code, 15);
  EXPECT_EQ(beyond.model.error_position, 6950);
  EXPECT_EQ(beyond.model.slots[84].position, 4);
  EXPECT_FALSE(beyond.texts_left());
}

TEST(LineReader, GeneralRecordsFillTheirSlots) {
  Reading r(line_with("",
                      "LUNGHEZZA PERCORSO, 1000000\n"
                      "Progressiva chilometrica uno, 100, 200, 0\n"
                      "progressiva chilometrica due, 12800, -12800, 0\n"
                      "sfondo uno, 7\nsfondo due, 8\nsfondo tre, 9\n"
                      "ripetizione segnali 9 codici, 1300, 0\n"),
            no_train, 0);
  EXPECT_EQ(r.model.error_code, 0);
  EXPECT_EQ(r.model.cells->last(), 20140);
  EXPECT_EQ(r.model.slots[84].area_end, 1000000);
  // The capitalised record is no progressive; the other is ordered first.
  EXPECT_EQ(r.model.slots[81].area_start, 12800);
  EXPECT_EQ(r.model.slots[82].area_start, 0);
  EXPECT_EQ(r.model.slots[83].area_start, 0);
  EXPECT_EQ(r.model.slots[85].area_start, 7);
  EXPECT_EQ(r.model.slots[85].position, 8);
  EXPECT_EQ(r.model.slots[85].area_end, 9);
  EXPECT_EQ(r.model.slots[86].area_start, 1300);
  EXPECT_EQ(r.model.slots[86].position, 0);  // end 0 switches the repetition off
  EXPECT_EQ(r.model.slots[85].name, "S");
  EXPECT_EQ(r.model.slots[86].name, "1");
}

TEST(LineReader, HyphenTokensAreSkippedAndAHyphenatedHeaderDoesNotEndGenerale) {
  // Inside [generale] a hyphenated header is skipped: "pendenza" up to the
  // next bracketed token is read as a general token and ignored.
  Reading skipped(
      "[generale]\nlunghezza percorso, 0\n- [curve]\npendenza, 0, 3\n[pendenze]\n"
      "pendenza, 100, 4\n[fine]\n",
      no_train);
  EXPECT_EQ(skipped.model.error_code, 0);
  EXPECT_EQ(skipped.cell(1).gradient, 100 + 0);  // 0 until 100, from the real record
  EXPECT_EQ(skipped.cell(2).gradient, 104);
  // After [generale] two hyphen tokens are skipped, the third examined.
  Reading third(line_with("-a, -b, pendenza, 100, 5\n-a, -b, -pendenza, 200, 6\n"), no_train);
  EXPECT_EQ(third.model.error_code, 0);
  EXPECT_EQ(third.cell(2).gradient, 105);
  EXPECT_EQ(third.cell(3).gradient, 105);
  EXPECT_EQ(third.cell(4).gradient, 106);
}

TEST(LineReader, TheFileMayEndWithARecordOrALoneField) {
  Reading record("[generale]\nlunghezza percorso, 0\n[curve]\npendenza, 100, 4\n", no_train);
  EXPECT_EQ(record.model.error_code, 0);
  EXPECT_EQ(record.cell(2).gradient, 104);
  Reading lone("[generale]\nlunghezza percorso, 0\n[curve]\ncartello_indicatore", no_train);
  EXPECT_EQ(lone.model.error_code, 0);
}

TEST(LineReader, GradientsFillEveryCellUpToTheTail) {
  Reading r(
      line_with("pendenza, 0, 3\npendenza, 100, -2\npendenza, 100, 6\n", "lunghezza percorso, 0\n"),
      no_train);
  // Position 0 fills nothing; a second record at 100 writes one cell more.
  EXPECT_EQ(r.cell(0).gradient, 103);
  EXPECT_EQ(r.cell(1).gradient, 103);
  EXPECT_EQ(r.cell(2).gradient, 98);
  EXPECT_EQ(r.cell(3).gradient, 106);
  EXPECT_EQ(r.cell(137).gradient, 106);
  EXPECT_EQ(r.cell(138).gradient, 0);  // the tail stops before U - 2
}

TEST(LineReader, CurvesIntegrateThePlanAndTheRestRunsStraight) {
  Reading r(line_with("curvad1, 3, 0\ncurvas3, 4, 1\ncurvad2, 4, 1\n", "lunghezza percorso, 0\n"),
            no_train);
  const TrackPlan& plan = *r.model.plan;
  EXPECT_EQ(plan.at(1, 0), PlanValue(std::int16_t{0}));
  EXPECT_EQ(plan.at(1, 1), PlanValue(std::int16_t{1}));
  // A curve of length 0 only runs straight to its start.
  EXPECT_EQ(plan.at(3, 0), PlanValue(0.0));
  EXPECT_EQ(plan.at(3, 1), PlanValue(3.0));
  // Straight up to the start at metre 4, then left class 3 turns towards
  // negative column 0; the overlapping curve has no metre left to integrate.
  EXPECT_EQ(plan.at(4, 0), PlanValue(0.0));
  EXPECT_EQ(plan.at(5, 0), PlanValue(-0.0004));
  EXPECT_EQ(plan.at(5, 1), PlanValue(5.0));
  EXPECT_EQ(plan.at(6, 0), PlanValue(-0.0004 + (-0.0004 - 0.0)));
  EXPECT_TRUE(std::holds_alternative<double>(plan.at(6998, 1)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(plan.at(6999, 0)));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(plan.at(7000, 1)));
}

TEST(LineReader, CurveKeywordsGiveSideAndTheFirstClassTested) {
  struct Case {
    const char* token;
    double first_step;
  };
  for (const Case c : {Case{"CURVAS3", -0.0004}, Case{"curvad21", 0.0001}, Case{"curvad12", 0.0001},
                       Case{"curvad6", 0.003}}) {
    Reading r(line_with(std::string(c.token) + ", 1, 1\n", "lunghezza percorso, 0\n"), no_train);
    EXPECT_EQ(r.model.plan->at(2, 0), PlanValue(c.first_step)) << c.token;
  }
  // Without the line file, curve keywords are ignored and their values
  // become tokens of their own.
  Reading off(line_with("curvad, 1, 1\n", "lunghezza percorso, 0\n"), no_train, 0);
  EXPECT_EQ(off.model.error_code, 0);
  EXPECT_FALSE(off.model.plan.has_value());
}

TEST(LineReader, ACurvePastThePlanIs103) {
  Reading r(line_with("curvad1, 6800, 300\n", "lunghezza percorso, 0\n"), no_train);
  EXPECT_EQ(r.model.error_code, 103);
}

TEST(LineReader, StructuresFromTheFarEndOf32BitsLayOnlyTheTrack) {
  // Each record's range starts 43 million cells before the track: its
  // fillers fall where a count from there puts them (cells 2, 6, 10, ...),
  // and every record after the first is within 150 m of the one before.
  std::string records;
  for (int i = 0; i < 80; ++i) records += "montagna, -2147483648, 1000, 12\n";
  Reading r(line_with(records, "lunghezza percorso, 1000\n"), no_train);
  EXPECT_EQ(r.model.error_code, 0);
  EXPECT_EQ(r.model.montagna_count, 80);
  for (int i = 0; i <= 20; ++i) {
    EXPECT_EQ(r.cell(i).montagna_type, i <= 19 ? 3 : 0) << i;
    EXPECT_EQ(r.cell(i).kind, i % 4 == 2 && i <= 19 ? cell_kind::montagna_filler : 0) << i;
  }
}

TEST(LineReader, SignboardsTakeSlotsDownwardFrom80) {
  Reading r(line_with("montagna, 1000, 1400, 12\ncartello_indicatore, 1100, (A)(B)\n"
                      "Cartello_Indicatore, 50, (C)\n"),
            no_train);
  EXPECT_EQ(r.model.error_code, 0);
  EXPECT_EQ(r.cell(23).kind, cell_kind::signboard);  // replaced the montagna filler
  EXPECT_EQ(r.cell(23).value1, 80);
  EXPECT_EQ(r.model.slots[80].name, "(A)(B)");
  EXPECT_EQ(r.cell(2).value1, 79);
  EXPECT_EQ(r.model.slots[79].name, "(C)");
}

TEST(LineReader, An81stSignboardIsAFailure) {
  std::string boards;
  for (int i = 0; i < 81; ++i)
    boards += "cartello_indicatore, " + std::to_string(1000 + 50 * i) + ", (X)\n";
  Reading r(line_with(boards), no_train);
  EXPECT_EQ(r.model.error_code, 25);
  EXPECT_EQ(r.model.slots[1].name, "(X)");
  EXPECT_EQ(r.model.slots[0].name, "");
}

}  // namespace
}  // namespace tracciato
