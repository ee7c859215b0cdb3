// The built-in line description as data: its layout, the binding counts and
// rows the simulator relies on, and the cells it must leave to the train description and
// the post-pass. Read with a splitter of its own, not with the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "describe/builtin_scenario.h"

namespace tracciato {
namespace {

// --- A tiny splitter: lines at LF, fields at commas, blanks trimmed. ---

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);  // no final LF: caught by the layout test
      break;
    }
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> fields_of(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(trimmed(line.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

// An empty field is nullopt; anything but an optionally signed integer fails.
std::optional<int> number(std::string_view field) {
  if (field.empty()) return std::nullopt;
  int value = 0;
  const char* first = field.data();
  if (*first == '+') ++first;
  const auto [end, error] = std::from_chars(first, field.data() + field.size(), value);
  if (error != std::errc{} || end != field.data() + field.size()) {
    ADD_FAILURE() << "not a number: \"" << field << "\"";
    return std::nullopt;
  }
  return value;
}

int required(std::string_view field) {
  const std::optional<int> value = number(field);
  if (!value) ADD_FAILURE() << "empty number field";
  return value.value_or(0);
}

struct Record {
  std::string_view line;
  std::vector<std::string_view> fields;
};

struct Section {
  std::string_view header;
  std::vector<Record> records;
};

struct LineData {
  std::vector<std::string_view> lines;
  std::vector<Section> sections;

  const std::vector<Record>& records(std::string_view header) const {
    for (const Section& s : sections) {
      if (s.header == header) return s.records;
    }
    static const std::vector<Record> none;
    ADD_FAILURE() << "no section " << header;
    return none;
  }
};

LineData builtin_line() {
  LineData data;
  data.lines = lines_of(builtin_line_text());
  for (std::string_view line : data.lines) {
    if (line.starts_with('[')) {
      data.sections.push_back({line, {}});
    } else if (!data.sections.empty()) {
      data.sections.back().records.push_back({line, fields_of(line)});
    } else {
      ADD_FAILURE() << "record before the first header: " << line;
    }
  }
  return data;
}

bool has_line(const LineData& data, std::string_view wanted) {
  for (std::string_view line : data.lines) {
    if (line == wanted) return true;
  }
  return false;
}

// The text between each pair of parentheses; nullopt when the text is not a
// plain sequence of "(...)" groups.
std::optional<std::vector<std::string_view>> board_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    if (text.front() != '(') return std::nullopt;
    const std::size_t close = text.find(')');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view inside = text.substr(1, close - 1);
    if (inside.find('(') != std::string_view::npos) return std::nullopt;
    lines.push_back(inside);
    text.remove_prefix(close + 1);
  }
  return lines;
}

int cell_of(int position) {
  return position / 50 + 1;
}

// --- Layout and the rows the simulator relies on. ---

TEST(BuiltinLineData, Has259PlainAsciiLinesEachEndingInLf) {
  const std::string_view text = builtin_line_text();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte < 0x7f)) << "byte " << int{byte};
  }
  const LineData data = builtin_line();
  EXPECT_EQ(data.lines.size(), 259u);
  for (std::string_view line : data.lines) {
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(line.find("riferimento fine del file"), std::string_view::npos);
  }
}

TEST(BuiltinLineData, SectionsComeInOrderWithTheirCounts) {
  const LineData data = builtin_line();
  const std::pair<std::string_view, std::size_t> expected[] = {
      {"[generale]", 8},  {"[curve]", 117},      {"[pendenze]", 36}, {"[montagne]", 20},
      {"[cartelli]", 11}, {"[indicazioni]", 60}, {"[fine]", 0}};
  ASSERT_EQ(data.sections.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(data.sections[i].header, expected[i].first);
    EXPECT_EQ(data.sections[i].records.size(), expected[i].second) << expected[i].first;
  }
  EXPECT_EQ(data.lines.back(), "[fine]");
}

TEST(BuiltinLineData, GeneralRecordsAreTheBindingOnes) {
  const LineData data = builtin_line();
  const std::string_view expected[] = {
      "lunghezza percorso,    68000",
      "progressiva chilometrica uno,    12800,    -12800,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    0",
      "sfondo due,    1",
      "sfondo tre,    60000",
      "ripetizione segnali 4 codici,    1300,    12150",
  };
  const std::vector<Record>& general = data.records("[generale]");
  ASSERT_EQ(general.size(), std::size(expected));
  for (std::size_t i = 0; i < general.size(); ++i) EXPECT_EQ(general[i].line, expected[i]);
}

TEST(BuiltinLineData, HoldsTheTellingRowsAsWritten) {
  const LineData data = builtin_line();
  for (std::string_view row : {
           "curvad2,  1150,  250",
           "curvas4,  3550,  800",
           "curvad5,  13950,  150",
           "curvad3,  66200,  200",
           "pendenza,   0,    0",
           "pendenza,  1250,   -6",
           "pendenza,  65350,   5",
           "montagna,   950,  1000,  2",
           "montagna,   2100,  2250,  12",
           "montagna,   65350,  65450,  12",
           "indicatori_vmax,  1300,  110,  120,  125,  0,  110,  120,  125,  0",
           "indicatori_vmax,  11850,  120,  130,  130,  0,  ,  ,  ,  0",
           "indicatori_vmax,  61350,  100,  105,  105,  2,  ,  ,  ,  0",
           "cartello_indicatore,  4650,   (CAVALCAVIA)",
           "cartello_indicatore,  14400,   (PASSAGGIO)(A LIVELLO)(Km 1+609 )",
       }) {
    EXPECT_TRUE(has_line(data, row)) << row;
  }
}

