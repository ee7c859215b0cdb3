// The train card.
#include <gtest/gtest.h>

#include "documents/document_fixture.h"

namespace tracciato {
namespace {

using namespace document_testing;

class TrainCard : public DocumentTest {
 protected:
  void SetUp() override { write(dati_scheda, "Lindra_Kestova_31407_scheda_treno.txt"); }
};

TEST_F(TrainCard, Has72CrLfLinesInTheCodePage) {
  expect_plain_lines(72);
}

TEST_F(TrainCard, KeepsItsFixedLinesByteForByte) {
  const std::string header_rule =
      " |_____|_____|__________|_____|____________________________|________________|_____|";
  expect_lines({
      {0, ""},
      {1, ""},
      {2, "  ___________________                                               ______________"},
      {3, " |                   |                    SCHEDA                   |              |"},
      {6, blanks(67) + "|______________|"},
      {7, "  ___________________                ___________________"},
      {8, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {9, " |        R          |              |      280T         |"},
      {10, " |___________________|              |___________________|"},
      {11, ""},
      {12, "  ________________________________________________________________________________"},
      {13, " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |"},
      {14, " | Lim.|Marc.|          |  Rs |                            |                |     |"},
      {15, header_rule},
      {70, header_rule},
      {71, ""},
  });
}

TEST_F(TrainCard, TitleBoxNamesTheRunTheTopSpeedAndTheBrakedMass) {
  expect_lines({
      {4, " |   TRENO n.31407   |" + left("da: " + stations_.front(), 45, 19) + "|    V160 B    |"},
      {5, " |___________________|" + left("a: " + stations_.back(), 45, 20) + "|     115%     |"},
  });
}

TEST_F(TrainCard, TimetableLinesAreSevenCellsWide) {
  expect_table_lines(13, 70, card_widths);
}

struct CardRow {
  std::size_t line;
  std::string limit, running, km, rank, location, times, recovery;
};

std::string speed(const std::string& kmh) {
  return right(kmh, 5, 1);
}
std::string station(const std::string& name) {
  return left(name, 28, 1);
}
std::string indented(const std::string& text) {
  return left(text, 28, 6);
}
std::string departs(const std::string& time) {
  return right(time, 16, 1);
}
std::string arrives(const std::string& time) {
  return left(time, 16, 1);
}
std::string stops(const std::string& arrival, const std::string& departure) {
  return " " + arrival + "    " + departure + " ";
}
std::string passes(const std::string& time) {
  return left(time, 16, 6);
}
const std::string no_time = blanks(16);
const std::string no_location = blanks(28);

TEST_F(TrainCard, DataRowsFollowTheirCellFormatsAndTheBlankRowsSeparateThem) {
  const auto& s = stations_;  // first to last, halts and the former halt included
  ASSERT_EQ(s.size(), 13u);
  const std::vector<CardRow> rows = {
      {17, "30", "30", "0.000", "30", station(s[0]), departs("12.05"), ""},
      {19, "120", "115", "", "120", indented("Dev. U. LINDRA C.LE"), no_time, ""},
      {21, "", "", "1.500", "", station("Posto di Blocco P103"), passes("12.08+"), ""},
      {23, "110", "110", "3.150", "110", indented("Dev. I. LINDRA P.EST"), no_time, ""},
      {25, "", "", "4.318", "", station(s[1]), stops("12.11", "12.12"), "1.0"},
      {27, "160", "150", "", "140", indented("Cavalcavia Km.5,112"), no_time, ""},
      {29, "", "", "6.866", "", station("Bivio Ardena"), passes("12.14"), ""},
      {31, "", "", "8.010", "145", station(s[2]), stops("12.15", "12.16"), ""},
      {33, "", "", "10.440", "", station("Posto di Blocco P413"), passes("12.18+"), ""},
      {35, "130", "130", "", "130", indented("Cavalcavia Km.12,648"), no_time, ""},
      {37, "", "", "13.030", "", no_location, no_time, ""},
      {38, "", "", "------", "", station(s[3]), stops("12.21", "12.22"), "1.0"},
      {39, "", "", "0.230", "", no_location, no_time, ""},
      {41, "140", "", "", "140", indented("Cavalcavia Km.2,159"), no_time, ""},
      {43, "", "", "3.305", "", station("Posto di Blocco P203"), passes("12.24+"), ""},
      {45, "", "140", "4.320", "", station(mixed_case(s[4])), passes("12.25"), ""},
      {47, "", "", "7.149", "", station(s[5]), stops("12.27", "12.28"), "0.5"},
      {49, "", "", "15.499", "", station(s[6]), stops("12.34", "12.35"), "1.5"},
      {51, "", "135", "24.579", "", station(s[7]), stops("12.40", "12.41"), "0.5"},
      {53, "", "125", "31.628", "", station(s[8]), stops("12.46", "12.47"), ""},
      {55, "130", "", "", "130", indented("Dev. I. " + s[9]), no_time, ""},
      {57, "", "", "38.384", "", station(s[9]), stops("12.52", "12.53"), "2.0"},
      {59, "140", "135", "", "140", indented("Km.39,605"), no_time, ""},
      {61, "", "", "44.941", "", station("Posto di Blocco 433"), no_time, ""},
      {63, "", "130", "45.030", "", station(mixed_case(s[10])), passes("12.58"), ""},
      {65, "105", "105", "", "105", indented("Dev. I. " + s[12]), no_time, ""},
      {67, "", "", "50.541", "", station(s[12]), arrives("13.02"), ""},
      {68, "", "", "", "", no_location, no_time, "2.5"},
  };
  std::set<std::size_t> data_lines;
  for (const CardRow& row : rows) {
    data_lines.insert(row.line);
    EXPECT_EQ(lines_.at(row.line),
              table_row(card_widths,
                        {speed(row.limit), speed(row.running), right(row.km, 10, 2),
                         speed(row.rank), row.location, row.times, right(row.recovery, 5, 1)}))
        << "line " << row.line;
  }
  for (std::size_t i = 16; i <= 69; ++i) {
    if (data_lines.contains(i)) continue;
    EXPECT_EQ(lines_[i], blank_row(card_widths)) << "line " << i;
  }
}

}  // namespace
}  // namespace tracciato
