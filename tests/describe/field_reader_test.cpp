#include "describe/field_reader.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "platform/source_text.h"

namespace tracciato {
namespace {

// Reads a text as a sequence of fields: 'n' a number, 't' a text.
std::vector<std::string> read_all(const std::string& text, const std::string& kinds) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  for (char kind : kinds) {
    if (kind == 'n') {
      fields.push_back(std::to_string(reader.i32()));
    } else {
      fields.push_back(std::string(1, '[').append(reader.text()).append(1, ']'));
    }
  }
  fields.push_back(reader.at_end() ? "END" : "MORE");
  return fields;
}

TEST(FieldReader, SplitsFieldsAtCommasLineEndsAndBlanksInNumbers) {
  struct Case {
    const char* text;
    const char* kinds;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"5 , 6", "nn", {"5", "6", "END"}},
      {"orologio,    12   4   30 \r\n", "tnnn", {"[orologio]", "12", "4", "30", "END"}},
      {"a,,  -12\nb", "tnnt", {"[a]", "0", "-12", "[b]", "END"}},
      {"x\ry\r\nz\n", "ttt", {"[x]", "[y]", "[z]", "END"}},
      {"  (A )(B)  ,+7", "tn", {"[(A )(B)  ]", "7", "END"}},
      {"1,   ", "nn", {"1", "0", "END"}},
      {"[fine]\r\n", "t", {"[[fine]]", "END"}},
      {"1,2\r\n3", "nn", {"1", "2", "MORE"}},
  };
  for (const Case& c : cases) EXPECT_EQ(read_all(c.text, c.kinds), c.fields) << c.text;
}

TEST(FieldReader, RefusesWhatIsNotANumberOrDoesNotFitSayingWhy) {
  struct Case {
    const char* text;
    std::int64_t low;
    std::int64_t high;
    const char* why;
  };
  const Case cases[] = {
      {"  12OOO, 6", 0, 255, "expected a whole number, found \"12OOO\""},
      {"2.5\n", 0, 255, "decimal numbers are not allowed here, found \"2.5\""},
      {"-2.50 x", -9, 9, "decimal numbers are not allowed here, found \"-2.50\""},
      {"12.", 0, 255, "expected a whole number, found \"12.\""},
      {"-", 0, 255, "expected a whole number, found \"-\""},
      {"+,", 0, 255, "expected a whole number, found \"+\""},
      {"segnale, 1", 0, 255, "expected a whole number, found \"segnale\""},
      {"300", 0, 255, "300 does not fit in 0..255"},
      {"-32769", -32768, 32767, "-32769 does not fit in -32768..32767"},
      {"123456789012345678", -2147483648, 2147483647,
       "123456789012345678 does not fit in -2147483648..2147483647"},
      // A field longer than 40 characters is named by its first 40.
      {"-12345678901234567890123456789012345678901, 0", -9, 9,
       "-123456789012345678901234567890123456789... (42 characters) does not fit in -9..9"},
      {"1234567890123456789012345678901234567890x", 0, 9,
       "expected a whole number, found \"1234567890123456789012345678901234567890...\" (41 "
       "characters)"},
  };
  for (const Case& c : cases) {
    FieldReader reader(c.text);
    try {
      reader.number(c.low, c.high);
      ADD_FAILURE() << c.text << " was read";
    } catch (const ReadFailure& failure) {
      EXPECT_STREQ(failure.what(), c.why) << c.text;
      EXPECT_EQ(failure.where(), (LineColumn{1, c.text[0] == ' ' ? 3 : 1})) << c.text;
    }
  }
  FieldReader wide("256,-32769,2147483648,255,-32768");
  EXPECT_THROW(wide.u8(), ReadFailure);
  EXPECT_THROW(wide.i16(), ReadFailure);
  EXPECT_THROW(wide.i32(), ReadFailure);
  EXPECT_EQ(wide.u8(), 255);
  EXPECT_EQ(wide.i16(), -32768);
}

TEST(FieldReader, ReadingPastTheEndFails) {
  FieldReader reader("a\r\n");
  reader.text();
  EXPECT_TRUE(reader.at_end());
  EXPECT_THROW(reader.text(), ReadFailure);
  EXPECT_THROW(FieldReader("").i32(), ReadFailure);
}

TEST(FieldReader, KnowsTheLineAndColumnOfEachField) {
  const std::string bytes = "[generale]\r\nlunghezza percorso,    68000\n  x";
  FieldReader reader(bytes);
  reader.text();
  reader.text();
  EXPECT_EQ(reader.i32(), 68000);
  EXPECT_EQ(reader.last_field().line, 2);
  EXPECT_EQ(reader.last_field().column, 24);
  reader.text();
  EXPECT_EQ(reader.last_field().line, 3);
  EXPECT_EQ(reader.last_field().column, 3);
  // Its lines are those a diagnostic shows.
  const SourceText text("t.txt", bytes);
  EXPECT_EQ(text.line(2), "lunghezza percorso,    68000");
  EXPECT_EQ(text.line(3), "  x");
}

TEST(FieldReader, CountsLinesAsTheTextShownInDiagnosticsDoes) {
  // Every line end a text can hold: each field is found on its line, at its
  // column, in the lines a diagnostic shows.
  const std::string bytes = "a,b\r\nc\rd\n\ne\r\r\nf, g\n";
  const SourceText text("t.txt", bytes);
  FieldReader reader(bytes);
  for (const char* field : {"a", "b", "c", "d", "", "e", "", "f", "g"}) {
    EXPECT_EQ(reader.text(), field);
    const LineColumn at = reader.last_field();
    EXPECT_EQ(text.line(at.line).substr(static_cast<std::size_t>(at.column - 1), 1),
              std::string(field).substr(0, 1))
        << field;
  }
  EXPECT_TRUE(reader.at_end());
}

TEST(FieldReader, ATextFieldHoldsAtMost65535Bytes) {
  EXPECT_EQ(FieldReader(std::string(65535, 'a')).text().size(), 65535u);
  EXPECT_THROW(FieldReader(std::string(65536, 'a')).text(), ReadFailure);
}

}  // namespace
}  // namespace tracciato
