// What the tests of the three papers handed to the driver share: each paper
// is written into a folder and read back as bytes, then checked against the
// layout rules of its own form (line numbers, fixed lines, cell widths and
// formats, lines of blanks), so that an edit of a text cannot silently break
// what the driver prints.
#pragma once

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
#include "support/written_into.h"

namespace tracciato::document_testing {

using testing::TempFolder;

using DocumentWriter = void (*)(const ScenarioModel&, const std::filesystem::path&,
                                OutputTransaction&);

inline ScenarioModel builtin_identity() {
  ScenarioModel model;
  model.scenario_name = "Lindra_Kestova";
  model.train_number = "31407";
  return model;
}

// Printable ASCII and the six letters the texts use, each one byte in the
// code page: a UTF-8 sequence (C3 A8 for è), a tab or a stray CR fails.
inline bool is_document_byte(char c) {
  const auto b = static_cast<unsigned char>(c);
  constexpr std::string_view accented = "\xE0\xE8\xEC\xF2\xF9\xB0";
  return (b >= 0x20 && b < 0x7F) || accented.find(c) != std::string_view::npos;
}

inline std::string blanks(std::size_t count) {
  return std::string(count, ' ');
}

// `text` after `lead` blanks, filled with blanks to `width`.
inline std::string left(const std::string& text, std::size_t width, std::size_t lead = 0) {
  const std::string cell = text.empty() ? "" : blanks(lead) + text;
  return cell + blanks(width > cell.size() ? width - cell.size() : 0);
}

// `text` ending `trail` blanks before the end of a cell of `width`.
inline std::string right(const std::string& text, std::size_t width, std::size_t trail) {
  if (text.empty()) return blanks(width);
  const std::size_t used = text.size() + trail;
  return blanks(width > used ? width - used : 0) + text + blanks(trail);
}

// " |" and each cell followed by "|"; a cell of the wrong width is a fault
// of the expectation itself.
inline std::string table_row(const std::vector<std::size_t>& widths,
                             const std::vector<std::string>& cells) {
  std::string row = " |";
  for (std::size_t i = 0; i < widths.size(); ++i) {
    EXPECT_EQ(cells[i].size(), widths[i]) << "cell \"" << cells[i] << "\"";
    row += cells[i] + "|";
  }
  return row;
}

inline std::string blank_row(const std::vector<std::size_t>& widths) {
  std::vector<std::string> cells;
  for (const std::size_t width : widths) cells.push_back(blanks(width));
  return table_row(widths, cells);
}

// "FONTEVIVA" as a halt is written "Fonteviva".
inline std::string mixed_case(std::string name) {
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

// The widths of the train card's seven timetable columns.
inline const std::vector<std::size_t> card_widths = {5, 5, 10, 5, 28, 16, 5};

// Writes one document into an empty folder and keeps its bytes and lines.
class DocumentTest : public ::testing::Test {
 protected:
  void write(DocumentWriter writer, const std::string& expected_name) {
    testing::written_into(folder_.path(), [&](OutputTransaction& out) {
      writer(builtin_identity(), folder_.path(), out);
    });
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

}  // namespace tracciato::document_testing
