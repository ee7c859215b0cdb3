// The three papers handed to the driver, written into a folder and read back
// as bytes. Each is checked against the layout rules of its own form (line
// numbers, fixed lines, cell widths and formats, lines of blanks), so that an
// edit of a text cannot silently break what the driver prints.
#include "documents/driver_documents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "describe/builtin_scenario.h"
#include "platform/io_failure.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

using testing::TempFolder;

using DocumentWriter = void (*)(const ScenarioModel&, const std::filesystem::path&);

ScenarioModel builtin_identity() {
  ScenarioModel model;
  model.scenario_name = "Lindra_Kestova";
  model.train_number = "31407";
  return model;
}

// Printable ASCII and the six letters the texts use, each one byte in the
// code page: a UTF-8 sequence (C3 A8 for è), a tab or a stray CR fails.
bool is_document_byte(char c) {
  const auto b = static_cast<unsigned char>(c);
  constexpr std::string_view accented = "\xE0\xE8\xEC\xF2\xF9\xB0";
  return (b >= 0x20 && b < 0x7F) || accented.find(c) != std::string_view::npos;
}

std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}

// `text` after `lead` blanks, filled with blanks to `width`.
std::string left(const std::string& text, std::size_t width, std::size_t lead = 0) {
  const std::string cell = text.empty() ? "" : blanks(lead) + text;
  return cell + blanks(width > cell.size() ? width - cell.size() : 0);
}

// `text` ending `trail` blanks before the end of a cell of `width`.
std::string right(const std::string& text, std::size_t width, std::size_t trail) {
  if (text.empty()) return blanks(width);
  const std::size_t used = text.size() + trail;
  return blanks(width > used ? width - used : 0) + text + blanks(trail);
}

// " |" and each cell followed by "|"; a cell of the wrong width is a fault
// of the expectation itself.
std::string table_row(const std::vector<std::size_t>& widths,
                      const std::vector<std::string>& cells) {
  std::string row = " |";
  for (std::size_t i = 0; i < widths.size(); ++i) {
    EXPECT_EQ(cells[i].size(), widths[i]) << "cell \"" << cells[i] << "\"";
    row += cells[i] + "|";
  }
  return row;
}

std::string blank_row(const std::vector<std::size_t>& widths) {
  std::vector<std::string> cells;
  for (const std::size_t width : widths) cells.push_back(blanks(width));
  return table_row(widths, cells);
}

// "FONTEVIVA" as a halt is written "Fonteviva".
std::string mixed_case(std::string name) {
  bool first = true;
  for (char& c : name) {
    if (c == ' ') {
      first = true;
      continue;
    }
    c = first ? c : static_cast<char>(c - 'A' + 'a');
    first = false;
  }
  return name;
}

// Writes one document into an empty folder and keeps its bytes and lines.
class DocumentTest : public ::testing::Test {
 protected:
  void write(DocumentWriter writer, const std::string& expected_name) {
    writer(builtin_identity(), folder_.path());
    ASSERT_EQ(folder_.names(), std::set<std::string>{expected_name});
    bytes_ = testing::read_bytes(folder_ / expected_name);
    std::size_t start = 0;
    while (start < bytes_.size()) {
      const std::size_t end = bytes_.find("\r\n", start);
      ASSERT_NE(end, std::string::npos) << "the last line lacks its CR LF";
      lines_.push_back(bytes_.substr(start, end - start));
      start = end + 2;
    }
  }

  // Every line ended by CR LF and made of code-page bytes only.
  void expect_plain_lines(std::size_t count) const {
    EXPECT_EQ(lines_.size(), count);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      EXPECT_TRUE(std::all_of(lines_[i].begin(), lines_[i].end(), is_document_byte))
          << "line " << i << ": " << lines_[i];
    }
    EXPECT_EQ(bytes_.find("riferimento fine del file"), std::string::npos);
  }

  void expect_lines(const std::map<std::size_t, std::string>& expected) const {
    for (const auto& [line, text] : expected) {
      ASSERT_LT(line, lines_.size());
      EXPECT_EQ(lines_[line], text) << "line " << line;
    }
  }

  // The cell borders of every table line from `first` to `last`.
  void expect_table_lines(std::size_t first, std::size_t last,
                          const std::vector<std::size_t>& widths) const {
    std::size_t length = 2;
    for (const std::size_t width : widths) length += width + 1;
    for (std::size_t i = first; i <= last; ++i) {
      const std::string& line = lines_.at(i);
      ASSERT_EQ(line.size(), length) << "line " << i << ": " << line;
      std::size_t border = 1;
      EXPECT_EQ(line[border], '|') << "line " << i;
      for (const std::size_t width : widths) {
        border += width + 1;
        EXPECT_EQ(line[border], '|') << "line " << i << ", column " << border;
      }
    }
  }

  TempFolder folder_;
  std::string bytes_;
  std::vector<std::string> lines_;
  const std::vector<std::string> stations_ = builtin_station_names();
};

