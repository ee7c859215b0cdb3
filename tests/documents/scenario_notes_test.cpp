// The scenario notes.
#include <gtest/gtest.h>

#include "documents/document_fixture.h"
#include "support/written_into.h"

namespace tracciato {
namespace {

using namespace document_testing;

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
  testing::written_into(card_folder.path(), [&](OutputTransaction& out) {
    dati_scheda(builtin_identity(), card_folder.path(), out);
  });
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
  EXPECT_THROW(
      testing::written_into(folder.path(),
                            [&](OutputTransaction& out) { dati_note(model, folder.path(), out); }),
      IoFailure);
}

}  // namespace
}  // namespace tracciato
