#include "platform/diagnostic.h"

#include <gtest/gtest.h>

#include <memory>

namespace tracciato {
namespace {

// A place on line `line` of a text named `file`, whose line reads `text`.
SourceLocation on_line(const char* file, int line, int column, std::string_view text) {
  std::string bytes(static_cast<std::size_t>(line - 1), '\n');
  bytes += text;
  bytes += "\r\nthe next line";
  return {file, line, column, std::make_shared<const SourceText>(file, std::move(bytes))};
}

Diagnostic error_at(SourceLocation at, std::string message) {
  Diagnostic d;
  d.code = 16;
  d.at = std::move(at);
  d.message = std::move(message);
  return d;
}

TEST(Diagnostic, AnErrorShowsItsPlaceTheLineACaretAndItsNotes) {
  Diagnostic d =
      error_at(on_line("t.txt", 3, 10, "segnale,\t27000, 1"), "the signal's cell is taken");
  d.notes.push_back({on_line("t.txt", 2, 16, "rallentamento, 28200, 30"), "cell 541"});
  d.notes.push_back({std::nullopt, "a note of the whole scenario"});
  d.notes.push_back({SourceLocation{"l.txt", 0, 0, {}}, "a note of a whole file"});
  EXPECT_EQ(format_diagnostic(d),
            "t.txt:3:10: error 16: the signal's cell is taken\n"
            "  segnale,\t27000, 1\n"
            "          \t^\n"
            "t.txt:2:16: note: cell 541\n"
            "  rallentamento, 28200, 30\n"
            "                 ^\n"
            "tracciato: note: a note of the whole scenario\n"
            "l.txt: note: a note of a whole file\n");
}

TEST(Diagnostic, WarningsCarryTheirName) {
  Diagnostic d;
  d.severity = Severity::warning;
  d.name = "off-grid";
  d.message = "rounded";
  EXPECT_EQ(format_diagnostic(d), "tracciato: warning: rounded [-Woff-grid]\n");
}

TEST(Diagnostic, ALongLineIsShownAsAWindowAroundTheCaret) {
  const std::string line = std::string(150, 'a') + "X" + std::string(150, 'b');
  const std::string shown = format_diagnostic(error_at(on_line("t.txt", 1, 151, line), "m"));
  EXPECT_EQ(shown, "t.txt:1:151: error 16: m\n  ..." + std::string(50, 'a') + "X" +
                       std::string(49, 'b') + "...\n" + std::string(2 + 3 + 50, ' ') + "^\n");
  const std::string start = format_diagnostic(error_at(on_line("t.txt", 1, 2, line), "m"));
  EXPECT_EQ(start, "t.txt:1:2: error 16: m\n  " + std::string(100, 'a') + "...\n   ^\n");
  const std::string end = format_diagnostic(error_at(on_line("t.txt", 1, 301, line), "m"));
  EXPECT_EQ(end, "t.txt:1:301: error 16: m\n  ..." + std::string(100, 'b') + "\n" +
                     std::string(2 + 3 + 99, ' ') + "^\n");
}

TEST(Diagnostic, AFieldIsNamedWholeUpTo40CharactersAndByItsStartBeyond) {
  const std::string forty(40, 'a');
  EXPECT_EQ(excerpt(forty), forty);
  EXPECT_EQ(quoted_excerpt(forty), "\"" + forty + "\"");
  EXPECT_EQ(excerpt(forty + "bc"), forty + "... (42 characters)");
  EXPECT_EQ(quoted_excerpt(forty + "b"), "\"" + forty + "...\" (41 characters)");
  EXPECT_EQ(quoted_excerpt(""), "\"\"");
}

TEST(Diagnostic, TheSourceLineIsShownInUtf8WithControlsMadeHarmless) {
  const std::string shown =
      format_diagnostic(error_at(on_line("t.txt", 1, 5, "citt\xE0\x1B[2J\x81 x"), "m"));
  EXPECT_EQ(shown,
            "t.txt:1:5: error 16: m\n  citt\xC3\xA0\xEF\xBF\xBD[2J\xEF\xBF\xBD x\n      ^\n");
}

TEST(Diagnostic, AFieldQuotedInAMessageOrNoteIsMadeHarmlessToo) {
  Diagnostic d = error_at(on_line("t.txt", 1, 1, "x"), "found \"1\x1B[2J\"");
  d.notes.push_back({std::nullopt,
                     "the record \"a\x07\x08"
                     "b\" took it"});
  EXPECT_EQ(format_diagnostic(d),
            "t.txt:1:1: error 16: found \"1\xEF\xBF\xBD[2J\"\n  x\n  ^\n"
            "tracciato: note: the record \"a\xEF\xBF\xBD\xEF\xBF\xBD"
            "b\" took it\n");
}

TEST(Diagnostic, AsJsonItKeepsItsFieldsAndStaysValidUtf8) {
  Diagnostic d = error_at(on_line("t\xE0.txt", 2, 11, "x"), "found \"12OOO\"");
  d.notes.push_back({std::nullopt, "n"});
  EXPECT_EQ(diagnostic_json(d),
            "{\"severity\": \"error\", \"code\": 16, \"message\": \"found \\\"12OOO\\\"\", "
            "\"location\": {\"file\": \"t\xEF\xBF\xBD.txt\", \"line\": 2, \"column\": 11}, "
            "\"notes\": [{\"message\": \"n\", \"location\": null}]}");
}

}  // namespace
}  // namespace tracciato