// --- The train card ---------------------------------------------------------

const std::vector<std::size_t> card_widths = {5, 5, 10, 5, 28, 16, 5};

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

// --- The slowdown order -----------------------------------------------------

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

// --- The scenario notes -----------------------------------------------------

class ScenarioNotes : public DocumentTest {
 protected:
  void SetUp() override { write(dati_note, "Lindra_Kestova_31407_note.txt"); }

  // Lines of blanks only, with their exact blank counts; every other line of
  // the sections below must be prose.
  const std::map<std::size_t, std::size_t> blank_lines_ = {
      {1, 0},   {3, 0},   {6, 0},   {7, 0},   {9, 2},   {36, 1},  {52, 0},  {53, 0},
      {55, 0},  {61, 1},  {63, 1},  {67, 1},  {73, 1},  {81, 9},  {89, 1},  {92, 0},
      {93, 0},  {95, 1},  {105, 1}, {115, 8}, {124, 8}, {127, 0}, {128, 0}, {130, 8},
      {137, 8}, {141, 8}, {144, 8}, {148, 8}, {151, 8}, {154, 8}, {158, 8}, {163, 0},
      {164, 0}, {165, 0}, {167, 0}, {169, 8}, {194, 0}, {196, 0}, {217, 8}, {219, 0},
      {242, 8}, {243, 0}, {245, 0}, {256, 8}, {269, 8}, {279, 9}, {281, 0}, {297, 0},
      {299, 0}, {324, 8}, {326, 0}, {332, 0}, {339, 0}, {340, 0}, {342, 0}};
  const std::vector<std::size_t> headings_ = {168, 195, 218, 244, 257, 280, 298};
};

TEST_F(ScenarioNotes, Has344CrLfLinesInTheCodePageNoneOver105Characters) {
  expect_plain_lines(344);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    EXPECT_LE(lines_[i].size(), 105u) << "line " << i;
  }
}

TEST_F(ScenarioNotes, AccentedLettersAndTheDegreeSignAreOneByteEach) {
  for (const char letter : std::string_view("\xE0\xE8\xEC\xF2\xF9\xB0")) {
    EXPECT_NE(bytes_.find(letter), std::string::npos) << static_cast<int>(letter);
  }
}

TEST_F(ScenarioNotes, KeepsItsFixedLinesAndSectionHeadings) {
  expect_lines({
      {0, "LINEA :  " + stations_.front() + " -- " + stations_.back()},
      {2, "TRENO : 31407"},
      {8, "INTRODUZIONE"},
      {54, "LA LINEA SIMULATA"},
      {94, "  RALLENTAMENTI"},
      {129, "  IMPRECISIONI NELLA LINEA SIMULATA"},
      {166, "LA LINEA REALE"},
      {325, " NOTE :"},
  });
  EXPECT_TRUE(lines_[4].starts_with("SCENARI COSTRUITI : ")) << lines_[4];
  EXPECT_TRUE(lines_[5].starts_with(blanks(14)) && lines_[5][14] != ' ') << lines_[5];
  EXPECT_TRUE(lines_[5].ends_with(" ." + blanks(6))) << lines_[5];
}

TEST_F(ScenarioNotes, BlankLinesKeepTheirExactBlanks) {
  for (const auto& [line, count] : blank_lines_) {
    EXPECT_EQ(lines_.at(line), blanks(count)) << "line " << line;
  }
}

TEST_F(ScenarioNotes, ProseKeepsTheIndentOfItsSection) {
  struct Section {
    std::size_t first, last, indent;
    bool eight_blank_paragraphs;
  };
  const std::vector<Section> sections = {
      {10, 51, 1, false},   {56, 91, 1, false},   {96, 99, 1, false},   {100, 126, 8, false},
      {131, 162, 8, false}, {170, 323, 8, true},  {328, 331, 8, false}, {334, 338, 8, false},
      {341, 341, 0, false}, {343, 343, 0, false},
  };
  for (const Section& section : sections) {
    for (std::size_t i = section.first; i <= section.last; ++i) {
      const std::string& line = lines_.at(i);
      if (blank_lines_.contains(i)) continue;
      if (std::find(headings_.begin(), headings_.end(), i) != headings_.end()) continue;
      if (section.eight_blank_paragraphs && line == blanks(8)) continue;
      EXPECT_TRUE(line.size() > section.indent && line.starts_with(blanks(section.indent)) &&
                  line[section.indent] != ' ')
          << "line " << i << " should be prose after " << section.indent << " blanks: \"" << line
          << "\"";
    }
  }
}

