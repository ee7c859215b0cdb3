#include "platform/terminal_text.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

TEST(TerminalText, EveryControlCharacterButTheTabBecomesTheReplacementCharacter) {
  // ESC ] 0 ; ... BEL retitles a terminal, ESC [ 2 J clears it, BS and CR
  // print over what came before, U+009B is the one-character CSI.
  EXPECT_EQ(terminal_text("Orv\x1B]0;x\x07"
                          "ena\x1B[2J\b\r\x7F|\xC2\x9B"
                          "2J|\t|"),
            "Orv\xEF\xBF\xBD]0;x\xEF\xBF\xBD"
            "ena\xEF\xBF\xBD[2J\xEF\xBF\xBD\xEF\xBF\xBD"
            "\xEF\xBF\xBD|\xEF\xBF\xBD"
            "2J|\t|");
  // Letters beyond ASCII stay, U+00A0 beside the C1 range among them.
  const std::string letters = "citt\xC3\xA0\xC2\xA0\xC2\xBF\xE2\x82\xAC";
  EXPECT_EQ(terminal_text(letters), letters);
}

}  // namespace
}  // namespace tracciato
