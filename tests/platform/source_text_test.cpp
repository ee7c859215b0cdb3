#include "platform/source_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tracciato {
namespace {

TEST(SourceText, ItsLinesEndAtCrLfLfOrCr) {
  struct Case {
    const char* bytes;
    std::vector<std::string> lines;  // then one empty line past the last
  };
  const Case cases[] = {
      {"[generale]\r\nlunghezza percorso,    68000\n  x",
       {"[generale]", "lunghezza percorso,    68000", "  x"}},
      {"a\r\rb\n\nc\r\n", {"a", "", "b", "", "c"}},
      {"\n", {""}},
      {"", {""}},
      {"\r\n\r\n", {"", ""}},
      {"x\n\r", {"x", ""}},
  };
  for (const Case& c : cases) {
    const SourceText text("t.txt", c.bytes);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      EXPECT_EQ(text.line(static_cast<int>(i) + 1), c.lines[i]) << c.bytes << " line " << i + 1;
    }
    EXPECT_EQ(text.line(static_cast<int>(c.lines.size()) + 2), "") << c.bytes;
    EXPECT_EQ(text.line(0), "") << c.bytes;
  }
}

TEST(SourceText, KeepsItsNameAndBytes) {
  const SourceText text("l.txt", std::string("a\0b\n", 4));
  EXPECT_EQ(text.name(), "l.txt");
  EXPECT_EQ(text.bytes(), std::string_view("a\0b\n", 4));
  EXPECT_EQ(text.line(1), std::string_view("a\0b", 3));
}

TEST(SourceText, FindsALineOfAManyLinedTextWithoutTheOnesBefore) {
  std::string bytes;
  for (int i = 1; i <= 20000; ++i) bytes += "pendenza, " + std::to_string(50 * i) + ", 1\r\n";
  const SourceText text("l.txt", bytes);
  EXPECT_EQ(text.line(1), "pendenza, 50, 1");
  EXPECT_EQ(text.line(12345), "pendenza, 617250, 1");
  EXPECT_EQ(text.line(20000), "pendenza, 1000000, 1");
  EXPECT_EQ(text.line(20001), "");
}

}  // namespace
}  // namespace tracciato