TEST_F(ScenarioNotes, QuotesTheSignallingRulesAndCallsBothFootnotes) {
  EXPECT_TRUE(lines_[106].starts_with(blanks(8) + "\"")) << lines_[106];
  EXPECT_TRUE(lines_[114].ends_with("\"")) << lines_[114];
  EXPECT_TRUE(lines_[327].starts_with("    (*) ")) << lines_[327];
  EXPECT_TRUE(lines_[333].starts_with("   (**) ")) << lines_[333];
  const std::string body = bytes_.substr(0, bytes_.find(" NOTE :"));
  EXPECT_NE(body.find("(*)"), std::string::npos);
  EXPECT_NE(body.find("(**)"), std::string::npos);
}

TEST_F(ScenarioNotes, RealLineHasSevenSubsectionsNamingStationsOrStretches) {
  // "  NAME ( 4+318 )", "  NAME ( 13+030 / 0+230 )" or "  TRATTA NAME - NAME"; one heading
  // is indented by eight blanks instead of two.
  const std::regex station_heading(R"(( {2}| {8})([A-Z ]+?) \( \d+\+\d{3}( / \d+\+\d{3})? \))");
  const std::regex stretch_heading(R"(( {2}| {8})TRATTA ([A-Z ]+?) - ([A-Z ]+))");
  const std::set<std::string> names(stations_.begin(), stations_.end());
  int indented_by_eight = 0;
  for (const std::size_t line : headings_) {
    std::smatch match;
    const std::string& heading = lines_.at(line);
    if (std::regex_match(heading, match, station_heading)) {
      EXPECT_TRUE(names.contains(match[2])) << heading;
    } else if (std::regex_match(heading, match, stretch_heading)) {
      EXPECT_TRUE(names.contains(match[2]) && names.contains(match[3])) << heading;
    } else {
      ADD_FAILURE() << "line " << line << " is no subsection heading: \"" << heading << "\"";
    }
    if (heading.starts_with(blanks(8))) ++indented_by_eight;
  }
  EXPECT_EQ(indented_by_eight, 1);
}

// The cell `index` of a train card row, without its blanks.
std::string card_cell(const std::string& row, std::size_t index) {
  std::size_t start = 2;
  for (std::size_t i = 0; i < index; ++i) start += card_widths[i] + 1;
  std::string cell = row.substr(start, card_widths[index]);
  cell.erase(0, cell.find_first_not_of(' '));
  cell.erase(cell.find_last_not_of(' ') + 1);
  return cell;
}

TEST_F(ScenarioNotes, StationHeadingsGiveTheProgressivesOfTheTrainCard) {
  TempFolder card_folder;
  dati_scheda(builtin_identity(), card_folder.path());
  std::vector<std::string> card;
  const std::string card_bytes =
      testing::read_bytes(card_folder / "Lindra_Kestova_31407_scheda_treno.txt");
  for (std::size_t start = 0, end; (end = card_bytes.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    card.push_back(card_bytes.substr(start, end - start));
  }
  ASSERT_GT(card.size(), 69u);
  // Where the progressive changes, the card gives the two values on the rows
  // around the station's "------".
  auto card_progressive = [&](const std::string& name) {
    for (std::size_t i = 17; i < 69; ++i) {
      if (card_cell(card[i], 4) != name) continue;
      const std::string km = card_cell(card[i], 2);
      return km != "------" ? km : card_cell(card[i - 1], 2) + " / " + card_cell(card[i + 1], 2);
    }
    return std::string("not on the card");
  };
  const std::regex station_heading(R"( +([A-Z ]+?) \( (.+) \))");
  int stations_named = 0;
  for (const std::size_t line : headings_) {
    std::smatch match;
    if (!std::regex_match(lines_[line], match, station_heading)) continue;
    ++stations_named;
    std::string km = match[2];
    std::replace(km.begin(), km.end(), '+', '.');
    EXPECT_EQ(km, card_progressive(match[1])) << lines_[line];
  }
  EXPECT_GT(stations_named, 0);
}

TEST_F(ScenarioNotes, ThrowIoFailureWhenAFolderTakesTheirName) {
  TempFolder folder;
  const ScenarioModel model = builtin_identity();
  std::filesystem::create_directory(folder / notes_name(model));
  EXPECT_THROW(dati_note(model, folder.path()), IoFailure);
}

}  // namespace
}  // namespace tracciato
