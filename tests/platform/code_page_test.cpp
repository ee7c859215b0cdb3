#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(CodePage, AccentedLettersBecomeSingleBytes) {
  EXPECT_EQ(to_code_page("città è lì però più 12°"), "citt\xE0 \xE8 l\xEC per\xF2 pi\xF9 12\xB0");
  EXPECT_EQ(to_code_page("plain ASCII, as it is"), "plain ASCII, as it is");
  EXPECT_EQ(to_code_page("€ – ’"), "\x80 \x96 \x92");
}

TEST(CodePage, ACharacterWithoutAByteIsRefusedByName) {
  try {
    to_code_page("linea → stazione", "note.txt");
    FAIL() << "no error";
  } catch (const EncodingError& e) {
    EXPECT_STREQ(e.what(),
                 "character → (U+2192) has no byte in the Windows-1252 code page in note.txt");
  }
  EXPECT_THROW(to_code_page("\xC3"), EncodingError);    // cut short
  EXPECT_THROW(to_code_page("\xE0 x"), EncodingError);  // not UTF-8
}

TEST(CodePage, UnassignedBytesAreNotCodePageText) {
  EXPECT_TRUE(holds_only_code_page_bytes("citt\xE0 \x80"));
  EXPECT_FALSE(holds_only_code_page_bytes("a\x81"));
  EXPECT_FALSE(holds_only_code_page_bytes("\x9D"));
}

}  // namespace
}  // namespace tracciato