// --- The feature sections. ---

TEST(BuiltinLineData, CurvesAscendWithoutOverlapInTheBindingClasses) {
  const LineData data = builtin_line();
  const std::vector<Record>& curves = data.records("[curve]");
  std::map<std::string, int> per_keyword;
  int previous_end = 0;
  for (const Record& r : curves) {
    ASSERT_EQ(r.fields.size(), 3u) << r.line;
    const std::string keyword(r.fields[0]);
    ASSERT_EQ(keyword.size(), 7u) << r.line;
    EXPECT_TRUE(keyword.starts_with("curvas") || keyword.starts_with("curvad")) << r.line;
    EXPECT_TRUE(keyword[6] >= '1' && keyword[6] <= '5') << r.line;
    ++per_keyword[keyword];
    const int start = required(r.fields[1]);
    const int length = required(r.fields[2]);
    EXPECT_GE(start, previous_end) << r.line;
    EXPECT_GT(length, 0) << r.line;
    EXPECT_EQ(start % 50, 0) << r.line;
    EXPECT_EQ(length % 50, 0) << r.line;
    previous_end = start + length;
  }
  const std::map<std::string, int> expected = {
      {"curvas1", 14}, {"curvas2", 22}, {"curvas3", 17}, {"curvas4", 5}, {"curvas5", 1},
      {"curvad1", 15}, {"curvad2", 22}, {"curvad3", 10}, {"curvad4", 8}, {"curvad5", 3}};
  EXPECT_EQ(per_keyword, expected);
  ASSERT_FALSE(curves.empty());
  EXPECT_EQ(curves.back().line, "curvad3,  66200,  200");
  EXPECT_EQ(previous_end, 66400);
}

TEST(BuiltinLineData, GradientsAscendWithinSixPerMille) {
  const LineData data = builtin_line();
  const std::vector<Record>& gradients = data.records("[pendenze]");
  ASSERT_FALSE(gradients.empty());
  EXPECT_EQ(gradients.front().line, "pendenza,   0,    0");
  EXPECT_EQ(gradients.back().line, "pendenza,  65350,   5");
  int previous = -1;
  for (const Record& r : gradients) {
    ASSERT_EQ(r.fields.size(), 3u) << r.line;
    EXPECT_EQ(r.fields[0], "pendenza");
    const int position = required(r.fields[1]);
    const int value = required(r.fields[2]);
    EXPECT_GT(position, previous) << r.line;
    EXPECT_EQ(position % 50, 0) << r.line;
    EXPECT_GE(value, -6) << r.line;
    EXPECT_LE(value, 6) << r.line;
    previous = position;
  }
}

TEST(BuiltinLineData, MontagnaRecordsAscendAndKeepTheirTypes) {
  const LineData data = builtin_line();
  const std::vector<Record>& structures = data.records("[montagne]");
  int type_2 = 0;
  int type_12 = 0;
  int previous_end = -1000;
  for (const Record& r : structures) {
    ASSERT_EQ(r.fields.size(), 4u) << r.line;
    EXPECT_EQ(r.fields[0], "montagna");
    const int start = required(r.fields[1]);
    const int end = required(r.fields[2]);
    const int type = required(r.fields[3]);
    type_2 += type == 2;
    type_12 += type == 12;
    EXPECT_LT(start, end) << r.line;
    EXPECT_EQ(start % 50, 0) << r.line;
    EXPECT_EQ(end % 50, 0) << r.line;
    // Within 150 m of the previous structure the record would turn type 3.
    EXPECT_GT(start - previous_end, 150) << r.line;
    previous_end = end;
  }
  EXPECT_EQ(type_2, 16);
  EXPECT_EQ(type_12, 4);
  ASSERT_FALSE(structures.empty());
  EXPECT_EQ(structures.back().line, "montagna,   65350,  65450,  12");
}

TEST(BuiltinLineData, SpeedIndicatorsLeaveTheRightHandEmptyFrom11850On) {
  const LineData data = builtin_line();
  const std::vector<Record>& boards = data.records("[cartelli]");
  for (const Record& r : boards) {
    ASSERT_EQ(r.fields.size(), 10u) << r.line;
    EXPECT_EQ(r.fields[0], "indicatori_vmax");
    const int position = required(r.fields[1]);
    EXPECT_EQ(position % 50, 0) << r.line;
    for (std::size_t i : {2u, 3u, 4u, 5u, 9u}) EXPECT_TRUE(number(r.fields[i])) << r.line;
    for (std::size_t i : {6u, 7u, 8u}) {
      EXPECT_EQ(number(r.fields[i]).has_value(), position < 11850) << r.line;
    }
  }
}

