#include "check/keyword_spellings.h"

#include <gtest/gtest.h>

namespace tracciato {
namespace {

constexpr auto general = KeywordPlace::line_general;
constexpr auto features = KeywordPlace::line_features;
constexpr auto train = KeywordPlace::train;

TEST(KeywordSpellings, NamesTheKeywordOfItsPlaceWithinTwoEditsAndNothingFarther) {
  const struct {
    const char* field;
    KeywordPlace place;
    std::optional<std::string_view> keyword;
  } cases[] = {
      {"pendeza", features, "pendenza"},
      {"  Stazone ", train, "stazione"},
      {"rallentameto", train, "rallentamento"},
      {"segnael", train, "segnale"},
      {"curvsd3", features, "curvad3"},
      {"velocità", train, "velocita"},
      {"sfondo uo", general, "sfondo uno"},
      {"lunghezza percoso", general, "lunghezza percorso"},
      // A keyword of another place is not offered.
      {"pendeza", train, std::nullopt},
      {"stazone", features, std::nullopt},
      {"nota", train, std::nullopt},
      {"pendolino rapido", features, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(nearest_keyword(c.field, c.place), c.keyword) << c.field;
  EXPECT_TRUE(near_general_header("[general]"));
  EXPECT_TRUE(near_general_header("[Generali]"));
  EXPECT_FALSE(near_general_header("[curve]"));
}

TEST(KeywordSpellings, AKeywordIsWrittenWholeAndAlone) {
  const struct {
    const char* field;
    KeywordPlace place;
    bool written;
  } cases[] = {
      {"pendenza", features, true},
      {" Pendenza ", features, true},
      {"curvas2", features, true},
      {"curvad12", features, true},  // its class is judged apart
      {"curva3", features, true},
      {"velocit\xE0", train, true},
      {"percentuale massa frenata", train, true},
      {"ripetizione segnali 4 codici", general, true},
      {"nota: da qui la pendenza sale", features, false},
      {"pendenza_max", features, false},
      {"curvatura", features, false},
      {"stazione", features, false},
      {"massa frenata", train, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(written_as_keyword(c.field, c.place), c.written) << c.field;
  }
}

}  // namespace
}  // namespace tracciato
