// Hand-written descriptions can hold anything: damaged copies of the
// built-in texts must give an error record, never a crash or a write out of
// bounds (the sanitizer build runs this too).
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "compile/competition_codes.h"
#include "compile/post_pass.h"
#include "describe/builtin_scenario.h"
#include "describe/field_reader.h"
#include "describe/memorizza_dati.h"
#include "model/error_record.h"
#include "platform/line_table.h"
#include "support/temp_folder.h"

namespace tracciato {
namespace {

std::string damaged(std::string text, std::mt19937& random) {
  static const std::string pieces[] = {",",        "\n",      "\r",       "-", " ",
                                       "9",        "99999",   "[",        "]", "segnale",
                                       "montagna", "curvas6", "stazione", "0", "-7000"};
  std::uniform_int_distribution<int> how(0, 2);
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int e = 0; e < edits && !text.empty(); ++e) {
    const std::size_t at = random() % text.size();
    switch (how(random)) {
      case 0:
        text.erase(at, 1 + random() % 20);
        break;
      case 1:
        text.insert(at, pieces[random() % std::size(pieces)]);
        break;
      default:
        text[at] = static_cast<char>(random() % 256);
    }
  }
  return text;
}

TEST(ReaderRobustness, DamagedDescriptionsEndInTheErrorRecord) {
  const std::string line = line_table_bytes(LineTable::from_text(builtin_line_text()));
  const std::string train = line_table_bytes(LineTable::from_text(builtin_train_text()));
  std::mt19937 random(20261210);
  testing::TempFolder folder;
  for (int round = 0; round < 300; ++round) {
    const bool damage_line = round % 2 == 0;
    const std::array<std::string, 2> texts = {damage_line ? damaged(line, random) : line,
                                              damage_line ? train : damaged(train, random)};
    testing::write_bytes(folder / "l.txt", texts[0]);
    testing::write_bytes(folder / "t.txt", texts[1]);
    ScenarioModel model;
    model.write_line_file = round % 3 != 0;
    memorizza_dati(model, {folder / "l.txt", folder / "t.txt", true});
    if (model.cells) {
      run_post_pass(model);
      codice_gara_st(model);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "l.txt")) << round;
    // Its diagnostic points inside the text it names, at the line as written.
    if (const auto d = diagnose(model)) {
      EXPECT_FALSE(format_diagnostic(*d).empty());
      std::vector<SourceLocation> places;
      if (d->at) places.push_back(*d->at);
      for (const Note& note : d->notes) {
        if (note.at) places.push_back(*note.at);
      }
      for (const SourceLocation& at : places) {
        if (at.line == 0) continue;
        const std::string& text = at.file == (folder / "l.txt").string() ? texts[0] : texts[1];
        ASSERT_TRUE(at.text) << round;
        EXPECT_EQ(at.text->bytes(), text) << round;
        EXPECT_GE(at.column, 1) << round;
        EXPECT_LE(static_cast<std::size_t>(at.column), at.line_text().size() + 1) << round;
      }
    }
  }
}

}  // namespace
}  // namespace tracciato