TEST(BuiltinLineData, SignboardTextsFitTheBoards) {
  const LineData data = builtin_line();
  const std::vector<Record>& signboards = data.records("[indicazioni]");
  int by_lines[4] = {};
  int lowest = 1 << 30;
  int highest = -1;
  for (const Record& r : signboards) {
    ASSERT_EQ(r.fields.size(), 3u) << "a comma in the text? " << r.line;
    EXPECT_EQ(r.fields[0], "cartello_indicatore");
    const int position = required(r.fields[1]);
    EXPECT_EQ(position % 50, 0) << r.line;
    lowest = std::min(lowest, position);
    highest = std::max(highest, position);
    const auto lines = board_lines(r.fields[2]);
    ASSERT_TRUE(lines) << r.line;
    ASSERT_TRUE(lines->size() >= 1 && lines->size() <= 3) << r.line;
    ++by_lines[lines->size()];
    for (std::string_view board_line : *lines) {
      EXPECT_LE(board_line.size(), 16u) << r.line;
      EXPECT_FALSE(trimmed(board_line).empty()) << r.line;
    }
  }
  EXPECT_EQ(by_lines[1], 23);
  EXPECT_EQ(by_lines[2], 5);
  EXPECT_EQ(by_lines[3], 32);
  EXPECT_EQ(lowest, 900);
  EXPECT_EQ(highest, 64100);
}

// --- The cells the line must leave to the train description and the
// post-pass, so that the whole built-in build compiles without an error. ---

constexpr int signals[] = {1600,  3000,  6400,  7350,  10450, 12000, 14750, 16100,
                           17500, 18700, 26200, 27450, 35050, 36250, 42150, 43400,
                           48850, 50150, 56550, 57750, 61000, 62200};
constexpr int stop_cells[] = {13, 90, 174, 264, 407, 573, 751, 893, 1028, 1270};
constexpr int slowdown_starts[] = {560, 644};  // 27950 and 32150

std::map<int, std::string> reserved_cells() {
  std::map<int, std::string> reserved;
  const auto reserve = [&](int cell, const std::string& why) { reserved.emplace(cell, why); };
  reserve(1, "cell 1 (position 0 gives Errore n. 1250)");
  for (int p : signals) {
    for (int back = 0; back <= 2; ++back) {
      reserve(cell_of(p) - back, "signal at " + std::to_string(p));
    }
  }
  for (int c : stop_cells) reserve(c, "stop cell");
  for (int c = 532; c <= 536; ++c) reserve(c, "first slowdown: warning and pre-warning");
  for (int c = 616; c <= 620; ++c) reserve(c, "second slowdown: warning and pre-warning");
  for (int c : {560, 576, 644, 648}) reserve(c, "slowdown start or end");
  for (int start : slowdown_starts) {
    for (int back : {5, 6, 7, 11, 12, 13, 18, 19, 20}) {
      reserve(start - back, "advance point before cell " + std::to_string(start));
    }
  }
  for (int c : {567, 568, 569, 574, 575, 576}) reserve(c, "walk along the first slowdown");
  return reserved;
}

TEST(BuiltinLineData, BoardsKeepOffReservedCellsAndEachOther) {
  const LineData data = builtin_line();
  const std::map<int, std::string> reserved = reserved_cells();
  std::map<int, std::string_view> taken;
  for (std::string_view header : {"[cartelli]", "[indicazioni]"}) {
    for (const Record& r : data.records(header)) {
      ASSERT_GE(r.fields.size(), 2u) << r.line;
      const int position = required(r.fields[1]);
      EXPECT_GT(position, 0) << r.line;
      const int cell = cell_of(position);
      const auto hit = reserved.find(cell);
      EXPECT_TRUE(hit == reserved.end())
          << r.line << " lies in cell " << cell << ", reserved for the "
          << (hit == reserved.end() ? std::string{} : hit->second);
      const auto [other, fresh] = taken.emplace(cell, r.line);
      EXPECT_TRUE(fresh) << r.line << " shares cell " << cell << " with " << other->second;
    }
  }
  EXPECT_EQ(taken.size(), 71u);
}

TEST(BuiltinLineData, SignboardsAlsoKeepOffSignalAndStationBoards) {
  // These cells only get an approach code, so sharing one would not fail;
  // the signboards keep off them all the same (the speed indicator at 1300
  // must stand in cell 27, one of the boards of the signal at 1600).
  std::set<int> approach_cells;
  for (int p : signals) {
    for (int b = 1; b <= 4; ++b) approach_cells.insert(cell_of(p) - 2 * b);
  }
  for (int c : stop_cells) {
    for (int j = 1; j <= 4; ++j) approach_cells.insert(c - j);
  }
  const LineData data = builtin_line();
  for (const Record& r : data.records("[indicazioni]")) {
    const int cell = cell_of(required(r.fields[1]));
    EXPECT_EQ(approach_cells.count(cell), 0u) << r.line << " in cell " << cell;
  }
}

}  // namespace
}  // namespace tracciato
