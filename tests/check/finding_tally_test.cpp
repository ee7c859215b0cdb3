#include "check/finding_tally.h"

#include <gtest/gtest.h>

#include "check/check_report.h"
#include "check/warning_watch.h"

namespace tracciato {
namespace {

// Each finding shown, as "FILE:LINE NAME" ("FILE:LINE error N" for errors).
std::vector<std::string> places(const ShownFindings& shown) {
  std::vector<std::string> at;
  for (const Diagnostic& d : shown.diagnostics) {
    at.push_back((d.at ? d.at->file + ":" + std::to_string(d.at->line) : "-") + " " +
                 (d.severity == Severity::error ? "error " + std::to_string(d.code) : d.name));
  }
  return at;
}

HeardWarning heard(const char* name, int text, int line) {
  return {name, text, {line, 1}, "w", std::nullopt, {}};
}

// A text read backwards is the worst case: every warning heard comes before
// those kept and takes a place, yet no more are ever kept than are shown.
TEST(FindingTally, KeepsNoMoreWarningsThanItShowsAndTellsHowManyMoreThereAre) {
  std::string text;
  for (int line = 1; line <= 200; ++line)
    text += "pendenza, " + std::to_string(line * 50 + 25) + ", 0\n";
  SourceMap map;
  map.add_text("l.txt", text);
  FindingTally tally(2);
  WarningWatch watch(tally, map);
  for (int line = 200; line >= 1; --line) {
    const std::int64_t metres = line * 50 + 25;
    watch.position(0, {line, 11}, metres, metres / 50 + 1, "gradient");  // off-grid, and order
    ASSERT_LE(tally.warnings_kept(), 4u) << line;
  }
  watch.reading_done(ScenarioModel{}, false);
  const ShownFindings shown = tally.take_shown();
  EXPECT_EQ(shown.errors, 0u);
  EXPECT_EQ(shown.warnings, 399u);
  EXPECT_EQ(shown.not_shown,
            (std::map<std::string, std::size_t>{{"off-grid", 198}, {"order", 197}}));
  StringSink printed;  // as compile prints its warnings: no summary
  write_findings_text(shown, printed, false);
  EXPECT_EQ(printed.bytes(),
            "l.txt:1:11: warning: 75 m is not a multiple of 50: the record is laid from cell 2, "
            "which holds metres 50 to 100 [-Woff-grid]\n"
            "  pendenza, 75, 0\n"
            "            ^\n"
            "l.txt:1:11: warning: the gradient at 75 m comes after one at 10025 m: records of a "
            "kind must be written in rising order of position [-Worder]\n"
            "  pendenza, 75, 0\n"
            "            ^\n"
            "l.txt:2:11: warning: 125 m is not a multiple of 50: the record is laid from cell 3, "
            "which holds metres 100 to 150 [-Woff-grid]\n"
            "  pendenza, 125, 0\n"
            "            ^\n"
            "198 more -Woff-grid warnings not shown (--max-warnings 0 shows all)\n"
            "l.txt:2:11: warning: the gradient at 125 m comes after one at 10025 m: records of a "
            "kind must be written in rising order of position [-Worder]\n"
            "  pendenza, 125, 0\n"
            "            ^\n"
            "197 more -Worder warnings not shown (--max-warnings 0 shows all)\n");
}

// check compiles the same texts once for each fault it reads past.
TEST(FindingTally, AWarningHeardAgainInALaterCompileIsCountedOnce) {
  SourceMap map;
  map.add_text("l.txt", "a\nb\nc\n");
  for (const bool remembering : {true, false}) {
    FindingTally tally(0, {"empty-value"});
    if (remembering) tally.remember_warnings();
    tally.add_warning(heard("off-grid", 0, 1), map);
    tally.add_warning(heard("order", 0, 2), map);
    tally.add_warning(heard("empty-value", 0, 2), map);  // turned off: neither kept nor counted
    tally.end_compile();
    tally.add_warning(heard("order", 0, 2), map);
    tally.add_warning(heard("order", 0, 3), map);
    tally.end_compile();
    const ShownFindings shown = tally.take_shown();
    if (remembering) {
      EXPECT_EQ(places(shown),
                (std::vector<std::string>{"l.txt:1 off-grid", "l.txt:2 order", "l.txt:3 order"}));
      EXPECT_EQ(shown.warnings, 3u);
    } else {
      EXPECT_EQ(shown.warnings, 4u);
    }
  }
}

// Errors are never left out; each finding stands by its file's rank, line
// and arrival, whatever the limit chose.
TEST(FindingTally, EveryErrorIsKeptAndAllStandInFileOrder) {
  SourceMap map;
  map.add_text("l.txt", "a\nb\nc\n");
  map.add_text("t.txt", "a\nb\nc\n");
  for (const bool one_file : {false, true}) {
    FindingTally tally(1);
    if (one_file) tally.rank_texts({0, 0});
    tally.add_warning(heard("order", 1, 1), map);
    tally.add_warning(heard("order", 0, 3), map);
    tally.add_warning(heard("order", 0, 2), map);
    for (const int line : {3, 1}) {
      tally.add_error({Severity::error, 25, "", SourceLocation{"l.txt", line, 1, {}}, "e", {}, {}},
                      0);
    }
    tally.add_error({Severity::error, 12, "", std::nullopt, "e", {}, {}}, 2);
    const ShownFindings shown = tally.take_shown();
    EXPECT_EQ(shown.errors, 3u);
    EXPECT_EQ(shown.warnings, 3u);
    const std::vector<std::string> expected =
        one_file ? std::vector<std::string>{"t.txt:1 order", "l.txt:1 error 25", "l.txt:3 error 25",
                                            "- error 12"}
                 : std::vector<std::string>{"l.txt:1 error 25", "l.txt:2 order", "l.txt:3 error 25",
                                            "- error 12"};
    EXPECT_EQ(places(shown), expected);
  }
}

}  // namespace
}  // namespace tracciato
