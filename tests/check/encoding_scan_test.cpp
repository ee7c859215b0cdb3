#include "check/encoding_scan.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

std::vector<std::pair<int, int>> places(std::string_view bytes) {
  std::vector<std::pair<int, int>> at;
  for (const EncodingSlip& slip : encoding_slips(bytes)) {
    at.emplace_back(slip.at.line, slip.at.column);
  }
  return at;
}

TEST(EncodingScan, FindsTheFirstSlipOfEachLineAndLeavesTheCodePageAlone) {
  using Places = std::vector<std::pair<int, int>>;
  const std::pair<const char*, Places> cases[] = {
      {"citt\xE0 e perch\xE9\r\nQUALIT\xC0\n", {}},                      // Windows-1252 letters
      {"\xC3\xA0 \xC3\xA8\n", {{1, 1}}},                                 // one per line
      {"ab\r\ncd\rxy\xE2\x82\xAC\n\xF0\x9F\x9A\x82", {{3, 3}, {4, 1}}},  // CR LF, CR, 3 and 4 bytes
      {"\xC3 (\xC3)\xE2\x82", {}},        // cut sequences are letters
      {"A\x8D\n\x9D", {{1, 2}, {2, 1}}},  // unassigned bytes
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(places(bytes), expected) << bytes;
}

// Tab and the line ends are the only control characters a text holds.
TEST(EncodingScan, AControlByteIsASlipAndTheFirstSlipOfALineIsTheOneTold) {
  const std::string bytes = std::string("a\tb\r\n\x1B[1m\xC3\xA0\n\xE0\x7F\x01\n") + '\0';
  const std::vector<EncodingSlip> slips = encoding_slips(bytes);
  ASSERT_EQ(slips.size(), 3u);
  const std::pair<std::pair<int, int>, std::string> expected[] = {
      {{2, 1},
       "byte 1B is a control character, not text: it would be stored as it stands and "
       "printed raw"},
      {{3, 2},
       "byte 7F is a control character, not text: it would be stored as it stands and "
       "printed raw"},
      {{4, 1},
       "byte 00 is a control character, not text: it would be stored as it stands and "
       "printed raw"},
  };
  for (std::size_t i = 0; i < slips.size(); ++i) {
    EXPECT_EQ(std::pair(slips[i].at.line, slips[i].at.column), expected[i].first) << i;
    EXPECT_EQ(slips[i].message, expected[i].second) << i;
  }
}

}  // namespace
}  // namespace tracciato
