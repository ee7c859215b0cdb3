#include "compile/competition_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace tracciato {
namespace {

ScenarioModel identity(const std::string& train_number, const std::string& scenario_name) {
  ScenarioModel model;
  model.slots[slot::train_header].name = train_number;
  model.slots[slot::scenario_header].name = scenario_name;
  return model;
}

TEST(CompetitionCodes, WorkedExample) {
  // "ab" + "Cd" -> "abcd" + the first 21 padding characters
  // "qqrrssttuuvvwwxxyyzzq":
  //   a b c d = 97 98 99 100, then q q r r s s t t u u v v w w x x y y z z q
  //   = 113 113 114 114 115 115 116 116 117 117 118 118 119 119 120 120 121
  //     121 122 122 113.
  // plain: 394 + 2 x (113 + ... + 122) + 113 = 394 + 2350 + 113 = 2857.
  // weighted: 1x97 + 2x98 + 3x99 + 4x100 + 5x113 + 6x113 + 7x114 + ... + 25x113
  //   = 38220.
  const ScenarioModel model = identity("ab", "Cd");
  EXPECT_EQ(codice_gara_og(model), 2857);
  EXPECT_EQ(codice_gara_st(model), 38220);
}

TEST(CompetitionCodes, AnEmptyIdentityUsesThePaddingAlone) {
  // "qqrrssttuuvvwwxxyyzzqqrrs": 2 x (113 + ... + 122) + 113 + 113 + 114 + 114 + 115
  // = 2350 + 569 = 2919; weighted 38097.
  const ScenarioModel model = identity("", "");
  EXPECT_EQ(codice_gara_og(model), 2919);
  EXPECT_EQ(codice_gara_st(model), 38097);
}

TEST(CompetitionCodes, LettersAreFoldedToLowerCase) {
  const ScenarioModel lower = identity("", "ab");
  const ScenarioModel mixed_1 = identity("", "Ab");
  const ScenarioModel mixed_2 = identity("", "aB");
  const ScenarioModel upper = identity("AB", "");
  EXPECT_EQ(codice_gara_og(mixed_1), codice_gara_og(mixed_2));
  EXPECT_EQ(codice_gara_st(mixed_1), codice_gara_st(mixed_2));
  EXPECT_EQ(codice_gara_st(mixed_1), codice_gara_st(lower));
  EXPECT_EQ(codice_gara_st(upper), codice_gara_st(lower));
  EXPECT_EQ(codice_gara_og(upper), codice_gara_og(lower));
}

TEST(CompetitionCodes, OnlyAsciiLettersAreFoldedAndBytesCountUnsigned) {
  // "\xC0" (192) is not an ASCII letter: it stays 192, not 224, and counts
  // as an unsigned code; "_" and "[" (91, right after 'Z') stay as they are.
  const ScenarioModel model = identity("", "\xC0_[");
  // 192 + 95 + 91 + the first 22 padding characters "qqrrssttuuvvwwxxyyzzqq"
  // = 378 + 2350 + 226 = 2954.
  EXPECT_EQ(codice_gara_og(model), 2954);
  const ScenarioModel underscore = identity("", "_");
  EXPECT_EQ(codice_gara_og(underscore), 95 + 2350 + 113 + 113 + 114 + 114);
}

TEST(CompetitionCodes, ExactlyTwentyFiveCharactersIgnoreThePadding) {
  // a .. y = 97 .. 121: plain 25 x 109 = 2725; weighted
  // sum k x (96 + k) for k = 1 .. 25 = 96 x 325 + 5525 = 36725.
  const ScenarioModel model = identity("abcde", "fghijklmnopqrstuvwxy");
  EXPECT_EQ(codice_gara_og(model), 2725);
  EXPECT_EQ(codice_gara_st(model), 36725);
}

TEST(CompetitionCodes, CharactersBeyondTheTwentyFifthAreIgnored) {
  const ScenarioModel exact = identity("abcde", "fghijklmnopqrstuvwxy");
  for (const char* tail : {"z", "zzzzzzzzzz", "Z_0123456789"}) {
    const ScenarioModel longer = identity("abcde", std::string("fghijklmnopqrstuvwxy") + tail);
    EXPECT_EQ(codice_gara_og(longer), codice_gara_og(exact)) << tail;
    EXPECT_EQ(codice_gara_st(longer), codice_gara_st(exact)) << tail;
  }
}

TEST(CompetitionCodes, TheTrainNumberComesFirst) {
  EXPECT_NE(codice_gara_st(identity("ab", "cd")), codice_gara_st(identity("cd", "ab")));
  EXPECT_EQ(codice_gara_st(identity("ab", "cd")), codice_gara_st(identity("abcd", "")));
  EXPECT_EQ(codice_gara_st(identity("ab", "cd")), codice_gara_st(identity("", "abcd")));
}

TEST(CompetitionCodes, TheBuiltInIdentity) {
  // "31407" + "Lindra_Kestova" -> "31407lindra_kestova" (19 characters)
  // + "qqrrss" (the first 6 of the padding):
  //  k  char code  k x code      k  char code  k x code
  //  1   3    51      51        14   e   101    1414
  //  2   1    49      98        15   s   115    1725
  //  3   4    52     156        16   t   116    1856
  //  4   0    48     192        17   o   111    1887
  //  5   7    55     275        18   v   118    2124
  //  6   l   108     648        19   a    97    1843
  //  7   i   105     735        20   q   113    2260
  //  8   n   110     880        21   q   113    2373
  //  9   d   100     900        22   r   114    2508
  // 10   r   114    1140        23   r   114    2622
  // 11   a    97    1067        24   s   115    2760
  // 12   _    95    1140        25   s   115    2875
  // 13   k   107    1391
  // plain: 255 (the digits, 51 + 49 + 52 + 48 + 55) + 1494 (the name,
  //   108 + 105 + ... + 97) + 684 (the padding, 113 + 113 + 114 + 114 + 115 + 115)
  //   = 2433.
  // weighted: the k x code column summed = 34920.
  const ScenarioModel model = identity("31407", "Lindra_Kestova");
  EXPECT_EQ(codice_gara_og(model), 2433);
  EXPECT_EQ(codice_gara_st(model), 34920);
}

}  // namespace
}  // namespace tracciato
