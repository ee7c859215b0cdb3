#include "platform/line_table.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

TEST(LineTable, WritesEveryLineBeforeTheMarkerWithCrLf) {
  testing::TempFolder folder;
  write_line_table(folder / "t.txt", LineTable::from_text("uno\n  due  \n\ntrè\n"));
  EXPECT_EQ(testing::read_bytes(folder / "t.txt"), "uno\r\n  due  \r\n\r\ntr\xE8\r\n");
}

TEST(LineTable, StopsAtTheFirstMarkerAndNeverWritesIt) {
  const LineTable table = LineTable::from_text("a\nriferimento fine del file\nb\n");
  EXPECT_EQ(line_table_bytes(table), "a\r\n");
}

TEST(LineTable, HoldsAtMost1000LinesBeforeItsMarker) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "x\n";
  EXPECT_EQ(LineTable::from_text(text).line_count(), 1000u);
  EXPECT_THROW(LineTable::from_text(text + "y\n"), std::length_error);
}

TEST(LineTable, AnUnencodableCharacterWritesNothing) {
  testing::TempFolder folder;
  EXPECT_THROW(write_line_table(folder / "t.txt", LineTable::from_text("ok\n→\n")), EncodingError);
  EXPECT_TRUE(folder.names().empty());
}

}  // namespace
}  // namespace tracciato
