// The slowdown order.
#include <gtest/gtest.h>

#include "documents/document_fixture.h"

namespace tracciato {
namespace {

using namespace document_testing;

const std::vector<std::size_t> order_widths = {3, 28, 12, 10, 9, 12};

class SlowdownOrder : public DocumentTest {
 protected:
  void SetUp() override { write(dati_rallentamenti, "Lindra_Kestova_31407_rallentamenti.txt"); }
};

TEST_F(SlowdownOrder, Has46CrLfLinesInTheCodePage) {
  expect_plain_lines(46);
}

TEST_F(SlowdownOrder, KeepsItsFixedLinesByteForByte) {
  const std::string header_rule =
      " |___|____________________________|____________|__________|_________|____________|";
  expect_lines({
      {0, ""},
      {1, "                               Modulo M. 3"},
      {2, "                           ORDINE DI RALLENTAMENTO"},
      {3, " " + std::string(80, '_')},
      {5, ""},
      {6, "  Si ordina al macchinista del treno 31407 di effettuare i seguenti rallentamenti"},
      {7, "  " + std::string(79, '_')},
      {8, " |   |                            |Inizio dopo |          |         |            |"},
      {9, " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|"},
      {10, " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |"},
      {11, header_rule},
      {38, header_rule},
      {39, ""},
      {40, "              Prescrizioni specifiche"},
      {41, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {44, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {45, "     i giorni esclusi i seguenti:........."},
  });
}

TEST_F(SlowdownOrder, TableLinesAreSixCellsWide) {
  expect_table_lines(8, 38, order_widths);
}

TEST_F(SlowdownOrder, KeepsTwentyTwoBlankRowsBelowTheRestrictions) {
  for (std::size_t i = 12; i <= 37; ++i) {
    if (i == 13 || i == 15) continue;  // the two restrictions
    EXPECT_EQ(lines_[i], blank_row(order_widths)) << "line " << i;
  }
}

// The train description's records, read by a splitter of this test's own.
struct Record {
  std::vector<std::string> fields;
  int number(std::size_t i) const { return std::stoi(fields.at(i)); }
};

std::vector<Record> train_records(std::string_view keyword) {
  std::vector<Record> records;
  std::string_view text = builtin_train_text();
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.starts_with(keyword)) continue;
    Record record;
    std::string_view rest = line;
    for (;;) {
      const std::size_t comma = rest.find(',');
      std::string_view field = rest.substr(0, comma);
      while (field.starts_with(' ')) field.remove_prefix(1);
      record.fields.emplace_back(field);
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    records.push_back(record);
  }
  return records;
}

TEST_F(SlowdownOrder, RestrictionsAgreeWithTheTrainDescription) {
  // Slowdown records: position, speed, length. Station records: position
  // first, name last.
  const auto slowdowns = train_records("rallentamento,");
  const auto stations = train_records("stazione,");
  ASSERT_EQ(slowdowns.size(), 2u);
  auto station_name = [&](auto&& holds) {
    for (const Record& s : stations) {
      if (holds(s.number(1))) return s.fields.back();
    }
    return std::string("?");
  };
  const int start1 = slowdowns[0].number(1);
  const int end1 = start1 + slowdowns[0].number(3);
  const std::string within = station_name([&](int p) { return p >= start1 && p <= end1; });
  const int start2 = slowdowns[1].number(1);
  const std::string after = station_name([&](int p) { return p > start2; });
  std::string before = "?";
  for (const Record& s : stations) {
    if (s.number(1) < start2) before = s.fields.back();
  }

  auto restriction = [](const std::string& n, const std::string& where, const std::string& km,
                        const Record& slowdown, const std::string& prescription) {
    return table_row(order_widths, {" " + n + " ", left(where, 28, 1), right(km, 12, 2),
                                    right(slowdown.fields[2], 10, 4),
                                    "   " + slowdown.fields[3] + "   ", left(prescription, 12, 6)});
  };
  expect_lines({
      {4, "  Linea  " + stations_.front() + " - " + stations_.back()},
      {13, restriction("1", within, "15.100", slowdowns[0], "B")},
      {15, restriction("2", before + " - " + after, "19.350", slowdowns[1], "")},
      {42, " B - Interessa anche la stazione di " + within},
  });
}

}  // namespace
}  // namespace tracciato
